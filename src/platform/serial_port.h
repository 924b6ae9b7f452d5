// Serial ports as the radio link and the radio finder see them: a port is reached by its
// COM number, opened exclusively, and read with Windows-style time-outs on every platform.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace platform {

// Read time-outs in the Windows sense: a read returns when `max` bytes have arrived, when
// more than `intervalMs` pass between two bytes, or when `multiplierMs * max + constantMs`
// has passed in all. An interval of `kReturnAtOnce` with multiplier and constant 0 makes a
// read return at once with whatever has arrived.
struct ReadTimeouts {
    static constexpr std::uint32_t kReturnAtOnce = 0xFFFFFFFFu;
    std::uint32_t intervalMs = 0;
    std::uint32_t multiplierMs = 0;
    std::uint32_t constantMs = 0;
    bool operator==(const ReadTimeouts&) const = default;
};

// Line settings: parity 0 none, 1 odd, 2 even; stop bits 1 or 2.
struct LineFormat {
    int dataBits = 8;
    int parity = 0;
    int stopBits = 1;
    bool operator==(const LineFormat&) const = default;
};

class SerialPort {
public:
    virtual ~SerialPort() = default;
    // Each setter answers false when the driver refused the setting.
    virtual bool setBaudRate(int baud) = 0;
    virtual bool setLineFormat(const LineFormat& format) = 0;
    virtual bool setReadTimeouts(const ReadTimeouts& timeouts) = 0;
    // Drives the modem-control lines. A radio can key its transmitter on RTS or DTR.
    virtual void setModemLines(bool rts, bool dtr) = 0;
    // The three transfers answer -1 once the line has failed (the device unplugged or
    // switched off, the far end of a pseudo-terminal closed): the port is of no more use.
    virtual int bytesWaiting() = 0;
    virtual int readBytes(char* buffer, int max) = 0;
    virtual int writeBytes(const char* bytes, int length) = 0;
};

class SerialPortOpener {
public:
    virtual ~SerialPortOpener() = default;
    // Opens COM port `comNumber` (1 to 256) for reading and writing, not shared, existing
    // device only. Answers nullptr when there is no such port or it is busy.
    virtual std::unique_ptr<SerialPort> open(int comNumber) = 0;
};

}  // namespace platform
