// How a prompt name becomes the path of its WAV file: the prompt folder prefix followed
// directly by the name, ".wav" added when the name has none. "3" and "3.wav" are one file.
#pragma once

#include <string>

namespace vocapan {

std::string promptPath(const std::string& waveDir, const std::string& name);

}  // namespace vocapan
