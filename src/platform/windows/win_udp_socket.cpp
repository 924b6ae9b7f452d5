// The UDP port WSJT-X reports to, on Windows: one non-blocking Winsock IPv4 socket; a
// multicast group is joined on the loopback and on the interface the system chooses, with
// the port shared.
#include <winsock2.h>
#include <ws2tcpip.h>

#include "platform/windows/backends.h"

namespace platform::windows_backend {

namespace {

constexpr int kHighestPort = 65535;
// Without this, an answer to a program that has gone makes the next receive fail with a
// connection reset, which a UDP port has no use for.
constexpr DWORD kUdpConnectionReset = 0x9800000C;

bool isMulticast(in_addr address) { return (ntohl(address.s_addr) >> 28) == 0xe; }

class WinUdpSocket : public UdpSocket {
public:
    WinUdpSocket() {
        WSADATA data{};
        started_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }
    ~WinUdpSocket() override {
        close();
        if (started_) WSACleanup();
    }

    bool open(const std::string& address, int port) override {
        in_addr bound{};
        if (!started_ || socket_ != INVALID_SOCKET || port < 1 || port > kHighestPort ||
            inet_pton(AF_INET, address.c_str(), &bound) != 1) {
            return false;
        }
        socket_ = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
        if (socket_ == INVALID_SOCKET) return false;
        u_long nonBlocking = 1;
        BOOL off = FALSE;
        DWORD returned = 0;
        WSAIoctl(socket_, kUdpConnectionReset, &off, sizeof off, nullptr, 0, &returned, nullptr, nullptr);
        const bool group = isMulticast(bound);
        BOOL on = TRUE;
        // Listeners of a group share its port; a plain port is the panel's alone.
        setsockopt(socket_, SOL_SOCKET, group ? SO_REUSEADDR : SO_EXCLUSIVEADDRUSE, reinterpret_cast<const char*>(&on),
                   sizeof on);
        sockaddr_in local{};
        local.sin_family = AF_INET;
        local.sin_port = htons(static_cast<u_short>(port));
        local.sin_addr.s_addr = group ? htonl(INADDR_ANY) : bound.s_addr;
        if (ioctlsocket(socket_, FIONBIO, &nonBlocking) != 0 ||
            bind(socket_, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0 || (group && !join(bound))) {
            close();
            return false;
        }
        return true;
    }

    int receive(char* buffer, int max, UdpPeer& from) override {
        while (socket_ != INVALID_SOCKET) {
            sockaddr_in sender{};
            int length = sizeof sender;
            const int count = recvfrom(socket_, buffer, max, 0, reinterpret_cast<sockaddr*>(&sender), &length);
            const int error = count == SOCKET_ERROR ? WSAGetLastError() : 0;
            if (error == WSAECONNRESET) continue;
            if (count == SOCKET_ERROR && error != WSAEMSGSIZE) return -1;
            char text[INET_ADDRSTRLEN] = {};
            inet_ntop(AF_INET, &sender.sin_addr, text, sizeof text);
            from = {text, ntohs(sender.sin_port)};
            return error == WSAEMSGSIZE ? max + 1 : count;  // a cut datagram only says it was longer
        }
        return -1;
    }

    bool sendTo(const UdpPeer& to, const std::string& bytes) override {
        sockaddr_in target{};
        target.sin_family = AF_INET;
        target.sin_port = htons(static_cast<u_short>(to.port));
        if (socket_ == INVALID_SOCKET || inet_pton(AF_INET, to.address.c_str(), &target.sin_addr) != 1) return false;
        return sendto(socket_, bytes.data(), static_cast<int>(bytes.size()), 0, reinterpret_cast<sockaddr*>(&target),
                      sizeof target) == static_cast<int>(bytes.size());
    }

    void close() override {
        if (socket_ != INVALID_SOCKET) closesocket(socket_);
        socket_ = INVALID_SOCKET;
    }

private:
    // The group is joined on the loopback, where WSJT-X sends by default, and on the interface
    // the system chooses; one of the two is enough.
    bool join(in_addr group) {
        bool joined = false;
        for (const u_long interfaceAddress : {htonl(INADDR_LOOPBACK), htonl(INADDR_ANY)}) {
            ip_mreq membership{};
            membership.imr_multiaddr = group;
            membership.imr_interface.s_addr = interfaceAddress;
            joined |= setsockopt(socket_, IPPROTO_IP, IP_ADD_MEMBERSHIP, reinterpret_cast<const char*>(&membership),
                                 sizeof membership) == 0;
        }
        return joined;
    }

    bool started_ = false;
    SOCKET socket_ = INVALID_SOCKET;
};

}  // namespace

std::unique_ptr<UdpSocket> makeUdpSocket() { return std::make_unique<WinUdpSocket>(); }

}  // namespace platform::windows_backend
