#include "panel/radio_watch.h"

#include "core/text_piece.h"
#include "link/answers_on_the_way.h"
#include "link/command.h"
#include "panel/initialise_panel.h"
#include "panel/radio_query.h"
#include "speech/prompt_player.h"

namespace vocapan {

namespace {

// Polls in a row, about 1.2 s in receive; through a serial server, the polls of one round
// trip more, so that a slow line is never taken for a lost radio.
constexpr int kUnansweredBeforeLost = 12;
constexpr int kRetryTicks = 20;  // the port is tried every second
constexpr const char* kIdentityAnswer = "ID0840;";

// Until it answers again the operator's keys are answered "nc", as before the first report,
// and Q ends the session at once.
void loseRadio(Panel& panel) {
    auto& state = panel.state;
    state.radioLost = 1;
    state.connected = 0;
    state.lostTicks = kRetryTicks - 1;  // the first try comes with the next tick
    state.radioInput.clear();
    state.pollAwaiting.clear();
    forgetQuestions(state);
    playPrompt(panel, "radiolost");
}

// The radio gave its identity again: it is tuned and read back as at start, and its next
// frequency report announces the connection.
void radioFound(Panel& panel) {
    auto& state = panel.state;
    state.radioLost = 0;
    state.unansweredPolls = 0;
    state.radioInput.clear();
    state.pollPhase = 0;
    state.pollAlt = 0;
    if (queryRadioAgain(panel) != RadioQueryResult::Ready) loseRadio(panel);
}

void askWhoIsThere(Panel& panel) {
    panel.state.radioInput.clear();
    send(panel, "ID");
}

// A failed port is opened again; an open one is asked who it is. The answer is looked for
// on the ticks that follow, so the panel never waits for a radio that is not there. A serial
// server is connected to afresh at every try, since a connection that carried nothing back
// may be dead halfway; the radio is asked once the connection is made.
void tryPort(Panel& panel) {
    auto& state = panel.state;
    const bool network = state.comPort == CatLink::kNetworkSlot;
    if (network || !panel.catLink.isOpen(state.comPort)) openPanelPort(panel, state.comPort);
    if (panel.catLink.isOpen(state.comPort)) askWhoIsThere(panel);
}

bool identityHeard(Panel& panel) {
    auto& state = panel.state;
    takeArrived(panel);
    const bool heard = findText(state.radioInput, kIdentityAnswer) > 0;
    if (state.radioInput.size() > kTextLimit) state.radioInput.clear();  // a wrong radio's chatter
    return heard;
}

}  // namespace

bool watchRadio(Panel& panel) {
    auto& state = panel.state;
    if (state.radioLost == 0) {
        const int unansweredBeforeLost = kUnansweredBeforeLost + roundTripPolls(state);
        if (!panel.catLink.hasFailed(state.comPort) && state.unansweredPolls < unansweredBeforeLost) return false;
        loseRadio(panel);
        return true;
    }
    if (identityHeard(panel)) {
        radioFound(panel);
        return state.radioLost == 1;
    }
    const bool connectionMade = panel.catLink.finishConnecting(0) == 1;
    if (connectionMade) askWhoIsThere(panel);
    if (++state.lostTicks >= kRetryTicks) {
        state.lostTicks = 0;
        if (!connectionMade) tryPort(panel);
    }
    return true;
}

}  // namespace vocapan
