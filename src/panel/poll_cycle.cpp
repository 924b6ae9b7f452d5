// Ticks alternate: a send tick asks for the frequency ("FA") or a meter ("SM0" in receive,
// "RM6" while tuning or transmitting, "RM4" while the mic level is metered); the next tick
// reads everything that arrived and decodes the latest answer of each kind. While the radio's
// own changes are spoken, the frequency poll also asks for the mode ("MD0") once a second.
#include "panel/poll_cycle.h"

#include <string>
#include <vector>

#include "controls/frequency_report.h"
#include "controls/knob_speech.h"
#include "core/number_text.h"
#include "core/text_piece.h"
#include "link/command.h"
#include "panel/radio_watch.h"
#include "panel/relay.h"
#include "speech/prompt_player.h"
#include "speech/readouts_meters.h"

namespace vocapan {

namespace {

constexpr int kTickWrap = 20;
constexpr int kMicLevelQuietTicks = 10;  // the mic level is spoken at most every half second
constexpr int kQuitWaitTicks = 16;       // a radio that reports no more lets the session end after 0.8 s

std::string pollCommand(const PanelState& state) {
    if (state.pollAlt == 0) return state.txState > 0 ? "" : "FA";
    if (state.micMeter > 0) return "RM4";
    return state.tuning == 1 || state.txState > 0 ? "RM6" : "SM0";
}

// --- The mode at the radio, asked only while its changes are spoken ---

constexpr int kModePollEvery = 5;  // frequency polls: the mode is asked once a second

// The mode question rides on the frequency poll's tick, after "FA", so the polls keep their
// pace and the frequency answer still comes first in what is read.
void askModeWithFrequency(Panel& panel) {
    auto& state = panel.state;
    if (state.knobSpeech != 1 || ++state.modePollCount < kModePollEvery) return;
    state.modePollCount = 0;
    state.modeWhenAsked = state.mode;
    sendPoll(panel, "MD0");
}

// An answer given before a mode key of the panel's own took effect is out of date.
void takeModeAnswer(Panel& panel) {
    const auto& state = panel.state;
    if (state.knobSpeech != 1 || state.mode != state.modeWhenAsked) return;
    if (const int found = findText(state.replyText, "MD0"); found > 0) {
        takeRadioMode(panel, textPiece(state.replyText, found, 4));
    }
}

// --- The poll ---

void askNext(Panel& panel) {
    auto& state = panel.state;
    const std::string command = pollCommand(state);
    state.pollAlt = 1 - state.pollAlt;
    if (!command.empty()) {
        sendPoll(panel, command);
        state.pollAwaiting = textPiece(state.workText, 1, 2);
    }
    state.pollPhase = 1;
}

void sendTick(Panel& panel) {
    auto& state = panel.state;
    if (state.relayPort > 0) {
        watchRelayPort(panel);
        relayPoll(panel);
    }
    const bool asksFrequency = pollCommand(state) == "FA";
    askNext(panel);
    if (asksFrequency) askModeWithFrequency(panel);
}

// The S-meter figure follows the radio without a word: the silent prompt folder holds no prompt.
void showSMeter(Panel& panel) {
    auto& state = panel.state;
    state.sMeter = numberFromText(textPiece(state.replyText, 4, 3));
    const std::string waveDir = state.waveDir;
    state.waveDir = kSilentWaveDir;
    saySMeter(panel);
    state.waveDir = waveDir;
}

// While transmitting, once the first readings have settled, only a higher SWR replaces the
// one kept, so the readout gives the worst of the transmission.
void takeSwr(Panel& panel, int found) {
    auto& state = panel.state;
    const std::string reading = textPiece(state.replyText, found + 3, 3);
    if (state.txState > 0 && state.swrSettle == 0) {
        if (numberFromText(reading) > numberFromText(state.swrText)) state.swrText = reading;
    } else {
        state.swrText = reading;
    }
    if (state.swrOption > 0 || state.txState == 0) saySwr(panel);
    if (state.swrSettle > 0) --state.swrSettle;
}

void takeMicLevel(Panel& panel, int found) {
    auto& state = panel.state;
    const int level = numberFromText(textPiece(state.replyText, found + 3, 3));
    if (level > state.micPeak) state.micPeak = level;
    if (state.tickCount > kMicLevelQuietTicks) sayMicLevel(panel);
}

// The latest answer of each kind in one read: after a burst of reports the readouts show
// the radio as it is now, not as it was when the burst began.
struct LatestAnswers {
    const std::string* frequency = nullptr;
    const std::string* sMeter = nullptr;
    const std::string* swr = nullptr;
    const std::string* micLevel = nullptr;
    const std::string* mode = nullptr;
};

LatestAnswers latestOfEachKind(const std::vector<std::string>& answers) {
    LatestAnswers latest;
    for (const auto& answer : answers) {
        if (beginsWith(answer, "FA") || beginsWith(answer, "FB")) latest.frequency = &answer;
        if (beginsWith(answer, "SM")) latest.sMeter = &answer;
        if (findText(answer, "RM6") > 0) latest.swr = &answer;
        if (findText(answer, "RM4") > 0) latest.micLevel = &answer;
        if (beginsWith(answer, "MD0")) latest.mode = &answer;
    }
    return latest;
}

// Whether the radio still answers: any byte from it will do; a poll with nothing back counts.
void notePollAnswer(LinkState& state, const std::vector<std::string>& answers, bool heard) {
    for (const auto& answer : answers) {
        if (!state.pollAwaiting.empty() && beginsWith(answer, state.pollAwaiting)) state.pollAwaiting.clear();
    }
    if (heard) {
        state.unansweredPolls = 0;
    } else if (!state.pollAwaiting.empty()) {
        ++state.unansweredPolls;
    }
}

// Everything the radio sent since the last read, in order, the answers kept from between the
// words first; an answer below 1 MHz repaired, the read logged.
std::vector<std::string> takeAnswers(Panel& panel) {
    auto& state = panel.state;
    state.pollPhase = 0;
    const bool broughtSome = takeArrived(panel) > 0;
    // Through a serial server the poll's own answers were set apart from the rest as they came.
    state.radioInput.insert(0, state.pollInput);
    state.pollInput.clear();
    const bool heard = broughtSome || !state.radioInput.empty();
    std::vector<std::string> answers = takeTerminated(state.radioInput);
    notePollAnswer(state, answers, heard);
    std::string read;
    for (auto& answer : answers) {
        repairLowFrequencyReport(answer);
        read += answer;
    }
    if (!read.empty()) writeDebugLine(panel, "RX=" + read);
    answers.insert(answers.begin(), state.answersAfterWords.begin(), state.answersAfterWords.end());
    state.answersAfterWords.clear();
    return answers;
}

void readTick(Panel& panel) {
    auto& state = panel.state;
    const std::vector<std::string> answers = takeAnswers(panel);
    if (answers.empty()) return;

    const LatestAnswers latest = latestOfEachKind(answers);
    if (latest.mode) {
        state.replyText = *latest.mode;
        takeModeAnswer(panel);
    }
    if (latest.frequency) {
        state.replyText = *latest.frequency;
        onFrequencyReport(panel);
    }
    if (latest.sMeter) {
        state.replyText = *latest.sMeter;
        showSMeter(panel);
    }
    if (latest.swr) {
        state.replyText = *latest.swr;
        takeSwr(panel, findText(state.replyText, "RM6"));
    }
    if (latest.micLevel && state.micMeter > 0) {
        state.replyText = *latest.micLevel;
        takeMicLevel(panel, findText(state.replyText, "RM4"));
    }
}

// Between the words the S-meter is shown as it is read; the frequency, the mode and the
// transmit meters may have something said or asked, which would break into the words or the
// turn's own work on the radio, so the latest of each waits for the read after the words.
void readBetweenPrompts(Panel& panel) {
    auto& state = panel.state;
    const std::vector<std::string> answers = takeAnswers(panel);
    const LatestAnswers latest = latestOfEachKind(answers);
    for (const std::string* kept : {latest.mode, latest.frequency, latest.swr, latest.micLevel}) {
        if (kept) state.answersAfterWords.push_back(*kept);
    }
    if (latest.sMeter) {
        state.replyText = *latest.sMeter;
        showSMeter(panel);
    }
}

}  // namespace

void pollBetweenPrompts(Panel& panel) {
    auto& state = panel.state;
    // The first report, a radio being lost and the quit are the turn's own; so are the words
    // of the poll's own read.
    if (state.pollHold == 1 || state.readingPoll || state.connected == 0 || state.radioLost != 0 ||
        state.quitCountdown > 0 || !panel.platform.window.takeDueTick(kPollTimer))
        return;
    if (++state.tickCount > kTickWrap) state.tickCount = 0;
    if (state.pollPhase == 1) {
        readBetweenPrompts(panel);
    } else {
        askNext(panel);
    }
}

void pollTick(Panel& panel) {
    auto& state = panel.state;
    if (state.quitCountdown > 0 && ++state.quitTicks >= kQuitWaitTicks) {
        finishQuit(panel);
        return;
    }
    if (state.pollHold == 1) return;
    if (++state.tickCount > kTickWrap) state.tickCount = 0;
    if (watchRadio(panel)) return;
    if (state.pollPhase == 1) {
        state.readingPoll = true;
        readTick(panel);
        state.readingPoll = false;
    } else {
        sendTick(panel);
    }
}

}  // namespace vocapan
