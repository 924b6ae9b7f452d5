// The UDP port WSJT-X reports to, on Linux: one non-blocking IPv4 socket; a multicast group
// is joined on the loopback and on the interface the system chooses, with the port shared.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

#include "platform/linux/backends.h"

namespace platform::linux_backend {

namespace {

constexpr int kHighestPort = 65535;

bool isMulticast(in_addr address) { return (ntohl(address.s_addr) >> 28) == 0xe; }

class LinuxUdpSocket : public UdpSocket {
public:
    ~LinuxUdpSocket() override { close(); }

    bool open(const std::string& address, int port) override {
        in_addr bound{};
        if (socket_ >= 0 || port < 1 || port > kHighestPort || ::inet_pton(AF_INET, address.c_str(), &bound) != 1) {
            return false;
        }
        socket_ = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        if (socket_ < 0) return false;
        const bool group = isMulticast(bound);
        const int on = 1;
        // Listeners of a group share its port; a plain port is the panel's alone.
        if (group) ::setsockopt(socket_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
        sockaddr_in local{};
        local.sin_family = AF_INET;
        local.sin_port = htons(static_cast<std::uint16_t>(port));
        local.sin_addr.s_addr = group ? htonl(INADDR_ANY) : bound.s_addr;
        if (::bind(socket_, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0 || (group && !join(bound))) {
            close();
            return false;
        }
        return true;
    }

    int receive(char* buffer, int max, UdpPeer& from) override {
        while (socket_ >= 0) {
            sockaddr_in sender{};
            socklen_t length = sizeof sender;
            const auto count = ::recvfrom(socket_, buffer, static_cast<size_t>(max), MSG_TRUNC,
                                          reinterpret_cast<sockaddr*>(&sender), &length);
            if (count < 0) {
                if (errno == EINTR) continue;
                return -1;  // nothing waits, or the socket failed: either way nothing to read now
            }
            char text[INET_ADDRSTRLEN] = {};
            ::inet_ntop(AF_INET, &sender.sin_addr, text, sizeof text);
            from = {text, ntohs(sender.sin_port)};
            return static_cast<int>(count);
        }
        return -1;
    }

    bool sendTo(const UdpPeer& to, const std::string& bytes) override {
        sockaddr_in target{};
        target.sin_family = AF_INET;
        target.sin_port = htons(static_cast<std::uint16_t>(to.port));
        if (socket_ < 0 || ::inet_pton(AF_INET, to.address.c_str(), &target.sin_addr) != 1) return false;
        return ::sendto(socket_, bytes.data(), bytes.size(), MSG_NOSIGNAL, reinterpret_cast<sockaddr*>(&target),
                        sizeof target) == static_cast<ssize_t>(bytes.size());
    }

    void close() override {
        if (socket_ >= 0) ::close(socket_);
        socket_ = -1;
    }

private:
    // The group is joined on the loopback, where WSJT-X sends by default, and on the interface
    // the system chooses; one of the two is enough.
    bool join(in_addr group) {
        bool joined = false;
        for (const in_addr_t interfaceAddress : {htonl(INADDR_LOOPBACK), htonl(INADDR_ANY)}) {
            ip_mreq membership{};
            membership.imr_multiaddr = group;
            membership.imr_interface.s_addr = interfaceAddress;
            joined |= ::setsockopt(socket_, IPPROTO_IP, IP_ADD_MEMBERSHIP, &membership, sizeof membership) == 0;
        }
        return joined;
    }

    int socket_ = -1;
};

}  // namespace

std::unique_ptr<UdpSocket> makeUdpSocket() { return std::make_unique<LinuxUdpSocket>(); }

}  // namespace platform::linux_backend
