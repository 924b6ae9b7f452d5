// Brings the fixture's panel up step by step as the program does (configuration, panel
// initialisation, radio query), so that a test can change the band table or the radio before
// the query, look at the state afterwards, and run timer ticks one by one.
#pragma once

#include <string>
#include <vector>

#include "panel/configuration.h"
#include "panel/initialise_panel.h"
#include "panel/poll_cycle.h"
#include "panel/radio_query.h"
#include "panel_fixture.h"
#include "speech/phrases.h"

namespace vocapan::testing {

// Configuration read and the panel initialised; the radio has heard "VS0" only.
inline void initialiseSession(PanelFixture& fixture, const ConfigLines& config = {}) {
    auto& state = fixture.panel.state;
    readConfiguration(config.text(), state);
    startVoice(fixture.panel);  // the screen reader, when chosen, is reached as at start
    initialisePanel(fixture.panel);
}

inline RadioQueryResult startSession(PanelFixture& fixture, const ConfigLines& config = {}) {
    initialiseSession(fixture, config);
    return queryRadioState(fixture.panel);
}

// Each tick comes a timer period after the last.
inline void runTicks(PanelFixture& fixture, int count) {
    for (int i = 0; i < count; ++i) {
        fixture.fake.clock.nowMs += kPollPeriodMs;
        pollTick(fixture.panel);
    }
}

// `text` arrives from the radio unasked and the next tick is a read tick that takes it.
inline void deliver(PanelFixture& fixture, const std::string& text) {
    fixture.radioPort.inbound += text;
    fixture.panel.state.pollPhase = 1;
    pollTick(fixture.panel);
}

// Started, and the first frequency report announced; the records start afresh.
inline void connectSession(PanelFixture& fixture, const ConfigLines& config = {}) {
    startSession(fixture, config);
    deliver(fixture, "FA007100000;");
    fixture.clearRecords();
}

// The drawn texts as "x,y:text", to compare whole lines at once.
inline std::vector<std::string> drawnAt(const PanelFixture& fixture, int y) {
    std::vector<std::string> texts;
    for (const auto& drawn : fixture.fake.window.drawn) {
        if (drawn.y == y) texts.push_back(std::to_string(drawn.x) + "," + std::to_string(drawn.y) + ":" + drawn.text);
    }
    return texts;
}

}  // namespace vocapan::testing
