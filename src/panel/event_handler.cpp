#include "panel/event_handler.h"

#include "network/rig_server.h"
#include "panel/key_rules.h"
#include "panel/poll_cycle.h"
#include "panel/relay.h"
#include "panel/speech_turns.h"
#include "panel/wsjtx_link.h"
#include "speech/reader_voice.h"

namespace vocapan {

namespace {

void dispatch(Panel& panel, const platform::WindowMessage& message) {
    switch (message.kind) {
        case platform::MessageKind::CloseRequest:
            panel.state.running = 0;
            break;
        case platform::MessageKind::Timer:
            if (message.timerId == kRelayTimer) {
                relayPoll(panel);
            } else {
                pollTick(panel);
                serviceNetwork(panel);
                serviceWsjtx(panel);
            }
            break;
        case platform::MessageKind::KeyDown:
            onKeyDown(panel, message.keyCode);
            break;
        case platform::MessageKind::KeyUp:
            onKeyUp(panel, message.keyCode);
            break;
    }
}

}  // namespace

void handleMessage(Panel& panel, const platform::WindowMessage& message) {
    runTurn(panel, [&] { dispatch(panel, message); });
    endTurnPhrase(panel);  // what one message said is one phrase
    // A screen reader that went away is noticed, and looked for again, whatever the operator
    // is doing; what is said of it is a phrase of its own.
    runTurn(panel, [&panel] { watchScreenReader(panel); });
    endTurnPhrase(panel);
}

}  // namespace vocapan
