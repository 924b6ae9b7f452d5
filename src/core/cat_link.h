// The serial layer under the radio link: 256 port slots by COM number, and one more for a
// radio reached through a serial server on the network. Every operation on a number outside
// these, or on an empty slot, does nothing and answers 0, so a radio that never opened simply
// never answers. A port whose line fails is closed at once and marked failed, so that
// nothing more is sent to it until it is opened again.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "platform/network_line.h"
#include "platform/serial_port.h"

namespace vocapan {

class CatLink {
public:
    static constexpr int kPortCount = 256;
    // The slot of the network line, beyond every COM number.
    static constexpr int kNetworkSlot = kPortCount + 1;

    explicit CatLink(platform::SerialPortOpener& opener, platform::NetworkLineConnector* connector = nullptr)
        : opener_(opener), connector_(connector) {}

    // Opens the port at `baud`, 8 data bits, no parity, one stop bit, with read time-outs of
    // 1000 ms between bytes and 5 ms per byte. 1 on success; 0 leaves the slot empty.
    int openSerialPort(int n, int baud);
    // m = -1: a read returns at once with what has arrived. Otherwise 1000 ms between
    // bytes and m ms per byte.
    int setReadTimeouts(int n, int m);
    // stop = 1 gives one stop bit, any other value two. The baud rate stays.
    int setLineFormat(int n, int dataBits, int parity, int stop);
    // Starts connecting the network slot to the serial server at `host` and `port`, closing
    // what it held; the slot opens once the connection is made (finishConnecting). 1 when a
    // connection is under way or made, 0 when the host has no address (the slot has failed).
    int connectNetworkPort(const std::string& host, int port);
    // Waits at most `ms` for the network slot's connection under way: 1 when it has been
    // made now and the slot is open, 0 otherwise. One that cannot be made fails the slot.
    int finishConnecting(int ms);
    bool isConnecting() const { return connecting_ != nullptr; }
    void closeSerialPort(int n);
    int bytesWaiting(int n);
    int readBytes(int n, std::string& text, int max);
    // Waits at most `ms` for the first byte, then takes what has arrived, up to `max`. For a
    // port whose reads return at once; they do so again afterwards.
    int readWithin(int n, std::string& text, int max, int ms);
    int writeBytes(int n, const std::string& text);
    bool isOpen(int n) const;
    // True from a failure of the line until the port is opened again.
    bool hasFailed(int n) const;

private:
    platform::SerialPort* port(int n) const;
    // The open port, or the network line still connecting, whose settings are kept for it.
    platform::SerialPort* settable(int n) const;
    // Closes a port whose line failed and remembers it.
    int fail(int n);

    platform::SerialPortOpener& opener_;
    platform::NetworkLineConnector* connector_;
    std::unique_ptr<platform::NetworkLine> connecting_;
    std::array<std::unique_ptr<platform::SerialPort>, kNetworkSlot + 1> slots_{};
    std::array<bool, kNetworkSlot + 1> failed_{};
};

}  // namespace vocapan
