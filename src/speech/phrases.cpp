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
    // What the transmit key cut off is not said at all, on any output.
    if (state.phraseCut == 0) {
        if (state.voice == kReaderVoice) handToReader(panel, said);
        for (const auto& listener : panel.phraseListeners) listener(said);
    }
    state.lastPhrase = std::move(said);
}

void sayLastPhraseAgain(Panel& panel) {
    const std::vector<SpokenPrompt> again = panel.state.lastPhrase;
    sayPrompts(panel, again);
}

}  // namespace vocapan
