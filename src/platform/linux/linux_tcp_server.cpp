// The network rig control's port on Linux: POSIX sockets on IPv4 and IPv6, all non-blocking,
// with Nagle's delay off so that each short answer leaves at once.
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <map>
#include <string>
#include <vector>

#include "platform/linux/backends.h"

namespace platform::linux_backend {

namespace {

constexpr int kHighestPort = 65535;
constexpr int kReceiveQueue = 16384;

bool wouldWait() { return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR; }

class LinuxTcpServer : public TcpServer {
public:
    ~LinuxTcpServer() override {
        for (const auto& [number, socket] : connections_) ::close(socket);
        for (const int listener : listeners_) ::close(listener);
    }

    // The IPv4 address decides; the IPv6 one is added where the machine has IPv6, and a port
    // another program holds there counts as in use.
    bool listen(int port, bool allInterfaces) override {
        if (!listeners_.empty() || port < 1 || port > kHighestPort) return false;
        sockaddr_in v4{};
        v4.sin_family = AF_INET;
        v4.sin_port = htons(static_cast<std::uint16_t>(port));
        v4.sin_addr.s_addr = htonl(allInterfaces ? INADDR_ANY : INADDR_LOOPBACK);
        sockaddr_in6 v6{};
        v6.sin6_family = AF_INET6;
        v6.sin6_port = v4.sin_port;
        v6.sin6_addr = allInterfaces ? in6addr_any : in6addr_loopback;
        const int first = openListener(reinterpret_cast<sockaddr*>(&v4), sizeof v4);
        if (first < 0) return false;
        const int second = openListener(reinterpret_cast<sockaddr*>(&v6), sizeof v6);
        if (second < 0 && errno == EADDRINUSE) {
            ::close(first);
            return false;
        }
        listeners_.push_back(first);
        if (second >= 0) listeners_.push_back(second);
        return true;
    }

    // Takes one waiting connection of either family; connection 0 when none waits.
    TcpArrival accept() override {
        for (const int listener : listeners_) {
            sockaddr_storage peer{};
            socklen_t length = sizeof peer;
            const int socket =
                ::accept4(listener, reinterpret_cast<sockaddr*>(&peer), &length, SOCK_NONBLOCK | SOCK_CLOEXEC);
            if (socket < 0) continue;
            const int on = 1;
            ::setsockopt(socket, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
            connections_[++lastNumber_] = socket;
            return {lastNumber_, addressText(peer)};
        }
        return {};
    }

    int receive(int connection, char* buffer, int max) override {
        const int socket = socketOf(connection);
        if (socket < 0) return -1;
        const auto count = ::recv(socket, buffer, static_cast<size_t>(max), 0);
        if (count > 0) return static_cast<int>(count);
        if (count < 0 && wouldWait()) return 0;
        return -1;
    }

    int send(int connection, const char* bytes, int length) override {
        const int socket = socketOf(connection);
        if (socket < 0) return -1;
        const auto count = ::send(socket, bytes, static_cast<size_t>(length), MSG_NOSIGNAL);
        if (count >= 0) return static_cast<int>(count);
        return wouldWait() ? 0 : -1;
    }

    void close(int connection) override {
        const auto found = connections_.find(connection);
        if (found == connections_.end()) return;
        ::close(found->second);
        connections_.erase(found);
    }

    bool waitForInput(int timeoutMs) override {
        std::vector<pollfd> watched;
        for (const int listener : listeners_) watched.push_back({listener, POLLIN, 0});
        for (const auto& [number, socket] : connections_) watched.push_back({socket, POLLIN, 0});
        if (watched.empty()) return false;
        return ::poll(watched.data(), watched.size(), timeoutMs) > 0;
    }

private:
    // The peer's address as text; empty when the system gave none.
    static std::string addressText(const sockaddr_storage& peer) {
        char text[INET6_ADDRSTRLEN] = {};
        const void* bytes = nullptr;
        if (peer.ss_family == AF_INET) bytes = &reinterpret_cast<const sockaddr_in*>(&peer)->sin_addr;
        if (peer.ss_family == AF_INET6) bytes = &reinterpret_cast<const sockaddr_in6*>(&peer)->sin6_addr;
        if (bytes == nullptr) return {};
        return ::inet_ntop(peer.ss_family, bytes, text, sizeof text) ? std::string(text) : std::string();
    }

    // A non-blocking socket listening on `address`; -1 with errno telling why not.
    static int openListener(const sockaddr* address, socklen_t length) {
        const int socket = ::socket(address->sa_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        if (socket < 0) return -1;
        const int on = 1;
        ::setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
        // The IPv6 socket takes IPv6 alone; IPv4 has its own.
        if (address->sa_family == AF_INET6) ::setsockopt(socket, IPPROTO_IPV6, IPV6_V6ONLY, &on, sizeof on);
        // Connections keep a small receive queue: what a program writes beyond it waits in the
        // program, which slows down, and nothing old is left queued when it closes.
        ::setsockopt(socket, SOL_SOCKET, SO_RCVBUF, &kReceiveQueue, sizeof kReceiveQueue);
        // Connections wait in the system's longest queue, so that many programs opening at once
        // are all taken at the next serve.
        if (::bind(socket, address, length) != 0 || ::listen(socket, SOMAXCONN) != 0) {
            const int error = errno;
            ::close(socket);
            errno = error;
            return -1;
        }
        return socket;
    }

    int socketOf(int connection) const {
        const auto found = connections_.find(connection);
        return found == connections_.end() ? -1 : found->second;
    }

    std::vector<int> listeners_;  // IPv4, then IPv6 where the machine has it
    int lastNumber_ = 0;
    std::map<int, int> connections_;  // connection number to socket
};

}  // namespace

std::unique_ptr<TcpServer> makeTcpServer() { return std::make_unique<LinuxTcpServer>(); }

}  // namespace platform::linux_backend
