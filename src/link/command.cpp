#include "link/command.h"

#include <algorithm>

#include "core/number_text.h"
#include "link/answers_on_the_way.h"
#include "platform/fiber.h"
#include "speech/prompt_player.h"

namespace vocapan {

namespace {

constexpr int kReadBlock = 4096;
// A radio that never stops sending still lets the panel go on after this much in one go.
constexpr std::size_t kMostTakenAtOnce = 1 << 20;
// How long one look waits for the radio's answer before the loop serves the rest again.
constexpr long long kLookMs = 5;

bool startsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

}  // namespace

void repairLowFrequencyReport(std::string& reply) {
    if (reply.size() >= 5 && reply[0] == 'F' && reply.compare(2, 3, "000") == 0) {
        reply = reply.substr(0, 2) + "001000000";
    }
}

void takeChunk(Panel& panel, const std::string& chunk) { panel.state.radioInput += noteArrived(panel, chunk); }

std::size_t takeArrived(Panel& panel) {
    auto& state = panel.state;
    std::string chunk;
    std::size_t taken = 0;
    while (taken < kMostTakenAtOnce) {
        const int waiting = panel.catLink.bytesWaiting(state.comPort);
        if (waiting <= 0 || panel.catLink.readBytes(state.comPort, chunk, std::min(waiting, kReadBlock)) <= 0) break;
        takeChunk(panel, chunk);
        taken += chunk.size();
    }
    return taken;
}

void writeDebugLine(Panel& panel, const std::string& line) {
    auto& state = panel.state;
    if (state.debugLog != 1 || !state.debugFile.is_open()) return;
    state.logLine = limitText(line);
    state.debugFile << state.logLine << "\r\n";
    state.debugFile.flush();
}

// As the pause that plays a sound: inside a turn the loop waits and serves meanwhile;
// outside one (the start and the end of the program) the wait is here.
void pauseForReply(Panel& panel) {
    auto& state = panel.state;
    if (!answersAwaited(state)) {
        playPrompt(panel, "delay");
        return;
    }
    state.answerDeadlineMs = panel.platform.clock.steadyMs() + answerLimitMs(state);
    if (!loopWaitsForTurn(state)) {
        while (answersStillAwaited(panel)) continue;
        return;
    }
    state.awaitingAnswers = true;
    platform::yieldFiber();
    state.awaitingAnswers = false;
}

bool answersStillAwaited(Panel& panel) {
    auto& state = panel.state;
    if (!answersAwaited(state)) return false;
    const long long left = state.answerDeadlineMs - panel.platform.clock.steadyMs();
    if (left <= 0 || !panel.catLink.isOpen(state.comPort)) {
        giveUpAnswers(state);
        return false;
    }
    std::string chunk;
    const int look = static_cast<int>(std::min(left, kLookMs));
    if (panel.catLink.readWithin(state.comPort, chunk, kReadBlock, look) > 0) takeChunk(panel, chunk);
    return answersAwaited(state);
}

namespace {

// A poll asked between a turn's words may have its answer in front of the turn's own; that
// answer is the poll's to read.
void setPollAnswerAside(LinkState& state) {
    if (state.pollAwaiting.empty()) return;
    std::size_t start = 0;
    for (auto end = state.radioInput.find(';'); end != std::string::npos; end = state.radioInput.find(';', start)) {
        if (state.radioInput.compare(start, state.pollAwaiting.size(), state.pollAwaiting) == 0) {
            state.pollInput += state.radioInput.substr(start, end + 1 - start);
            state.radioInput.erase(start, end + 1 - start);
            return;
        }
        start = end + 1;
    }
}

void writeCommand(Panel& panel) {
    auto& state = panel.state;
    if (state.vfoBTarget == 1 && startsWith(state.workText, "FA")) state.workText[1] = 'B';
    state.workText = limitText(state.workText + ";");
    if ((startsWith(state.workText, "FA") || startsWith(state.workText, "FB")) && state.workText.size() >= 6) {
        state.lastFreqCommand = state.workText;
        // A frequency other software sends through the relay is a change the operator did not
        // make here; only the panel's own is kept, so that its report is not spoken again.
        if (state.rawVfoHold != 1) state.ownFreqCommand = state.workText;
    }
    if (panel.catLink.writeBytes(state.comPort, state.workText) > 0) noteSent(panel, state.workText);
    writeDebugLine(panel, "TX=" + state.workText);
}

}  // namespace

void sendCommand(Panel& panel) {
    // What the poll read between the words tells of the radio as it was before this command.
    panel.state.answersAfterWords.clear();
    writeCommand(panel);
}

void readReply(Panel& panel) {
    auto& state = panel.state;
    takeArrived(panel);
    setPollAnswerAside(state);
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

void sendPoll(Panel& panel, const std::string& command) {
    panel.state.workText = command;
    writeCommand(panel);
    noteAskedByPoll(panel.state);
}

void query(Panel& panel, const std::string& command) {
    send(panel, command);
    pauseForReply(panel);
    readReply(panel);
}

}  // namespace vocapan
