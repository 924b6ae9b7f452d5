// A test aid: when the environment variable VOCAPAN_SOUND_LOG names a file, every prompt the
// program asks for is appended to it, one path per line exactly as given, so that tests of
// the whole program can check which prompts were asked for and in which order. With
// VOCAPAN_SOUND_LOG_TIMES set to 1 each line starts with the moment the prompt began, in
// seconds since the epoch to the microsecond and a blank, for timing measurements.
#pragma once

#include <string>

namespace platform::linux_backend {

class SoundLog {
public:
    SoundLog();  // takes the settings from the environment; no log when VOCAPAN_SOUND_LOG is unset
    // Appends the line at once, whether or not the recording exists.
    void record(const std::string& path) const;

private:
    std::string logFile_;
    bool withTimes_ = false;
};

}  // namespace platform::linux_backend
