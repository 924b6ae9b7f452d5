#include "display/frequency_line.h"

#include "controls/band_stack.h"
#include "controls/preamp.h"
#include "display/function_line.h"
#include "link/text_piece.h"
#include "memory/memory_file.h"
#include "speech/number_text.h"
#include "speech/prompt_player.h"
#include "speech/readouts_settings.h"

namespace vocapan {

namespace {

constexpr int kReportTerminatorPosition = 12;  // two letters, nine digits, ";"
constexpr int kQuitOnCountdown = 3;            // the second report after the quit key

// The first report: the operator hears where the radio is and that the panel is ready.
void announceConnection(Panel& panel) {
    sayFrequency(panel);
    sayMode(panel);
    applyPreamp(panel);
    playPrompt(panel, "connected");
    panel.state.connected = 1;
}

// "B" while transmitting on VFO B, "R" while the repeater shift is on (it wins over "B").
void drawVfoMarkers(Panel& panel) {
    const auto& state = panel.state;
    auto& window = panel.platform.window;
    window.moveTo(80, 150);
    if (state.vfoBTarget == 1 && state.repeaterOn == 0) window.drawText("B   ");
    window.drawText(state.repeaterOn == 1 ? "R   " : "    ");
    if (state.vfoBTarget == 0) window.drawText("    ");
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

std::string frequencyDisplayText(const std::string& nineDigits) {
    std::string text = textPiece(nineDigits, 1, 3) + "." + textPiece(nineDigits, 4, 6);
    for (char& c : text) {
        if (c != '0') break;
        c = ' ';
    }
    return text;
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
    drawVfoMarkers(panel);
    auto& window = panel.platform.window;
    window.moveTo(285, 150);
    window.drawText(displayText);
    window.drawText(std::string(13, ' '));

    state.freqDisplayText = displayText;
    state.pollPhase = 0;
    state.replyText.clear();
    drawFunctionLine(panel);

    if (state.quitCountdown > 0 && ++state.quitCountdown >= kQuitOnCountdown) {
        saveMemories(panel);
        state.quitCountdown = 0;
        state.running = 0;
        return;
    }
    if (state.announceAfterRecall == 1) {
        state.announceAfterRecall = 0;
        announceRecall(panel);
    }
}

}  // namespace vocapan
