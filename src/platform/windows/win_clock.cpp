// The local date and time as the debug log writes them.
#include <windows.h>

#include <cstdio>

#include "platform/windows/backends.h"

namespace platform::windows_backend {

namespace {

class WinClock : public Clock {
public:
    std::string dateText() override {
        SYSTEMTIME now{};
        GetLocalTime(&now);
        char text[16];
        std::snprintf(text, sizeof text, "%02u-%02u-%04u", unsigned(now.wDay), unsigned(now.wMonth),
                      unsigned(now.wYear));
        return text;
    }

    std::string timeText() override {
        SYSTEMTIME now{};
        GetLocalTime(&now);
        char text[16];
        std::snprintf(text, sizeof text, "%02u:%02u:%02u", unsigned(now.wHour), unsigned(now.wMinute),
                      unsigned(now.wSecond));
        return text;
    }
};

}  // namespace

std::unique_ptr<Clock> makeClock() { return std::make_unique<WinClock>(); }

}  // namespace platform::windows_backend
