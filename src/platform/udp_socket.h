// A UDP port on which another program on this computer or the network sends datagrams to the
// panel (WSJT-X's UDP server setting) and to whose sender the panel answers. Nothing here
// ever waits.
#pragma once

#include <string>

namespace platform {

// An IPv4 address in dotted form and a UDP port.
struct UdpPeer {
    std::string address;
    int port = 0;
    bool operator==(const UdpPeer&) const = default;
};

class UdpSocket {
public:
    virtual ~UdpSocket() = default;
    // Takes `port` on `address`: 127.0.0.1 for this computer only, 0.0.0.0 for every address,
    // or a multicast group (224.0.0.0 to 239.255.255.255), joined on the loopback and the
    // machine's other interfaces and shared with other listeners of the group. False when the
    // port cannot be had (in use, refused) or the address is none of those.
    virtual bool open(const std::string& address, int port) = 0;
    // The next datagram that has arrived, its first `max` bytes copied into `buffer` and its
    // sender in `from`: its whole length (above `max` when it was cut), or -1 when none waits.
    virtual int receive(char* buffer, int max, UdpPeer& from) = 0;
    // Sends one datagram to `to`; false when it could not go.
    virtual bool sendTo(const UdpPeer& to, const std::string& bytes) = 0;
    virtual void close() = 0;
};

}  // namespace platform
