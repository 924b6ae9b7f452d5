#include "controls/frequency_report.h"

#include "display/frequency_line.h"

#include "controls/band_stack.h"
#include "controls/knob_speech.h"
#include "controls/preamp.h"
#include "core/number_text.h"
#include "core/text_piece.h"
#include "display/function_line.h"
#include "memory/memory_file.h"
#include "speech/prompt_player.h"
#include "speech/readouts_settings.h"

namespace vocapan {

namespace {

constexpr int kReportTerminatorPosition = 12;  // two letters, nine digits, ";"
constexpr int kQuitOnCountdown = 3;            // the second report after the quit key

// The first report: the operator hears where the radio is and that the panel is ready.
// Programs on the network port may work the radio while that is said.
void announceConnection(Panel& panel) {
    panel.state.connected = 1;
    sayFrequency(panel);
    sayMode(panel);
    applyPreamp(panel);
    playPrompt(panel, "connected");
    noteConnectionHeard(panel);
}

void announceRecall(Panel& panel) {
    const auto& state = panel.state;
    sayFrequency(panel);
    sayMode(panel);
    if (state.quietRecall == 1) return;
    playPrompt(panel, "preamp");
    if (state.preampLevel > 0) {
        playPrompt(panel, decimalText(state.preampLevel));
        playPrompt(panel, "on");
    } else {
        playPrompt(panel, "off");
    }
}

}  // namespace

void finishQuit(Panel& panel) {
    auto& state = panel.state;
    saveMemories(panel);
    state.quitCountdown = 0;
    state.running = 0;
}

void onFrequencyReport(Panel& panel) {
    auto& state = panel.state;
    if (state.connected == 0) {
        announceConnection(panel);
        return;
    }
    if (findText(state.replyText, ";") != kReportTerminatorPosition) return;

    state.connected = 1;
    if (state.skipFreqReport == 1) {
        state.skipFreqReport = 0;
        state.replyText.clear();
        return;
    }

    state.lastFreqReport = textPiece(state.replyText, 1, 11);
    const std::string digits = textPiece(state.lastFreqReport, 3, 9);
    if (beginsWith(state.lastFreqReport, "FA")) state.vfoAText = "A" + digits;
    if (beginsWith(state.lastFreqReport, "FB")) state.vfoBText = "B" + digits;
    storeBandStack(panel);

    state.vfoAHz = numberFromText(digits);
    const std::string displayText = frequencyDisplayText(digits);
    drawFrequencyLine(panel, displayText);

    state.freqDisplayText = displayText;
    state.pollPhase = 0;
    state.replyText.clear();
    drawFunctionLine(panel);

    if (state.quitCountdown > 0 && ++state.quitCountdown >= kQuitOnCountdown) {
        finishQuit(panel);
        return;
    }
    if (state.announceAfterRecall == 1) {
        state.announceAfterRecall = 0;
        announceRecall(panel);
    }
    // A program on the network port changed the frequency or the mode, and has settled.
    if (state.announceAfterRemote == 1 && state.ticksSinceRemoteSet >= kProgramsQuietTicks) {
        state.announceAfterRemote = 0;
        sayFrequency(panel);
        sayMode(panel);
        noteAnnounced(panel);
        return;
    }
    speakRadioChanges(panel);
}

}  // namespace vocapan
