// What programs send on the network rig-control port: a panel started against the simulated
// radio and listening, then the input read as steps. Each step's first byte names one of
// sixteen programs (bits 0-3; more than the panel takes) and what happens (bits 4-6): it
// sends the next bytes (their count in the byte after), a run of one byte up to 8 kB long,
// goes away, stops reading after a few bytes, connects anew, the network is served, or the
// timer ticks (the poll, then the network, as the panel's window delivers it). Bit 7 serves
// the network after the step. The port is open to every computer with an allow line, and
// each program connects from its own address: this computer, a listed computer or another.
#include <array>

#include "fuzz_input.h"
#include "network/rig_server.h"
#include "panel/event_handler.h"
#include "panel/poll_cycle.h"
#include "started_panel.h"

namespace {

using platform::fake::FakeTcpServer;

vocapan::testing::ConfigLines withNetwork() {
    vocapan::testing::ConfigLines config;
    config.network = "net=*:4532";
    config.allow = "allow=192.168.1.0/24,fd00::/64";
    return config;
}

// The address of each program, by its number's last bits.
constexpr std::array<const char*, 8> kPeers{"127.0.0.1", "::1",         "192.168.1.20",       "fd00::20",
                                            "10.0.0.1",  "2001:db8::1", "::ffff:192.168.1.9", ""};

enum Step { Sends, SendsRun, GoesAway, StopsReading, Reconnects, Served };

void tick(vocapan::Panel& panel) {
    platform::WindowMessage timer;
    timer.timerId = vocapan::kPollTimer;
    vocapan::handleMessage(panel, timer);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vocapan;
    static fuzz::StartedPanel started(withNetwork());
    testing::PanelFixture& fixture = started.restart();
    FakeTcpServer& network = fixture.fake.network;
    network = FakeTcpServer{};
    openNetwork(fixture.panel);

    std::array<int, 16> programs{};
    fuzz::FuzzInput input(data, size);
    while (!input.empty()) {
        const int step = input.byte();
        int& program = programs[static_cast<std::size_t>(step & 15)];
        const int action = step >> 4 & 7;
        if (program == 0 || action == Reconnects) program = network.connect(kPeers[static_cast<std::size_t>(step & 7)]);
        auto& client = network.client(program);
        if (action == Sends) {
            client.toPanel += input.take(static_cast<std::size_t>(input.byte()));
        } else if (action == SendsRun) {
            const char repeated = static_cast<char>(input.byte());
            client.toPanel.append(static_cast<std::size_t>(input.byte()) * 32, repeated);
        } else if (action == GoesAway) {
            client.closedByClient = true;
        } else if (action == StopsReading) {
            client.roomLeft = input.byte();
        } else if (action == Served) {
            serviceNetwork(fixture.panel);
        } else if (action > Served) {
            tick(fixture.panel);
        }
        if (step & 128) serviceNetwork(fixture.panel);
    }
    tick(fixture.panel);
    return 0;
}
