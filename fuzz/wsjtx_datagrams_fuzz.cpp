// What arrives on WSJT-X's UDP port: a panel started against the simulated radio, listening
// on line 16's port, fed the input as a run of datagrams from WSJT-X (two bytes of length,
// then the datagram) with the operator's keys between them. Before each piece a byte chooses:
// a datagram (0 to 3), J, Down, Up, Enter, Space, or the tick that ends thirty silent seconds.
#include "core/key_codes.h"
#include "fuzz_input.h"
#include "panel/event_handler.h"
#include "panel/wsjtx_link.h"
#include "panel_session.h"
#include "started_panel.h"

namespace {

vocapan::testing::ConfigLines listeningToWsjtx() {
    vocapan::testing::ConfigLines config;
    config.wsjtx = "wsjtx=2237";
    return config;
}

void press(vocapan::Panel& panel, int key) {
    vocapan::handleMessage(panel, {platform::MessageKind::KeyDown, key, 0});
    vocapan::handleMessage(panel, {platform::MessageKind::KeyUp, key, 0});
}

void tick(vocapan::Panel& panel) {
    vocapan::handleMessage(panel, {platform::MessageKind::Timer, 0, vocapan::kPollTimer});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vocapan;
    static fuzz::StartedPanel started(listeningToWsjtx());
    testing::PanelFixture& panel = started.restart();
    auto& udp = panel.fake.wsjtx;
    static_cast<WsjtxState&>(panel.panel.state) = WsjtxState{};
    udp.inbound.clear();
    udp.sent.clear();
    udp.refuseOpen = false;
    openWsjtx(panel.panel);

    fuzz::FuzzInput input(data, size);
    while (!input.empty()) {
        const int choice = input.byte() % 10;
        if (choice < 4) {
            const std::size_t length = static_cast<std::size_t>(input.byte() << 8 | input.byte());
            udp.inbound.push_back({{"127.0.0.1", 50000 + choice}, input.take(length)});
            tick(panel.panel);
        } else if (choice == 9) {
            panel.panel.state.wsjtxSilentTicks = kWsjtxSilentTicks - 1;
            tick(panel.panel);
        } else {
            constexpr int kKeys[] = {'J', vk::kDown, vk::kUp, vk::kEnter, vk::kSpace};
            press(panel.panel, kKeys[choice - 4]);
        }
    }
    return 0;
}
