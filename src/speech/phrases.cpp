#include "speech/phrases.h"

#include "speech/prompt_player.h"
#include "speech/reader_voice.h"
#include "speech/voice_choice.h"

namespace vocapan {

bool startVoice(Panel& panel) {
    auto& state = panel.state;
    const bool reached = state.voice != kReaderVoice || startReaderVoice(panel);
    state.waveDir = waveDirOf(state.voice);
    return reached;
}

void endPhrase(Panel& panel) {
    auto& state = panel.state;
    if (state.phrase.empty()) return;
    std::vector<SpokenPrompt> said = std::move(state.phrase);
    state.phrase.clear();
    // What the transmit key cut off is not said at all.
    if (state.voice == kReaderVoice && state.speechCut == 0) handToReader(panel, said);
    if (state.speechCut == 0) {
        for (const auto& listener : panel.phraseListeners) listener(said);
    }
    state.lastPhrase = std::move(said);
}

void sayLastPhraseAgain(Panel& panel) {
    const std::vector<SpokenPrompt> again = panel.state.lastPhrase;
    for (const auto& prompt : again) {
        if (prompt.async) {
            playPromptAsync(panel, prompt.name);
        } else {
            playPrompt(panel, prompt.name);
        }
    }
}

}  // namespace vocapan
