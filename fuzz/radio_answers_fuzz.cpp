// What the radio sends, as the poll reads and decodes it: a panel started against the
// simulated radio, which is then taken off the port so that the input alone is heard. The
// first byte chooses what the poll meters (transmitting, tuning, mic level, SWR readout);
// each line after it arrives before a read tick, with a send tick between.
#include "fuzz_input.h"
#include "panel_session.h"
#include "started_panel.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vocapan;
    static fuzz::StartedPanel started;
    testing::PanelFixture& panel = started.restart();
    panel.radioPort.responder = nullptr;

    fuzz::FuzzInput input(data, size);
    auto& state = panel.panel.state;
    const int settings = input.byte();
    state.txState = settings & 1;
    state.tuning = settings >> 1 & 1;
    state.micMeter = settings >> 2 & 1;
    state.swrOption = settings >> 3 & 1;
    state.swrSettle = settings >> 4 & 3;
    state.vfoBTarget = settings >> 6 & 1;
    for (const std::string& line : input.lines()) {
        testing::deliver(panel, line);
        testing::runTicks(panel, 1);
    }
    return 0;
}
