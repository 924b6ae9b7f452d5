// How the serial port's settings become the fields of the Windows driver's structures: the
// line format into the DCB's byte size, parity and stop bits, the read time-outs into
// COMMTIMEOUTS with the write time-outs left as the port had them.
#pragma once

#include <cstdint>

#include "platform/serial_port.h"

namespace platform::windows_backend {

// The DCB line fields, with the driver's own codes: parity 0 none, 1 odd, 2 even; stop bits
// 0 one, 2 two.
struct DcbLineFields {
    std::uint8_t byteSize = 8;
    std::uint8_t parity = 0;
    std::uint8_t stopBits = 0;
    bool operator==(const DcbLineFields&) const = default;
};

inline constexpr std::uint8_t kOneStopBit = 0;
inline constexpr std::uint8_t kTwoStopBits = 2;

DcbLineFields dcbLineFieldsFor(const LineFormat& format);

// The five fields of COMMTIMEOUTS, in the driver's order.
struct CommTimeoutFields {
    std::uint32_t readIntervalTimeout = 0;
    std::uint32_t readTotalTimeoutMultiplier = 0;
    std::uint32_t readTotalTimeoutConstant = 0;
    std::uint32_t writeTotalTimeoutMultiplier = 0;
    std::uint32_t writeTotalTimeoutConstant = 0;
    bool operator==(const CommTimeoutFields&) const = default;
};

// The port's current time-outs with the read part replaced.
CommTimeoutFields commTimeoutsFor(const ReadTimeouts& read, const CommTimeoutFields& current);

}  // namespace platform::windows_backend
