// The prompt log for tests (see sound_log.h): one line per prompt asked for, written through.
#include "platform/linux/sound_log.h"

#include <cstdlib>
#include <fstream>

namespace platform::linux_backend {

SoundLog::SoundLog() {
    if (const char* file = std::getenv("VOCAPAN_SOUND_LOG")) logFile_ = file;
}

void SoundLog::record(const std::string& path) const {
    if (logFile_.empty()) return;
    // Opened and closed per line, so the line is on disk even if the program is killed.
    std::ofstream log(logFile_, std::ios::binary | std::ios::app);
    log << path << '\n';
}

}  // namespace platform::linux_backend
