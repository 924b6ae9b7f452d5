#include "panel/event_handler.h"

#include "network/rig_server.h"
#include "panel/key_rules.h"
#include "panel/poll_cycle.h"
#include "panel/relay.h"
#include "speech/phrases.h"

namespace vocapan {

void handleMessage(Panel& panel, const platform::WindowMessage& message) {
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
            }
            break;
        case platform::MessageKind::KeyDown:
            onKeyDown(panel, message.keyCode);
            break;
        case platform::MessageKind::KeyUp:
            panel.state.keyDown = 0;
            break;
    }
    endPhrase(panel);  // what one message said is one phrase
    // What the programs set while the message's words played is taken up now, before the
    // operator's next key: the radio has it already.
    followProgramSets(panel);
    endPhrase(panel);
}

void serveOthersWhileSpeaking(Panel& panel) {
    serveWhileSpeaking(panel);
    relayWhileSpeaking(panel);
}

}  // namespace vocapan
