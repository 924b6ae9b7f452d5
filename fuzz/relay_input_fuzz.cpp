// What another CAT program sends on the relay port: a panel started against the simulated
// radio with a relay port, every line of the input arriving there before a send tick that
// serves the relay, then a read tick. The first byte, when odd, takes the radio off its port
// after the start, so that forwarded commands go unanswered.
#include "fuzz_input.h"
#include "panel_fixture.h"
#include "panel_session.h"

namespace {
constexpr int kRelayPort = 7;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vocapan::testing;
    vocapan::fuzz::FuzzInput input(data, size);
    PanelFixture panel;
    auto& relay = panel.fake.serial.addDevice(kRelayPort);
    ConfigLines config;
    config.relay = "relay=7";
    connectSession(panel, config);
    if (input.byte() & 1) panel.radioPort.responder = nullptr;

    for (const std::string& line : input.lines()) {
        relay.inbound += line;
        panel.panel.state.pollPhase = 0;
        runTicks(panel, 2);
    }
    return 0;
}
