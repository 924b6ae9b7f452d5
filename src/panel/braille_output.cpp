#include "panel/braille_output.h"

#include "display/status_text.h"
#include "speech/prompt_words.h"

namespace vocapan {

void openBraille(Panel& panel) {
    auto& braille = panel.platform.braille;
    braille.start();
    // A phrase of no words (a pause, a tone) leaves what is shown.
    panel.phraseListeners.emplace_back([&braille](const std::vector<SpokenPrompt>& phrase) {
        const std::string words = phraseText(phrase);
        if (!words.empty()) braille.flash(words);
    });
}

void showStatusInBraille(Panel& panel) { panel.platform.braille.showStatus(shownStatusLines(panel.state)); }

}  // namespace vocapan
