// The local date and time of day as the debug log stamps them: "dd-MM-yyyy" and "hh:mm:ss".
#include <ctime>

#include "platform/linux/backends.h"

namespace platform::linux_backend {

namespace {

std::string localTimeText(const char* format) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    const size_t length = std::strftime(text, sizeof text, format, &local);
    return std::string(text, length);
}

class LinuxClock : public Clock {
public:
    std::string dateText() override { return localTimeText("%d-%m-%Y"); }
    std::string timeText() override { return localTimeText("%H:%M:%S"); }
};

}  // namespace

std::unique_ptr<Clock> makeClock() { return std::make_unique<LinuxClock>(); }

}  // namespace platform::linux_backend
