// The line speeds a Linux serial driver knows by name, both ways between the baud rate a
// program asks for and the termios speed code. Shared by the serial backend and the
// simulated radio, which reads the speed its pseudo-terminal was set to.
#pragma once

#include <termios.h>

#include <array>
#include <optional>

namespace platform::linux_backend {

struct BaudCode {
    int baud;
    speed_t code;
};

inline constexpr std::array<BaudCode, 23> kBaudCodes{{
    {50, B50},         {75, B75},         {110, B110},       {134, B134},       {150, B150},         {200, B200},
    {300, B300},       {600, B600},       {1200, B1200},     {1800, B1800},     {2400, B2400},       {4800, B4800},
    {9600, B9600},     {19200, B19200},   {38400, B38400},   {57600, B57600},   {115200, B115200},   {230400, B230400},
    {460800, B460800}, {500000, B500000}, {576000, B576000}, {921600, B921600}, {1000000, B1000000},
}};

inline std::optional<speed_t> speedCode(int baud) {
    for (const auto& entry : kBaudCodes) {
        if (entry.baud == baud) return entry.code;
    }
    return std::nullopt;
}

// 0 for a code outside the table (B0, the hang-up speed, among them).
inline int baudOfCode(speed_t code) {
    for (const auto& entry : kBaudCodes) {
        if (entry.code == code) return entry.baud;
    }
    return 0;
}

}  // namespace platform::linux_backend
