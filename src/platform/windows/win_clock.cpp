// The local date and time as the debug log writes them.
#include <windows.h>

#include <cstdio>

#include "platform/windows/backends.h"

namespace platform::windows_backend {

namespace {

// Three fields of the local time as two-digit groups, the last one as wide as `format` asks.
std::string localTimeText(const char* format, WORD SYSTEMTIME::*first, WORD SYSTEMTIME::*second,
                          WORD SYSTEMTIME::*third) {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    char text[16];
    std::snprintf(text, sizeof text, format, unsigned(now.*first), unsigned(now.*second), unsigned(now.*third));
    return text;
}

class WinClock : public Clock {
public:
    std::string dateText() override {
        return localTimeText("%02u-%02u-%04u", &SYSTEMTIME::wDay, &SYSTEMTIME::wMonth, &SYSTEMTIME::wYear);
    }
    std::string timeText() override {
        return localTimeText("%02u:%02u:%02u", &SYSTEMTIME::wHour, &SYSTEMTIME::wMinute, &SYSTEMTIME::wSecond);
    }
};

}  // namespace

std::unique_ptr<Clock> makeClock() { return std::make_unique<WinClock>(); }

}  // namespace platform::windows_backend
