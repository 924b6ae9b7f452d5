// What another CAT program sends on the relay port: a panel started against the simulated
// radio with a relay port, every line of the input arriving there before a send tick that
// serves the relay, then a read tick. The first byte, when odd, takes the radio off its port,
// so that forwarded commands go unanswered.
#include "fuzz_input.h"
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
    if (input.byte() & 1) panel.radioPort.responder = nullptr;
    for (const std::string& line : input.lines()) {
        relay.inbound += line;
        panel.panel.state.pollPhase = 0;
        testing::runTicks(panel, 2);
    }
    return 0;
}
