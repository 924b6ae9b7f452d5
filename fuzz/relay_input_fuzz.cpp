// What another CAT program sends on the relay port: a panel started against the simulated
// radio with a relay port, every line of the input arriving there before one to four relay
// timer ticks (as the first byte's bits 1 and 2 choose), a send tick that serves the relay
// too, and a read tick. The first byte, when odd, takes the radio off its port, so that
// forwarded commands go unanswered.
#include "fuzz_input.h"
#include "panel/relay.h"
#include "panel_session.h"
#include "started_panel.h"

namespace {

vocapan::testing::ConfigLines withRelay() {
    vocapan::testing::ConfigLines config;
    config.relay = "relay=7";
    return config;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vocapan;
    static fuzz::StartedPanel started(withRelay());
    testing::PanelFixture& panel = started.restart();
    auto& relay = *panel.fake.serial.device(panel.panel.state.relayPort);

    fuzz::FuzzInput input(data, size);
    const int settings = input.byte();
    if (settings & 1) panel.radioPort.responder = nullptr;
    const int relayTicks = 1 + (settings >> 1 & 3);
    for (const std::string& line : input.lines()) {
        relay.inbound += line;
        for (int tick = 0; tick < relayTicks; ++tick) relayPoll(panel.panel);
        panel.panel.state.pollPhase = 0;
        testing::runTicks(panel, 2);
    }
    return 0;
}
