#include "panel/event_handler.h"

#include "core/key_codes.h"
#include "network/rig_server.h"
#include "panel/key_rules.h"
#include "panel/poll_cycle.h"
#include "panel/relay.h"
#include "panel/wsjtx_link.h"
#include "platform/key_queue.h"
#include "speech/phrases.h"
#include "speech/reader_voice.h"

namespace vocapan {

namespace {

// While the panel speaks, the transmit key pressed on a keyed transmitter does not wait
// behind the words: what is being said stops, and the key is served as soon as the message
// being handled is done, before the keys pressed earlier.
void watchTransmitKey(Panel& panel) {
    auto& state = panel.state;
    if (state.txState == 0 || state.speechCut == 1) return;
    if (panel.platform.window.takeKeyDown(vk::kSpace) || platform::takeKeyDownFrom(state.pageKeys, vk::kSpace)) {
        state.speechCut = 1;
    }
}

void serveTakenTransmitKey(Panel& panel) {
    auto& state = panel.state;
    if (state.speechCut == 0) return;
    state.speechCut = 0;
    state.keyDown = 0;  // it is a key of its own, whatever was held before it
    onKeyDown(panel, vk::kSpace);
    endPhrase(panel);
}

}  // namespace

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
                serviceWsjtx(panel);
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
    // A screen reader that went away is noticed, and looked for again, whatever the operator
    // is doing; what is said of it is a phrase of its own.
    watchScreenReader(panel);
    endPhrase(panel);
    serveTakenTransmitKey(panel);
}

void serveOthersWhileSpeaking(Panel& panel) {
    serveWhileSpeaking(panel);
    relayWhileSpeaking(panel);
    watchTransmitKey(panel);
}

}  // namespace vocapan
