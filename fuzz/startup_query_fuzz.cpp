// What the radio answers to the start-up query: a panel started against the simulated radio,
// which is then replaced on the port by the input, each line of which is the answer to the
// next command the panel writes (an empty line or the input's end: no answer). The first
// byte chooses the band the radio is tuned to (bits 0-3) and whether this is the first query,
// which refuses a wrong radio and ends the program, or the query of a radio found again
// (bit 4).
#include "core/band_table.h"
#include "fuzz_input.h"
#include "panel/radio_query.h"
#include "started_panel.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vocapan;
    static fuzz::StartedPanel started;
    testing::PanelFixture& fixture = started.restart();

    fuzz::FuzzInput input(data, size);
    const int settings = input.byte();
    fixture.panel.state.band = 1 + (settings & 15) % kBandCount;
    const bool foundAgain = settings >> 4 & 1;

    const std::vector<std::string> answers = input.lines();
    std::size_t next = 0;
    fixture.radioPort.responder = [&](const std::string&, int, const platform::LineFormat&) {
        return next < answers.size() ? answers[next++] : std::string();
    };
    if (foundAgain) {
        queryRadioAgain(fixture.panel);
    } else {
        queryRadioState(fixture.panel);
    }
    return 0;
}
