#include "controls/band_step.h"

#include "controls/band_recall.h"
#include "controls/band_select.h"
#include "controls/band_stack.h"
#include "controls/frequency_ops.h"
#include "core/panel_numbers.h"
#include "speech/prompt_player.h"

namespace vocapan {

namespace {

// The band stepped from is written back first; the store also sets `band` from the last
// report, so the step starts from the band the operator was on.
int leaveBand(Panel& panel) {
    const int from = panel.state.band;
    panel.state.savedBand = from;
    storeBandStack(panel);
    return from;
}

// The new band is selected without words; the recall then selects it again and says it,
// with the settings it restores.
void enterBand(Panel& panel) {
    panel.state.terseReadout = 1;
    selectBand(panel);
    recallBandEntry(panel);
}

}  // namespace

int topBandNumber(const std::string& topBand) {
    if (topBand == "10") return kBand10m;
    if (topBand == "6") return kBand6m;
    if (topBand == "2") return kBand2m;
    return kBand70cm;
}

void bandStepUp(Panel& panel) {
    auto& state = panel.state;
    state.band = leaveBand(panel) + 1;
    if (state.band == kGeneralCoverageBand) {
        playPrompt(panel, "band");
        playPrompt(panel, "un");
    }
    // The new band starts without tone squelch; the recall switches it off on the radio too.
    state.toneCode = "999";
    if (state.band == topBandNumber(state.topBand) + 1 || state.band > kGeneralCoverageBand) state.band = 1;
    enterBand(panel);
}

void bandStepDown(Panel& panel) {
    auto& state = panel.state;
    state.band = leaveBand(panel) - 1;
    if (state.band == 0 || state.band == kBand70cm) state.band = topBandNumber(state.topBand);
    enterBand(panel);
}

}  // namespace vocapan
