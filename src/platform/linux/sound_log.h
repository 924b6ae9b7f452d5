// A test aid: when the environment variable VOCAPAN_SOUND_LOG names a file, every prompt the
// program asks for is appended to it, one path per line exactly as given, so that tests of
// the whole program can check which prompts were asked for and in which order.
#pragma once

#include <string>

namespace platform::linux_backend {

class SoundLog {
public:
    SoundLog();  // takes the file name from VOCAPAN_SOUND_LOG; no log when it is unset
    // Appends the line at once, whether or not the recording exists.
    void record(const std::string& path) const;

private:
    std::string logFile_;
};

}  // namespace platform::linux_backend
