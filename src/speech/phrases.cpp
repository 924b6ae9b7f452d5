#include "speech/phrases.h"

#include "speech/prompt_player.h"
#include "speech/prompt_words.h"
#include "speech/voice_choice.h"

namespace vocapan {

bool startVoice(Panel& panel) {
    auto& state = panel.state;
    const bool reached = state.voice != kReaderVoice || panel.platform.reader.connect();
    if (!reached) state.voice = kRecordedVoice;
    state.waveDir = waveDirOf(state.voice);
    return reached;
}

void endPhrase(Panel& panel) {
    auto& state = panel.state;
    if (state.phrase.empty()) return;
    if (state.voice == kReaderVoice) {
        std::vector<std::string> names;
        for (const auto& prompt : state.phrase) names.push_back(prompt.name);
        const std::string text = phraseText(names);
        if (!text.empty()) panel.platform.reader.say(text);
    }
    state.lastPhrase = std::move(state.phrase);
    state.phrase.clear();
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
