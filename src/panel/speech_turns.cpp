#include "panel/speech_turns.h"

#include <array>

#include "core/key_codes.h"
#include "core/panel_numbers.h"
#include "link/command.h"
#include "network/rig_server.h"
#include "panel/braille_output.h"
#include "panel/key_rules.h"
#include "panel/poll_cycle.h"
#include "panel/relay.h"
#include "panel/wsjtx_link.h"
#include "platform/fiber.h"
#include "platform/key_queue.h"
#include "speech/phrases.h"
#include "speech/prompt_player.h"
#include "web/web_page.h"

namespace vocapan {

namespace {

// What the turn may be holding in the panel's working fields while its sound plays: the work
// done meanwhile leaves them as it found them.
struct TurnWork {
    explicit TurnWork(const PanelState& state)
        : workText(state.workText), replyText(state.replyText), replyCount(state.replyCount), keyCode(state.keyCode) {}
    void restore(PanelState& state) const {
        state.workText = workText;
        state.replyText = replyText;
        state.replyCount = replyCount;
        state.keyCode = keyCode;
    }
    std::string workText;
    std::string replyText;
    int replyCount;
    int keyCode;
};

// The words stop at once, what was kept for after them goes too, and the rest of the phrase
// is dropped.
void cutWords(Panel& panel) {
    auto& state = panel.state;
    state.phraseCut = 1;
    state.laterPrompts.clear();
}

// A key that does not wait for the words: it cuts them and acts at once; what it says is said
// once the turn in hand has ended.
void actOutOfTurn(Panel& panel, int keyCode) {
    cutWords(panel);
    panel.state.keyDown = 0;  // it is a key of its own, whatever was held before it
    onKeyDown(panel, keyCode);
}

bool transmitterMayBeKeyed(const PanelState& state) { return state.txState > 0 || wsjtxMayTransmit(state); }

// A key-down of `keyCode` pressed meanwhile in the window, or else on a web page, taken out of
// the keys waiting there: the keys of both pass the others by one rule.
bool takeWaitingKeyDown(Panel& panel, int keyCode) {
    return panel.platform.window.takeKeyDown(keyCode) || platform::takeKeyDownFrom(panel.state.pageKeys, keyCode);
}

// The transmit key while any transmitter may be keyed (the operator's, a program's, WSJT-X's),
// and in the digital-mode entry the keys that step through the calls and answer one, so that
// an answer goes out within its period.
void takeKeysOutOfTurn(Panel& panel) {
    if (transmitterMayBeKeyed(panel.state) && takeWaitingKeyDown(panel, vk::kSpace)) actOutOfTurn(panel, vk::kSpace);
    constexpr std::array kDigitalEntryKeys{vk::kUp, vk::kDown, vk::kEnter};
    for (const int key : kDigitalEntryKeys) {
        if (panel.state.entryMode == kDigitalEntry && takeWaitingKeyDown(panel, key)) actOutOfTurn(panel, key);
    }
}

// Everything that may not wait for the words, done between looks at the sound.
void serveBetweenPrompts(Panel& panel) {
    auto& state = panel.state;
    const TurnWork kept(state);
    ++state.sayLater;
    serveProgramsBetweenPrompts(panel);
    // The pause that waits for the radio's answer leaves the radio's port to the turn; between
    // words the radio's poll keeps its pace and the relay is answered.
    if (!state.awaitingReply && !state.awaitingAnswers) {
        pollBetweenPrompts(panel);
        relayBetweenPrompts(panel);
    }
    readWsjtx(panel);
    serveWebPage(panel);
    showStatusInBraille(panel);
    takeKeysOutOfTurn(panel);
    --state.sayLater;
    kept.restore(state);
}

// Plays the sound the turn waits for, or waits for the radio's answers through a serial
// server, serving meanwhile. The pause for the radio's answer is never cut, so the answer it
// waits for is there.
void playAwaitedSound(Panel& panel) {
    if (panel.state.awaitingAnswers) {
        while (answersStillAwaited(panel)) serveBetweenPrompts(panel);
        return;
    }
    auto& sound = panel.platform.sound;
    sound.playAsync(panel.state.awaitedSound);
    const auto stillPlaying = [&] {
        return panel.state.awaitingReply ? sound.stillPlaying(platform::kServeWhilePlayingMs)
                                         : sound.stillPlayingBeforeNext(platform::kServeWhilePlayingMs);
    };
    while (stillPlaying()) {
        serveBetweenPrompts(panel);
        if (panel.state.phraseCut == 1 && !panel.state.awaitingReply) {
            sound.stop();
            return;
        }
    }
}

}  // namespace

void runTurn(Panel& panel, const std::function<void()>& work) {
    if (platform::insideFiber()) {
        work();
        return;
    }
    const auto fiber = platform::makeFiber(work);
    while (!fiber->resume()) playAwaitedSound(panel);
}

void endTurnPhrase(Panel& panel) {
    endPhrase(panel);
    panel.state.phraseCut = 0;
    while (!panel.state.laterPrompts.empty()) {
        runTurn(panel, [&panel] { sayLaterPrompts(panel); });
        endPhrase(panel);
        panel.state.phraseCut = 0;
    }
}

}  // namespace vocapan
