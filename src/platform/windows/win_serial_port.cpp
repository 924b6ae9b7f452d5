// COM ports through the Windows communications driver: opened by device name, exclusively,
// set with the device control block and COMMTIMEOUTS, the input count from ClearCommError.
#include <windows.h>

#include "platform/device_names.h"
#include "platform/windows/backends.h"
#include "platform/windows/comm_settings.h"

namespace platform::windows_backend {

namespace {

static_assert(kOneStopBit == ONESTOPBIT && kTwoStopBits == TWOSTOPBITS);
static_assert(NOPARITY == 0 && ODDPARITY == 1 && EVENPARITY == 2);
static_assert(ReadTimeouts::kReturnAtOnce == MAXDWORD);

class WinSerialPort : public SerialPort {
public:
    explicit WinSerialPort(HANDLE handle) : handle_(handle) {}
    ~WinSerialPort() override { CloseHandle(handle_); }
    WinSerialPort(const WinSerialPort&) = delete;
    WinSerialPort& operator=(const WinSerialPort&) = delete;

    // Every other line setting stays as the port had it.
    bool setBaudRate(int baud) override {
        DCB dcb{};
        dcb.DCBlength = sizeof(dcb);
        if (!GetCommState(handle_, &dcb)) return false;
        dcb.BaudRate = static_cast<DWORD>(baud);
        return SetCommState(handle_, &dcb) != 0;
    }

    bool setLineFormat(const LineFormat& format) override {
        DCB dcb{};
        dcb.DCBlength = sizeof(dcb);
        if (!GetCommState(handle_, &dcb)) return false;
        const DcbLineFields fields = dcbLineFieldsFor(format);
        dcb.ByteSize = fields.byteSize;
        dcb.Parity = fields.parity;
        dcb.StopBits = fields.stopBits;
        return SetCommState(handle_, &dcb) != 0;
    }

    bool setReadTimeouts(const ReadTimeouts& timeouts) override {
        COMMTIMEOUTS driver{};
        if (!GetCommTimeouts(handle_, &driver)) return false;
        const CommTimeoutFields fields = commTimeoutsFor(
            timeouts, {driver.ReadIntervalTimeout, driver.ReadTotalTimeoutMultiplier, driver.ReadTotalTimeoutConstant,
                       driver.WriteTotalTimeoutMultiplier, driver.WriteTotalTimeoutConstant});
        driver.ReadIntervalTimeout = fields.readIntervalTimeout;
        driver.ReadTotalTimeoutMultiplier = fields.readTotalTimeoutMultiplier;
        driver.ReadTotalTimeoutConstant = fields.readTotalTimeoutConstant;
        return SetCommTimeouts(handle_, &driver) != 0;
    }

    void setModemLines(bool rts, bool dtr) override {
        EscapeCommFunction(handle_, rts ? SETRTS : CLRRTS);
        EscapeCommFunction(handle_, dtr ? SETDTR : CLRDTR);
    }

    int bytesWaiting() override {
        DWORD errors = 0;
        COMSTAT status{};
        if (!ClearCommError(handle_, &errors, &status)) return -1;  // a USB port unplugged
        return static_cast<int>(status.cbInQue);
    }

    int readBytes(char* buffer, int max) override {
        if (max <= 0) return 0;
        DWORD count = 0;
        if (!ReadFile(handle_, buffer, static_cast<DWORD>(max), &count, nullptr)) return -1;
        return static_cast<int>(count);
    }

    int writeBytes(const char* bytes, int length) override {
        if (length <= 0) return 0;
        DWORD count = 0;
        if (!WriteFile(handle_, bytes, static_cast<DWORD>(length), &count, nullptr)) return -1;
        return static_cast<int>(count);
    }

private:
    HANDLE handle_;
};

class WinSerialPortOpener : public SerialPortOpener {
public:
    std::unique_ptr<SerialPort> open(int comNumber) override {
        if (comNumber < 1 || comNumber > 256) return nullptr;
        const std::string name = windowsDeviceName(comNumber);
        const HANDLE handle =
            CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (handle == INVALID_HANDLE_VALUE) return nullptr;
        return std::make_unique<WinSerialPort>(handle);
    }
};

}  // namespace

std::unique_ptr<SerialPortOpener> makeSerialPortOpener() { return std::make_unique<WinSerialPortOpener>(); }

}  // namespace platform::windows_backend
