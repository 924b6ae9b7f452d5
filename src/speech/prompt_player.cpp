#include "speech/prompt_player.h"

#include "core/number_text.h"
#include "platform/fiber.h"
#include "speech/voice_choice.h"

namespace vocapan {

namespace {

// The pause that waits for the radio's answer is timing, not speech: it is never held, is
// no part of a phrase, and keeps its length in every voice.
constexpr const char* kPausePrompt = "delay";

std::string pathOf(Panel& panel, const std::string& name) {
    return playablePromptPath(panel.platform.sound, panel.state.waveDir, name);
}

// A turn hands its sound to the loop, which plays it and serves meanwhile; outside a turn (the
// start and the end of the program, work the loop does itself) the sound is played here, a
// word until the next may follow it, the pause for the radio's answer to its end.
void playToEnd(Panel& panel, const std::string& path, bool reply) {
    auto& state = panel.state;
    if (!loopWaitsForTurn(state)) {
        if (reply) {
            panel.platform.sound.playSync(path);
        } else {
            panel.platform.sound.playSyncBeforeNext(path);
        }
        return;
    }
    state.awaitedSound = path;
    state.awaitingReply = reply;
    platform::yieldFiber();
    state.awaitedSound.clear();
    state.awaitingReply = false;
}

// True when the prompt waits for the phrase in hand; false when it is to be said now.
bool keptForLater(PanelState& state, const std::string& name, bool async) {
    if (state.sayLater == 0) return false;
    state.laterPrompts.push_back({name, async});
    return true;
}

}  // namespace

bool loopWaitsForTurn(const PanelState& state) { return platform::insideFiber() && state.sayLater == 0; }

void playPrompt(Panel& panel, const std::string& name) {
    auto& state = panel.state;
    if (state.waveDir == kSilentWaveDir) return;
    if (name == kPausePrompt) {
        playToEnd(panel, pathOf(panel, name), true);
        return;
    }
    if (keptForLater(state, name, false)) return;
    if (state.phraseCut == 1) return;  // the rest of a cut phrase is dropped, not kept
    state.phrase.push_back({name, false});
    if (state.voice == kReaderVoice) return;  // the screen reader gets the phrase when it ends
    playToEnd(panel, pathOf(panel, name), false);
}

void playPromptAsync(Panel& panel, const std::string& name) {
    auto& state = panel.state;
    if (state.waveDir == kSilentWaveDir || keptForLater(state, name, true) || state.phraseCut == 1) return;
    state.phrase.push_back({name, true});
    if (state.voice == kReaderVoice) return;
    panel.platform.sound.playAsync(pathOf(panel, name));
}

void sayPrompts(Panel& panel, const std::vector<SpokenPrompt>& prompts) {
    for (const auto& prompt : prompts) {
        if (prompt.async) {
            playPromptAsync(panel, prompt.name);
        } else {
            playPrompt(panel, prompt.name);
        }
    }
}

void sayLaterPrompts(Panel& panel) {
    auto& state = panel.state;
    if (state.sayLater > 0) return;
    // What is kept while these are said (a key taken out of turn cutting them) is a phrase of
    // its own, said after them.
    const std::vector<SpokenPrompt> later = std::move(state.laterPrompts);
    state.laterPrompts.clear();
    sayPrompts(panel, later);
}

void sayDigits(Panel& panel, const std::string& text) {
    for (const char c : text) {
        if (c >= '0' && c <= '9') playPrompt(panel, std::string(1, c));
    }
}

void sayDigit(Panel& panel, int digit) {
    if (digit >= 0 && digit <= 9) playPrompt(panel, decimalText(digit));
}

}  // namespace vocapan
