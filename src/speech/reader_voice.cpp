#include "speech/reader_voice.h"

#include <algorithm>

#include "speech/prompt_player.h"
#include "speech/prompt_words.h"
#include "speech/voice_choice.h"

namespace vocapan {

namespace {

using platform::ReaderState;

constexpr std::size_t kPhrasesKept = 16;  // far more than a reader holds in its deadline

// The phrases handed to the reader that it will never say, oldest first.
std::vector<std::vector<SpokenPrompt>> untakenPhrases(Panel& panel) {
    const auto& handed = panel.state.readerHanded;
    const std::size_t count = std::min(panel.platform.reader.untaken(), handed.size());
    return {handed.end() - static_cast<std::ptrdiff_t>(count), handed.end()};
}

// From here on the recorded voice speaks: first the word why, once, then what the reader
// never said, so that nothing the panel said is lost.
void loseReader(Panel& panel, const std::vector<std::vector<SpokenPrompt>>& unsaid) {
    auto& state = panel.state;
    state.voice = kRecordedVoice;
    state.waveDir = waveDirOf(kRecordedVoice);
    state.readerHanded.clear();
    playPrompt(panel, "noreader");
    for (const auto& phrase : unsaid) sayPrompts(panel, phrase);
}

}  // namespace

bool startReaderVoice(Panel& panel) {
    auto& state = panel.state;
    if (panel.platform.reader.connect(platform::kReaderDeadlineMs)) return true;
    state.voice = kRecordedVoice;
    return false;
}

void handToReader(Panel& panel, const std::vector<SpokenPrompt>& phrase) {
    auto& state = panel.state;
    auto& reader = panel.platform.reader;
    switch (reader.state()) {
        case ReaderState::Listening: {
            const std::string text = phraseText(phrase);
            if (text.empty()) return;
            reader.say(text);
            state.readerHanded.push_back(phrase);
            if (state.readerHanded.size() > kPhrasesKept) state.readerHanded.pop_front();
            return;
        }
        case ReaderState::Elsewhere:
            state.voice = kRecordedVoice;
            sayPrompts(panel, phrase);
            state.voice = kReaderVoice;
            break;
        case ReaderState::Gone: {
            auto unsaid = untakenPhrases(panel);
            unsaid.push_back(phrase);
            loseReader(panel, unsaid);
            break;
        }
    }
    state.phrase.clear();  // said already: it is the phrase being ended
}

void watchScreenReader(Panel& panel) {
    auto& state = panel.state;
    if (state.readerChosen == 0) return;
    auto& reader = panel.platform.reader;
    const ReaderState now = reader.state();
    if (state.voice == kReaderVoice) {
        if (now == ReaderState::Gone) loseReader(panel, untakenPhrases(panel));
        return;
    }
    if (now != ReaderState::Gone) {
        state.voice = kReaderVoice;
        return;
    }
    reader.reconnect();
}

void silenceReader(Panel& panel) {
    auto& state = panel.state;
    if (state.voice != kReaderVoice) return;
    panel.platform.reader.cancel();
    state.readerHanded.clear();
}

}  // namespace vocapan
