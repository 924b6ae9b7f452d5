#include "speech/prompt_player.h"

#include "core/number_text.h"
#include "speech/prompt_path.h"

namespace vocapan {

void playPrompt(Panel& panel, const std::string& name) {
    if (panel.state.waveDir == kSilentWaveDir) return;
    panel.platform.sound.playSync(promptPath(panel.state.waveDir, name));
}

void playPromptAsync(Panel& panel, const std::string& name) {
    if (panel.state.waveDir == kSilentWaveDir) return;
    panel.platform.sound.playAsync(promptPath(panel.state.waveDir, name));
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
