// Recalling a band's entry: the band selected on the radio ("BS"), split and tone squelch off,
// the entry's frequency ("FA"), mode, repeater shift, tone ("CN", "CT01") and preamplifier.
#include "controls/band_recall.h"

#include "controls/band_select.h"
#include "controls/band_step.h"
#include "controls/frequency_ops.h"
#include "controls/mode_change.h"
#include "controls/preamp.h"
#include "controls/tone_repeater.h"
#include "core/number_text.h"
#include "core/text_piece.h"
#include "link/command.h"
#include "speech/prompt_player.h"

namespace vocapan {

namespace {

constexpr int kGeneralCoverageKey = 15;
constexpr int kModeLineX = 50;
constexpr int kModeLineY = 45;

bool isFm(int mode) { return mode == 5 || mode == 7; }

int digitAt(const std::string& entry, int position) { return numberFromText(textPiece(entry, position, 1)); }

// Tone squelch comes back only in FM, and only with a code, and is announced.
void restoreTone(Panel& panel) {
    auto& state = panel.state;
    const std::string& code = state.toneCode;
    if (!isFm(state.mode) || code == "999" || code == "000" || code.size() != 3) return;
    state.toneEntry = 1;
    resumeTone(panel);
    playPrompt(panel, state.dcsSelected == 1 ? "dcs" : "ctcss");
    sayDigits(panel, code);
}

}  // namespace

void recallBandEntry(Panel& panel) {
    auto& state = panel.state;
    const int top = topBandNumber(state.topBand);
    if (state.band == 0) state.band = top;
    if (state.band == top + 1) state.band = 1;
    if (state.band == kGeneralCoverageKey) state.band = kGeneralCoverageBand;
    if (state.band < 1 || state.band > kGeneralCoverageBand) return;  // no such entry
    const std::string entry = state.bandStack[static_cast<std::size_t>(state.band)];

    panel.platform.window.moveTo(kModeLineX, kModeLineY);  // where the mode line is drawn
    state.tickCount = 0;
    endSplit(panel);  // the new band starts on VFO A
    if (state.toneEntry == 1) {
        state.toneEntry = 0;
        state.toneCode = "999";
        send(panel, "CT00");
    }
    selectBand(panel);

    state.freqDisplayText = bandEntryFrequencyText(entry);
    send(panel, "F" + textPiece(entry, 3, 10));

    state.mode = digitAt(entry, 2);
    applyMode(panel);
    if (textPiece(entry, 1, 1) == "5") {
        state.repeaterOn = 0;
        toggleRepeaterShift(panel);  // on, with the band's offset
    }
    state.toneCode = textPiece(entry, 23, 3);
    state.splitSaveText = textPiece(entry, 3, 10);
    restoreTone(panel);

    const int preamp = digitAt(entry, 26);
    state.preampLevel = preamp == 1 || preamp == 2 ? preamp : 0;
    applyPreamp(panel);
    state.quietWidth = 1;
    state.skipFreqReport = 1;  // the next report may still be of the old band
}

}  // namespace vocapan
