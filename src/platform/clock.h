// Local date and time as the debug log writes them.
#pragma once

#include <string>

namespace platform {

class Clock {
public:
    virtual ~Clock() = default;
    virtual std::string dateText() = 0;  // "dd-MM-yyyy"
    virtual std::string timeText() = 0;  // "hh:mm:ss", 24-hour clock
};

}  // namespace platform
