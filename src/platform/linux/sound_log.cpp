// The prompt log for tests (see sound_log.h): one line per prompt asked for, written through.
#include "platform/linux/sound_log.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

namespace platform::linux_backend {

SoundLog::SoundLog() {
    if (const char* file = std::getenv("VOCAPAN_SOUND_LOG")) logFile_ = file;
    const char* times = std::getenv("VOCAPAN_SOUND_LOG_TIMES");
    withTimes_ = times != nullptr && std::strcmp(times, "1") == 0;
}

void SoundLog::record(const std::string& path) const {
    if (logFile_.empty()) return;
    // Opened and closed per line, so the line is on disk even if the program is killed.
    std::ofstream log(logFile_, std::ios::binary | std::ios::app);
    if (withTimes_) {
        const auto micros =
            std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::system_clock::now().time_since_epoch())
                .count();
        char stamp[32];
        std::snprintf(stamp, sizeof stamp, "%lld.%06lld ", static_cast<long long>(micros / 1000000),
                      static_cast<long long>(micros % 1000000));
        log << stamp;
    }
    log << path << '\n';
}

}  // namespace platform::linux_backend
