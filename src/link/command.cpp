#include "link/command.h"

#include <algorithm>

#include "core/number_text.h"
#include "speech/prompt_player.h"

namespace vocapan {

namespace {

constexpr int kReadBlock = 4096;
// A radio that never stops sending still lets the panel go on after this much in one go.
constexpr std::size_t kMostTakenAtOnce = 1 << 20;

bool startsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

}  // namespace

void repairLowFrequencyReport(std::string& reply) {
    if (reply.size() >= 5 && reply[0] == 'F' && reply.compare(2, 3, "000") == 0) {
        reply = reply.substr(0, 2) + "001000000";
    }
}

void takeArrived(Panel& panel) {
    auto& state = panel.state;
    std::string chunk;
    for (std::size_t taken = 0; taken < kMostTakenAtOnce;) {
        const int waiting = panel.catLink.bytesWaiting(state.comPort);
        if (waiting <= 0 || panel.catLink.readBytes(state.comPort, chunk, std::min(waiting, kReadBlock)) <= 0) break;
        state.radioInput += chunk;
        taken += chunk.size();
    }
}

void writeDebugLine(Panel& panel, const std::string& line) {
    auto& state = panel.state;
    if (state.debugLog != 1 || !state.debugFile.is_open()) return;
    state.logLine = limitText(line);
    state.debugFile << state.logLine << "\r\n";
    state.debugFile.flush();
}

void sendCommand(Panel& panel) {
    auto& state = panel.state;
    if (state.vfoBTarget == 1 && startsWith(state.workText, "FA")) state.workText[1] = 'B';
    state.workText = limitText(state.workText + ";");
    if ((startsWith(state.workText, "FA") || startsWith(state.workText, "FB")) && state.workText.size() >= 6) {
        state.lastFreqCommand = state.workText;
        // A frequency other software sends through the relay is a change the operator did not
        // make here; only the panel's own is kept, so that its report is not spoken again.
        if (state.rawVfoHold != 1) state.ownFreqCommand = state.workText;
    }
    panel.catLink.writeBytes(state.comPort, state.workText);
    writeDebugLine(panel, "TX=" + state.workText);
}

void pauseForReply(Panel& panel) { playPrompt(panel, "delay"); }

void readReply(Panel& panel) {
    auto& state = panel.state;
    takeArrived(panel);
    state.replyText = std::move(state.radioInput);
    state.radioInput.clear();
    state.replyCount = static_cast<int>(state.replyText.size());
    repairLowFrequencyReport(state.replyText);
    if (!state.replyText.empty()) writeDebugLine(panel, "RX=" + state.replyText);
}

void send(Panel& panel, const std::string& command) {
    panel.state.workText = command;
    sendCommand(panel);
}

void query(Panel& panel, const std::string& command) {
    send(panel, command);
    pauseForReply(panel);
    readReply(panel);
}

}  // namespace vocapan
