#include "speech/voice_choice.h"

#include "speech/prompt_path.h"

namespace vocapan {

int voiceFromLine(const std::string& line) {
    if (line == "voice=reader") return kReaderVoice;
    if (line == "voice=2") return 2;
    if (line == "voice=3") return kFastestVoice;
    return kRecordedVoice;
}

std::string waveDirOf(int voice) {
    if (voice <= kRecordedVoice || voice > kFastestVoice) return kRecordedWaveDir;
    return "wave" + std::to_string(voice) + "\\";
}

std::string playablePromptPath(platform::SoundPlayer& sound, const std::string& waveDir, const std::string& name) {
    const std::string path = promptPath(waveDir, name);
    if (waveDir == kRecordedWaveDir || sound.hasFile(path)) return path;
    return promptPath(kRecordedWaveDir, name);
}

}  // namespace vocapan
