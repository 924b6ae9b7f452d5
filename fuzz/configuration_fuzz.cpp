// vocapan.cfg as the operator may have left it: read as at start, then the panel initialised
// with what was read (its port and relay port opened at the speed read) and a few poll ticks
// run, serving the relay port when one was read.
#include "fuzz_input.h"
#include "panel/configuration.h"
#include "panel/initialise_panel.h"
#include "panel_session.h"
#include "started_panel.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vocapan;
    static fuzz::StartedPanel started;
    testing::PanelFixture& panel = started.restart();
    auto& state = panel.panel.state;
    if (readConfiguration(fuzz::FuzzInput(data, size).rest(), state) == ConfigurationResult::WrongKind) return 0;
    initialisePanel(panel.panel);
    if (state.relayPort > 0) openPanelPort(panel.panel, state.relayPort);
    testing::runTicks(panel, 4);
    return 0;
}
