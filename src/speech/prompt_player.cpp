#include "speech/prompt_player.h"

#include "core/number_text.h"
#include "speech/voice_choice.h"

namespace vocapan {

namespace {

// The pause that waits for the radio's answer is timing, not speech: it is never held, is
// no part of a phrase, and keeps its length in every voice.
constexpr const char* kPausePrompt = "delay";

std::string pathOf(Panel& panel, const std::string& name) {
    return playablePromptPath(panel.platform.sound, panel.state.waveDir, name);
}

enum class Cut { Never, ByTransmitKey };

// The one place a prompt is played to its end; the panel goes on answering meanwhile. The
// transmit key pressed on a keyed transmitter silences a prompt at once; the pause that waits
// for the radio keeps its length, so that the answer it waits for is there.
void playToEnd(Panel& panel, const std::string& path, Cut cut = Cut::ByTransmitKey) {
    if (!panel.whileSpeaking) {
        panel.platform.sound.playSync(path);
        return;
    }
    panel.platform.sound.playSync(path, [&panel, cut] {
        panel.whileSpeaking(panel);
        return cut == Cut::Never || panel.state.speechCut == 0;
    });
}

}  // namespace

void playPrompt(Panel& panel, const std::string& name) {
    auto& state = panel.state;
    if (state.waveDir == kSilentWaveDir) return;
    if (name == kPausePrompt) {
        // The radio's port is left to the command that waits for its answer.
        const int outerPause = state.replyPause;
        state.replyPause = 1;
        playToEnd(panel, pathOf(panel, name), Cut::Never);
        state.replyPause = outerPause;
        return;
    }
    if (state.speechCut == 1) return;  // the rest of a cut phrase is dropped, not kept
    state.phrase.push_back({name, false});
    if (state.voice == kReaderVoice) return;  // the screen reader gets the phrase when it ends
    const std::string path = pathOf(panel, name);
    if (state.holdSpeech == 1) {
        state.heldPrompts.push_back(path);
        return;
    }
    playToEnd(panel, path);
}

void speakHeldPrompts(Panel& panel) {
    auto& state = panel.state;
    state.holdSpeech = 0;
    const std::vector<std::string> held = std::move(state.heldPrompts);
    state.heldPrompts.clear();
    for (const auto& path : held) {
        if (state.speechCut == 1) return;
        playToEnd(panel, path);
    }
}

void playPromptAsync(Panel& panel, const std::string& name) {
    auto& state = panel.state;
    if (state.waveDir == kSilentWaveDir || state.speechCut == 1) return;
    state.phrase.push_back({name, true});
    if (state.voice == kReaderVoice) return;
    panel.platform.sound.playAsync(pathOf(panel, name));
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
