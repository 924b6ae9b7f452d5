// A panel started once against the simulated radio and put back, before each input, to
// the state it had just after that start: every input then runs from the same start without
// paying for the start-up, which would otherwise take most of the fuzzing time.
#pragma once

#include <tuple>

#include "panel_fixture.h"

namespace vocapan::fuzz {

class StartedPanel {
public:
    // Starts the panel with `config`; a relay port it names is made to exist first.
    explicit StartedPanel(const testing::ConfigLines& config = {});

    // The panel, radio and ports as just after the start, with nothing recorded.
    testing::PanelFixture& restart();

    testing::PanelFixture fixture;

private:
    // The state as the start left it. The link's fields are taken from a fresh record, with
    // those that the start sets copied over: the transcript file cannot be copied.
    std::tuple<AppState, ConfigState, EntryState, SpeechState, MemoryState, ControlsState, DisplayState> start_;
    LinkState startLink_;
    ftxsim::Radio startRadio_;
};

}  // namespace vocapan::fuzz
