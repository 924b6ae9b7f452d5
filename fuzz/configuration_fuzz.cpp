// vocapan.cfg as the operator may have left it: read as at start, then the panel started
// with what was read, against the simulated radio on COM 5.
#include "fuzz_input.h"
#include "panel/configuration.h"
#include "panel/initialise_panel.h"
#include "panel/radio_query.h"
#include "panel_fixture.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vocapan;
    testing::PanelFixture panel;
    auto& state = panel.panel.state;
    state.waveDir = "wave\\";
    if (readConfiguration(fuzz::FuzzInput(data, size).rest(), state) == ConfigurationResult::WrongKind) return 0;
    initialisePanel(panel.panel);
    queryRadioState(panel.panel);
    return 0;
}
