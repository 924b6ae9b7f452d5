// The operator's choice of voice (line 14 of vocapan.cfg, "voice=1", "voice=2", "voice=3" or
// "voice=reader") and where each recorded voice keeps its prompts: "wave", and the faster
// recordings of the same table in "wave2" and "wave3". A prompt missing from a faster
// folder is played from "wave".
#pragma once

#include <string>

#include "platform/sound_player.h"

namespace vocapan {

inline constexpr int kRecordedVoice = 1;
inline constexpr int kFastestVoice = 3;
inline constexpr int kReaderVoice = 4;  // the operator's screen reader speaks the phrases
inline constexpr const char* kRecordedWaveDir = "wave\\";

// The voice a line chooses; a line without "voice=" and a known value chooses the recorded
// voice, as a file without the line does.
int voiceFromLine(const std::string& line);
// The prompt folder of a recorded voice; the first one for the screen reader's.
std::string waveDirOf(int voice);
// The path of `name` in `waveDir`, or in the first folder when the faster one lacks it.
std::string playablePromptPath(platform::SoundPlayer& sound, const std::string& waveDir, const std::string& name);

}  // namespace vocapan
