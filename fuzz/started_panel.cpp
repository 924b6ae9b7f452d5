// Starting the panel once for a fuzz target and putting it back to that start: the state
// record part by part, the simulated radio, the ports and what was recorded.
#include "started_panel.h"

#include "ftxsim/fake_link.h"
#include "panel/initialise_panel.h"
#include "panel_session.h"

namespace vocapan::fuzz {

namespace {

void copyLinkStart(LinkState& to, const LinkState& from) {
    to.modeCommand = from.modeCommand;
    to.dataBits = from.dataBits;
    to.parity = from.parity;
    to.stopBits = from.stopBits;
    to.radioId = from.radioId;
    to.agcMode = from.agcMode;
    to.powerRangeLow = from.powerRangeLow;
    to.lastFreqCommand = from.lastFreqCommand;
}

}  // namespace

StartedPanel::StartedPanel(const testing::ConfigLines& config) {
    const int relayPort = readConfiguration(config.text(), fixture.panel.state) == ConfigurationResult::Read
                              ? fixture.panel.state.relayPort
                              : 0;
    if (relayPort > 0) fixture.fake.serial.addDevice(relayPort);
    testing::connectSession(fixture, config);
    const PanelState& state = fixture.panel.state;
    start_ = {state, state, state, state, state, state, state};
    copyLinkStart(startLink_, state);
    startRadio_ = fixture.radio;
}

testing::PanelFixture& StartedPanel::restart() {
    PanelState& state = fixture.panel.state;
    state = PanelState{};
    std::apply([&state](const auto&... parts) { ((static_cast<std::decay_t<decltype(parts)>&>(state) = parts), ...); },
               start_);
    copyLinkStart(state, startLink_);

    fixture.radio = startRadio_;
    ftxsim::attach(fixture.radioPort, fixture.radio);
    openPanelPort(fixture.panel, state.comPort);
    if (state.relayPort > 0) {
        openPanelPort(fixture.panel, state.relayPort);
        auto* relay = fixture.fake.serial.device(state.relayPort);
        relay->inbound.clear();
        relay->written.clear();
    }
    fixture.radioPort.inbound.clear();
    fixture.clearRecords();
    return fixture;
}

}  // namespace vocapan::fuzz
