// Ticks alternate: a send tick asks for the frequency ("FA") or a meter ("SM0" in receive,
// "RM6" while tuning or transmitting, "RM4" while the mic level is metered); the next tick
// reads everything that arrived and decodes it. While the radio's own changes are spoken,
// the frequency poll also asks for the mode ("MD0") once a second.
#include "panel/poll_cycle.h"

#include <string>

#include "controls/frequency_report.h"
#include "controls/knob_speech.h"
#include "core/number_text.h"
#include "core/text_piece.h"
#include "link/command.h"
#include "panel/relay.h"
#include "speech/readouts_meters.h"

namespace vocapan {

namespace {

constexpr int kTickWrap = 20;
constexpr int kMicLevelQuietTicks = 10;  // the mic level is spoken at most every half second

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
    send(panel, "MD0");
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

void sendTick(Panel& panel) {
    auto& state = panel.state;
    if (state.relayPort > 0) relayPoll(panel);
    const std::string command = pollCommand(state);
    state.pollAlt = 1 - state.pollAlt;
    if (!command.empty()) send(panel, command);
    if (command == "FA") askModeWithFrequency(panel);
    state.pollPhase = 1;
}

// The S-meter figure follows the radio without a word: no prompt is found under "xx".
void showSMeter(Panel& panel) {
    auto& state = panel.state;
    state.sMeter = numberFromText(textPiece(state.replyText, 4, 3));
    const std::string waveDir = state.waveDir;
    state.waveDir = "xx";
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

void readTick(Panel& panel) {
    auto& state = panel.state;
    state.pollPhase = 0;
    if (panel.catLink.bytesWaiting(state.comPort) <= 0) return;
    readReply(panel);

    takeModeAnswer(panel);  // before the report that speaks it clears the reply
    if (beginsWith(state.replyText, "FA") || beginsWith(state.replyText, "FB")) onFrequencyReport(panel);
    if (beginsWith(state.replyText, "SM")) showSMeter(panel);
    if (const int found = findText(state.replyText, "RM6"); found > 0) takeSwr(panel, found);
    if (const int found = findText(state.replyText, "RM4"); found > 0 && state.micMeter > 0) takeMicLevel(panel, found);
}

}  // namespace

void pollTick(Panel& panel) {
    auto& state = panel.state;
    if (state.pollHold == 1) return;
    if (++state.tickCount > kTickWrap) state.tickCount = 0;
    if (state.pollPhase == 1) {
        readTick(panel);
    } else {
        sendTick(panel);
    }
}

}  // namespace vocapan
