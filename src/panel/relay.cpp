#include "panel/relay.h"

#include "controls/frequency_report.h"
#include "controls/mode_change.h"
#include "core/number_text.h"
#include "core/text_piece.h"
#include "link/command.h"

namespace vocapan {

namespace {

constexpr int kMaxRead = 255;
constexpr std::size_t kShortestReport = 6;

// Hands the radio's answer back to the other program; a frequency report in it also goes to
// the frequency line.
void answerRelay(Panel& panel) {
    auto& state = panel.state;
    state.relayBuffer.clear();
    writeDebugLine(panel, "***VTX1=" + state.replyText);
    panel.catLink.writeBytes(state.relayPort, state.replyText);

    state.relayEnd = findText(state.replyText, ";") + 1;
    state.relayFaPos = findText(state.replyText, "FA");
    state.replyText = textPiece(state.replyText, state.relayFaPos, state.relayEnd - state.relayFaPos);
    if (state.relayFaPos >= 1 && state.replyText.size() >= kShortestReport) onFrequencyReport(panel);
}

void forwardCommand(Panel& panel) {
    auto& state = panel.state;
    state.rawVfoHold = 1;
    state.relayFaPos = 0;
    writeDebugLine(panel, "***VRX1=" + state.relayBuffer);

    state.workText = state.relayBuffer.substr(0, static_cast<std::size_t>(state.relayEnd - 1));
    sendCommand(panel);

    // A mode set by the other program is taken over by the panel; the radio does not answer it.
    if (beginsWith(state.workText, "MD0") && textPiece(state.workText, 4, 1) != ";") {
        const int mode = modeOfCommand(state, textPiece(state.workText, 1, 4));
        if (mode == 0) return;
        state.mode = mode;
        applyMode(panel);
        return;
    }
    pauseForReply(panel);
    readReply(panel);
    if (state.replyText.empty() || state.replyText == ";") return;
    answerRelay(panel);
}

}  // namespace

void relayPoll(Panel& panel) {
    auto& state = panel.state;
    state.relayEnd = 0;
    state.replyCount = panel.catLink.bytesWaiting(state.relayPort);
    if (state.replyCount <= 0) return;
    panel.catLink.readBytes(state.relayPort, state.relayChunk, kMaxRead);
    state.relayBuffer = limitText(state.relayBuffer + state.relayChunk);

    state.relayEnd = findText(state.relayBuffer, ";");
    if (state.relayEnd == 0) return;  // the rest of the command comes with a later tick
    forwardCommand(panel);
    state.relayChunk.clear();
    state.relayBuffer.clear();
}

}  // namespace vocapan
