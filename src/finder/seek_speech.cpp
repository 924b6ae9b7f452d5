// The finder's voice: prompts from the same folder convention as the panel, and numbers
// spoken digit by digit (the port number, the line speed).
#include "finder/seek.h"

#include "core/number_text.h"
#include "speech/voice_choice.h"

namespace portseek {

void playPrompt(Seek& seek, const std::string& name) {
    seek.platform.sound.playSync(vocapan::playablePromptPath(seek.platform.sound, seek.state.waveDir, name));
}

void sayNumber(Seek& seek, int number) {
    for (const char digit : vocapan::decimalText(number)) playPrompt(seek, std::string(1, digit));
}

}  // namespace portseek
