#include "controls/knob_speech.h"

#include "controls/mode_change.h"
#include "core/text_piece.h"
#include "display/mode_line.h"
#include "speech/readouts_settings.h"

namespace vocapan {

namespace {

// Reports the frequency must stay unchanged before it is spoken: with the frequency asked
// every 200 ms, about 400 ms after the dial stops.
constexpr int kSettleReports = 2;

}  // namespace

void speakRadioChanges(Panel& panel) {
    auto& state = panel.state;
    if (state.knobSpeech != 1) return;

    const std::string digits = textPiece(state.lastFreqReport, 3, 9);
    if (digits != state.seenFreq) {
        state.seenFreq = digits;
        state.seenSteady = 0;
    } else if (state.seenSteady < kSettleReports) {
        ++state.seenSteady;
    }
    // The operator knows where the panel's own keys, recalls and start-up put the radio.
    if (textPiece(state.ownFreqCommand, 3, 9) == digits) {
        state.ownFreqCommand.clear();
        state.heardFreq = digits;
        state.heardBand = state.band;
    }
    if (state.seenSteady < kSettleReports) return;

    const bool newBand = state.band != state.heardBand;
    const bool newFrequency = digits != state.heardFreq;
    const bool newMode = state.mode != state.heardMode;
    state.heardFreq = digits;
    state.heardBand = state.band;
    state.heardMode = state.mode;
    // The radio has settled elsewhere: a frequency the panel sent before no longer waits to
    // be shown, and the dial reaching it later is news.
    if (newFrequency) state.ownFreqCommand.clear();
    if (newBand) sayBand(panel);
    if (newFrequency) sayFrequency(panel);
    if (newMode) sayMode(panel);
}

void noteConnectionHeard(Panel& panel) {
    auto& state = panel.state;
    state.heardBand = state.band;
    state.heardMode = state.mode;
}

void noteAnnounced(Panel& panel) {
    auto& state = panel.state;
    const std::string digits = textPiece(state.lastFreqReport, 3, 9);
    state.seenFreq = digits;
    state.seenSteady = kSettleReports;
    state.heardFreq = digits;
    state.heardBand = state.band;
    state.heardMode = state.mode;
}

void takeRadioMode(Panel& panel, const std::string& modeAnswer) {
    auto& state = panel.state;
    const int mode = modeOfCommand(state, modeAnswer);
    if (mode == 0 || mode == state.mode) return;
    state.mode = mode;
    drawModeLine(panel);
}

}  // namespace vocapan
