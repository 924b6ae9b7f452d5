// Ticks alternate: a send tick asks for the frequency ("FA") or a meter ("SM0" in receive,
// "RM6" while tuning or transmitting, "RM4" while the mic level is metered); the next tick
// reads everything that arrived and decodes it.
#include "panel/poll_cycle.h"

#include <string>

#include "controls/frequency_report.h"
#include "core/number_text.h"
#include "core/text_piece.h"
#include "link/command.h"
#include "panel/relay.h"
#include "speech/prompt_player.h"
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

void sendTick(Panel& panel) {
    auto& state = panel.state;
    if (state.relayPort > 0) relayPoll(panel);
    const std::string command = pollCommand(state);
    state.pollAlt = 1 - state.pollAlt;
    if (!command.empty()) send(panel, command);
    state.pollPhase = 1;
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

void readTick(Panel& panel) {
    auto& state = panel.state;
    state.pollPhase = 0;
    if (panel.catLink.bytesWaiting(state.comPort) <= 0) return;
    readReply(panel);

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
