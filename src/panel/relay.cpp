#include "panel/relay.h"

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "controls/frequency_report.h"
#include "controls/mode_change.h"
#include "core/number_text.h"
#include "core/text_piece.h"
#include "link/command.h"
#include "panel/initialise_panel.h"
#include "panel/relay_commands.h"
#include "speech/prompt_player.h"

namespace vocapan {

namespace {

using SteadyClock = std::chrono::steady_clock;

// A radio answers within a few milliseconds; a set command it does not answer costs this.
constexpr auto kAnswerLimit = std::chrono::milliseconds(100);
constexpr int kReadBlock = 4096;
constexpr std::size_t kShortestReport = 6;
constexpr int kMostCommandsAtOnce = 16;
constexpr int kLingerMs = 5;
constexpr auto kLingerBudget = std::chrono::milliseconds(20);
constexpr int kRetrySendTicks = 10;  // a failed relay port is tried again every second

// An answer that is not the relayed command's goes to the poll cycle, in the order the radio
// sent it; the poll's own answer among them is no longer awaited.
void setAside(LinkState& state, const std::string& answer) {
    if (!state.pollAwaiting.empty() && beginsWith(answer, state.pollAwaiting)) state.pollAwaiting.clear();
    state.radioInput += answer;
}

// Everything the radio sent before the command leaves is not its answer. An answer still
// arriving at the end is handed back, to be completed by what comes next.
std::string setAsideWhatCameBefore(Panel& panel) {
    auto& state = panel.state;
    takeArrived(panel);
    std::string complete = std::move(state.radioInput);
    state.radioInput.clear();
    const std::size_t cut = complete.rfind(';');
    std::string unfinished = cut == std::string::npos ? complete : complete.substr(cut + 1);
    complete.resize(cut == std::string::npos ? 0 : cut + 1);
    for (const auto& answer : takeTerminated(complete)) setAside(state, answer);
    return unfinished;
}

// The radio's answer to the relayed command that begins with `letters`: the first complete
// answer with those letters (unless the panel's own poll of the same letters is still
// awaited: that one comes first), or "?;". Empty when none came within the limit.
std::string awaitAnswer(Panel& panel, const std::string& letters, std::string arriving) {
    auto& state = panel.state;
    const auto deadline = SteadyClock::now() + kAnswerLimit;
    for (;;) {
        std::vector<std::string> answers = takeTerminated(arriving);
        for (std::size_t i = 0; i < answers.size(); ++i) {
            const std::string& answer = answers[i];
            const bool pollsOwn = !state.pollAwaiting.empty() && beginsWith(answer, state.pollAwaiting);
            if (pollsOwn || !(beginsWith(answer, letters) || answer == "?;")) {
                setAside(state, answer);
                continue;
            }
            for (std::size_t later = i + 1; later < answers.size(); ++later) setAside(state, answers[later]);
            state.radioInput += arriving;
            state.unansweredPolls = 0;
            return answer;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - SteadyClock::now());
        std::string chunk;
        if (left.count() <= 0 ||
            panel.catLink.readWithin(state.comPort, chunk, kReadBlock, static_cast<int>(left.count())) <= 0) {
            break;
        }
        state.unansweredPolls = 0;
        arriving += chunk;
    }
    state.radioInput += arriving;
    return {};
}

// A frequency report in the radio's answer goes to the frequency line.
void showReport(Panel& panel, const std::string& answer) {
    auto& state = panel.state;
    state.relayEnd = findText(answer, ";") + 1;
    state.relayFaPos = findText(answer, "FA");
    state.replyText = textPiece(answer, state.relayFaPos, state.relayEnd - state.relayFaPos);
    if (state.relayFaPos >= 1 && state.replyText.size() >= kShortestReport) onFrequencyReport(panel);
}

// A mode set by the other program is taken over by the panel.
void takeOverMode(Panel& panel, const std::string& command) {
    auto& state = panel.state;
    if (!beginsWith(command, "MD0") || !isSetCommand(command)) return;
    const int mode = modeOfCommand(state, textPiece(command, 1, 4));
    if (mode == 0) return;
    state.mode = mode;
    applyMode(panel);
}

// `command` comes with its ";". A set goes without waiting, as the radio never answers one;
// a query waits for its own answer. While the panel speaks, the panel follows the command
// only once it has finished: the radio's frequency it reads by its own poll then, and a mode
// set waits in `relayHeld`.
void forwardCommand(Panel& panel, const std::string& command, bool speaking) {
    auto& state = panel.state;
    state.rawVfoHold = 1;
    state.relayFaPos = 0;
    writeDebugLine(panel, "***VRX1=" + command);

    std::string unfinished = setAsideWhatCameBefore(panel);
    state.workText = command.substr(0, command.size() - 1);
    sendCommand(panel);
    const std::string sent = state.workText;  // as the radio got it, with its ";"
    if (speaking) state.relayHeld.push_back(sent);

    if (isSetCommand(sent)) {
        state.radioInput += unfinished;
        if (!speaking) takeOverMode(panel, sent);
        return;
    }
    const std::string answer = awaitAnswer(panel, textPiece(sent, 1, 2), std::move(unfinished));
    if (answer.empty()) return;
    writeDebugLine(panel, "***VTX1=" + answer);
    panel.catLink.writeBytes(state.relayPort, answer);
    if (!speaking) showReport(panel, answer);
}

// The commands sent while the panel spoke are followed now, as the other program's.
void followHeld(Panel& panel) {
    auto& state = panel.state;
    if (state.relayHeld.empty()) return;
    const std::vector<std::string> held = std::move(state.relayHeld);
    state.relayHeld.clear();
    state.rawVfoHold = 1;
    for (const auto& command : held) takeOverMode(panel, command);
}

// Takes what the other program has written into `relayBuffer`.
void readRelayPort(Panel& panel) {
    auto& state = panel.state;
    for (;;) {
        state.replyCount = panel.catLink.bytesWaiting(state.relayPort);
        if (state.replyCount <= 0) break;
        panel.catLink.readBytes(state.relayPort, state.relayChunk, std::min(state.replyCount, kReadBlock));
        state.relayBuffer += state.relayChunk;
        state.relayChunk.clear();
    }
}

// Waits a few milliseconds, within the budget of this call, for the program's next command;
// true when more has come.
bool lingerForMore(Panel& panel, SteadyClock::time_point start) {
    auto& state = panel.state;
    using std::chrono::milliseconds;
    const auto left = std::chrono::duration_cast<milliseconds>(kLingerBudget - (SteadyClock::now() - start));
    const int wait = static_cast<int>(std::min<long long>(kLingerMs, left.count()));
    if (wait <= 0) return false;
    std::string chunk;
    while (panel.catLink.readWithin(state.relayPort, chunk, kReadBlock, wait) > 0) {
        state.relayBuffer += chunk;
        if (state.relayBuffer.find(';') != std::string::npos) return true;
    }
    return false;
}

// Blanks and line ends around a command (a terminal's Enter) are not part of it.
std::string withoutBlanks(const std::string& command) {
    const std::size_t first = command.find_first_not_of(" \t\r\n");
    return first == std::string::npos ? std::string() : command.substr(first);
}

// The next complete command of `received`, with its ";"; empty when none has come whole. A
// run longer than any command (line noise, another protocol) is dropped, so that the relay
// understands the next command again.
std::string nextCommand(std::string& received) {
    for (std::size_t end = received.find(';'); end != std::string::npos; end = received.find(';')) {
        std::string command = withoutBlanks(received.substr(0, end + 1));
        received.erase(0, end + 1);
        if (command.size() > 1 && command.size() <= kTextLimit) return command;
    }
    if (received.size() >= kTextLimit) received.clear();
    return {};
}

// The commands that have come are served in turn. Outside speech, the next one the program
// writes after an answer is waited for a few milliseconds; the polls and the keys have their
// turn once the program pauses, or after a few tens of milliseconds.
void serveCommands(Panel& panel, bool speaking) {
    auto& state = panel.state;
    state.relayEnd = 0;
    readRelayPort(panel);
    // The radio cannot hear them: the other program's questions go unanswered, as they would
    // with the radio switched off.
    if (state.radioLost == 1) state.relayBuffer.clear();

    const auto start = SteadyClock::now();
    for (int served = 0; served < kMostCommandsAtOnce; ++served) {
        std::string command = nextCommand(state.relayBuffer);
        if (command.empty() && served > 0 && !speaking && lingerForMore(panel, start)) {
            command = nextCommand(state.relayBuffer);
        }
        if (command.empty()) return;
        forwardCommand(panel, command, speaking);
    }
}

}  // namespace

void watchRelayPort(Panel& panel) {
    auto& state = panel.state;
    if (panel.catLink.isOpen(state.relayPort)) {
        state.relayRetryTicks = 0;
        return;
    }
    if (++state.relayRetryTicks < kRetrySendTicks) return;
    state.relayRetryTicks = 0;
    openPanelPort(panel, state.relayPort);
    // What the old pair held half-sent is no command of the new one.
    if (panel.catLink.isOpen(state.relayPort)) state.relayBuffer.clear();
}

void relayPoll(Panel& panel) {
    auto& state = panel.state;
    if (state.relayPort <= 0 || state.pollHold == 1) return;
    // The other program's commands are answered before anything the relay has the panel say.
    ++state.sayLater;
    followHeld(panel);
    serveCommands(panel, false);
    --state.sayLater;
    sayLaterPrompts(panel);
}

void relayBetweenPrompts(Panel& panel) {
    auto& state = panel.state;
    if (state.relayPort <= 0 || state.pollHold == 1) return;
    // The band table's hold is the operator's turn's own; what the relay forwards now is
    // followed at its next turn.
    const int rawVfoHold = state.rawVfoHold;
    serveCommands(panel, true);
    state.rawVfoHold = rawVfoHold;
}

}  // namespace vocapan
