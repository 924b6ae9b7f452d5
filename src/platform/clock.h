// Local date and time as the debug log writes them, and the time that measures the radio's
// round trip.
#pragma once

#include <chrono>
#include <string>

namespace platform {

class Clock {
public:
    virtual ~Clock() = default;
    virtual std::string dateText() = 0;  // "dd-MM-yyyy"
    virtual std::string timeText() = 0;  // "hh:mm:ss", 24-hour clock
    // Milliseconds on a clock that only goes forward; the same on every system.
    virtual long long steadyMs() {
        using namespace std::chrono;
        return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    }
};

}  // namespace platform
