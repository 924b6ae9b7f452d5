// The radio's CAT line served on the network by a serial server (ser2net on a computer beside
// the radio, or a serial device server): the radio's bytes both ways over one raw TCP
// connection, read and written as a serial port is. Connecting never waits for the far end.
#pragma once

#include <memory>
#include <string>

#include "platform/serial_port.h"

namespace platform {

// The line's speed and format are the server's business: the setters take any value and
// change nothing, and there are no modem lines to drive.
class NetworkLine : public SerialPort {
public:
    bool setBaudRate(int) override { return true; }
    bool setLineFormat(const LineFormat&) override { return true; }
    bool setReadTimeouts(const ReadTimeouts& timeouts) override {
        timeouts_ = timeouts;
        return true;
    }
    void setModemLines(bool, bool) override {}

    enum class Connection { Connecting, Made, Failed };
    // How the connection stands, after waiting at most `waitMs` for it to be made (0: a look
    // without waiting). Every address of the host is tried in turn before it has Failed.
    virtual Connection connection(int waitMs) = 0;

protected:
    ReadTimeouts timeouts_{};  // kept for reads, as a serial port keeps them
};

class NetworkLineConnector {
public:
    virtual ~NetworkLineConnector() = default;
    // Starts connecting to TCP `port` of `host` (a name, an IPv4 address, or an IPv6 address
    // without brackets) and returns at once; nullptr when the host has no address. A name is
    // looked up once, at the first connection that finds its address, and kept.
    virtual std::unique_ptr<NetworkLine> connect(const std::string& host, int port) = 0;
};

}  // namespace platform
