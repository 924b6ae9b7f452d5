// Serial ports on Linux: COM n is opened through the device-name rule, held exclusively, put in
// raw mode with termios, and read with the Windows time-out rules emulated over the count of
// bytes waiting, so the radio link behaves the same on both platforms.
//
// The port is looked at with that count and short sleeps, never with poll() or a read of an
// empty terminal: both first wait, inside the kernel and with no time-out, until the kernel's
// worker has passed on the bytes the driver has just received. On a busy machine that wait was
// seen to last up to 4 s, holding the panel's loop, and with it the words of a readout and the
// keys, far past any time-out of the panel's own.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <thread>

#include "platform/device_names.h"
#include "platform/linux/backends.h"
#include "platform/linux/baud_rates.h"
#include "platform/timed_read.h"

namespace platform::linux_backend {

namespace {

// A write that cannot drain within this time (a port stalled by flow control, a pseudo-
// terminal nobody reads) gives up instead of freezing the panel.
constexpr int kWriteLimitMs = 2000;

// How often a wait looks at the port again: an answer is taken at most this much after it has
// reached the terminal.
constexpr std::chrono::milliseconds kLookEvery{1};

constexpr tcflag_t dataBitsFlag(int bits) {
    switch (bits) {
        case 5:
            return CS5;
        case 6:
            return CS6;
        case 7:
            return CS7;
        default:
            return CS8;
    }
}

class LinuxSerialPort : public SerialPort {
public:
    explicit LinuxSerialPort(int fd) : fd_(fd) {}

    ~LinuxSerialPort() override {
        // The exclusive flag belongs to the terminal, not to this descriptor: a pseudo-terminal
        // whose server keeps it open would otherwise stay barred to the next program.
        ioctl(fd_, TIOCNXCL);
        flock(fd_, LOCK_UN);
        close(fd_);
    }

    bool setBaudRate(int baud) override {
        const auto code = speedCode(baud);
        termios settings{};
        if (!code || tcgetattr(fd_, &settings) != 0) return false;
        if (cfsetispeed(&settings, *code) != 0 || cfsetospeed(&settings, *code) != 0) return false;
        return tcsetattr(fd_, TCSANOW, &settings) == 0;
    }

    bool setLineFormat(const LineFormat& format) override {
        if (format.dataBits < 5 || format.dataBits > 8) return false;
        if (format.parity < 0 || format.parity > 2) return false;
        if (format.stopBits != 1 && format.stopBits != 2) return false;
        termios settings{};
        if (tcgetattr(fd_, &settings) != 0) return false;
        settings.c_cflag &= ~(CSIZE | PARENB | PARODD | CSTOPB);
        settings.c_cflag |= dataBitsFlag(format.dataBits);
        if (format.parity != 0) settings.c_cflag |= PARENB;
        if (format.parity == 1) settings.c_cflag |= PARODD;
        if (format.stopBits == 2) settings.c_cflag |= CSTOPB;
        return tcsetattr(fd_, TCSANOW, &settings) == 0;
    }

    bool setReadTimeouts(const ReadTimeouts& timeouts) override {
        timeouts_ = timeouts;
        return true;
    }

    void setModemLines(bool rts, bool dtr) override {
        int lines = 0;
        // A pseudo-terminal has no modem lines; the radio behind it keys by command instead.
        if (ioctl(fd_, TIOCMGET, &lines) != 0) return;
        lines = rts ? (lines | TIOCM_RTS) : (lines & ~TIOCM_RTS);
        lines = dtr ? (lines | TIOCM_DTR) : (lines & ~TIOCM_DTR);
        ioctl(fd_, TIOCMSET, &lines);
    }

    int bytesWaiting() override { return bytesHeld(); }

    int readBytes(char* buffer, int max) override { return readByTimeouts(access_, timeouts_, buffer, max); }
    int writeBytes(const char* bytes, int length) override {
        return writeWithin(access_, bytes, length, kWriteLimitMs);
    }

private:
    // The bytes the terminal holds for reading; -1 when the line is gone (a hung-up terminal
    // refuses the question).
    int bytesHeld() const {
        int count = 0;
        return ioctl(fd_, FIONREAD, &count) == 0 ? count : -1;
    }

    // Reads what has arrived, without waiting: an empty live terminal is not read at all. A
    // hung-up one answers the read with nothing, as it always has.
    int readArrived(char* buffer, int max) {
        if (bytesHeld() == 0) return 0;
        const ssize_t count = read(fd_, buffer, static_cast<size_t>(max));
        if (count >= 0) return static_cast<int>(count);
        return errno == EAGAIN || errno == EINTR ? 0 : -1;
    }

    // Waits at most `ms` (-1: without limit) for bytes; -1 when the line is gone.
    int waitForBytes(int ms) {
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        for (;;) {
            const int held = bytesHeld();
            if (held != 0) return held > 0 ? 1 : -1;
            if (ms >= 0 && std::chrono::steady_clock::now() >= until) return 0;
            std::this_thread::sleep_for(kLookEvery);
        }
    }

    int writeArrived(const char* bytes, int length) {
        const ssize_t count = write(fd_, bytes, static_cast<size_t>(length));
        if (count >= 0) return static_cast<int>(count);
        return errno == EAGAIN || errno == EINTR ? 0 : -1;
    }

    // A full terminal is tried again shortly; the caller keeps the time limit.
    static void waitForRoom(int ms) {
        std::this_thread::sleep_for(std::min(kLookEvery, std::chrono::milliseconds(ms)));
    }

    int fd_;
    ReadTimeouts timeouts_{};
    const LineAccess access_{[this](char* buffer, int max) { return readArrived(buffer, max); },
                             [this](int ms) { return waitForBytes(ms); },
                             [this](const char* bytes, int length) { return writeArrived(bytes, length); },
                             [this](int ms) { waitForRoom(ms); }};
};

bool entryExists(const std::string& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0;
}

// Raw bytes both ways, receiver on, no modem-control hang-up handling, no flow control;
// reads never wait inside the driver (the time-outs are timed here).
bool makeRaw(int fd) {
    termios settings{};
    if (tcgetattr(fd, &settings) != 0) return false;
    cfmakeraw(&settings);
    settings.c_cflag |= CLOCAL | CREAD;
    settings.c_cflag &= ~CRTSCTS;
    settings.c_iflag &= ~(IXON | IXOFF | IXANY);
    settings.c_cc[VMIN] = 0;
    settings.c_cc[VTIME] = 0;
    return tcsetattr(fd, TCSANOW, &settings) == 0;
}

class LinuxSerialPortOpener : public SerialPortOpener {
public:
    std::unique_ptr<SerialPort> open(int comNumber) override {
        const std::string path = linuxDevicePath(comNumber, entryExists);
        if (path.empty()) return nullptr;
        const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) return nullptr;
        // Only a terminal is a port. Another holder (a program that set the exclusive flag, or
        // one of ours holding the lock) makes the port busy; the flag alone does not bar root.
        if (!isatty(fd) || flock(fd, LOCK_EX | LOCK_NB) != 0 || ioctl(fd, TIOCEXCL) != 0 || !makeRaw(fd)) {
            close(fd);
            return nullptr;
        }
        // A Windows port starts with empty queues; bytes left over from an earlier holder
        // would otherwise reach the program as an answer to its first query.
        tcflush(fd, TCIOFLUSH);
        return std::make_unique<LinuxSerialPort>(fd);
    }
};

}  // namespace

std::unique_ptr<SerialPortOpener> makeSerialPortOpener() { return std::make_unique<LinuxSerialPortOpener>(); }

}  // namespace platform::linux_backend
