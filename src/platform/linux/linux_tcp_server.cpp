// The network rig control's port on Linux: POSIX sockets, all non-blocking, with Nagle's
// delay off so that each short answer leaves at once.
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <map>
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
        if (listener_ >= 0) ::close(listener_);
    }

    bool listen(int port, bool allInterfaces) override {
        if (listener_ >= 0 || port < 1 || port > kHighestPort) return false;
        const int socket = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        if (socket < 0) return false;
        const int on = 1;
        ::setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
        // Connections keep a small receive queue: what a program writes beyond it waits in the
        // program, which slows down, and nothing old is left queued when it closes.
        ::setsockopt(socket, SOL_SOCKET, SO_RCVBUF, &kReceiveQueue, sizeof kReceiveQueue);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<std::uint16_t>(port));
        address.sin_addr.s_addr = htonl(allInterfaces ? INADDR_ANY : INADDR_LOOPBACK);
        if (::bind(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            ::listen(socket, SOMAXCONN) != 0) {
            ::close(socket);
            return false;
        }
        listener_ = socket;
        return true;
    }

    // Connections wait in the system's longest queue, so that many programs opening at once
    // are all taken at the next serve.
    int accept() override {
        if (listener_ < 0) return 0;
        const int socket = ::accept4(listener_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (socket < 0) return 0;
        const int on = 1;
        ::setsockopt(socket, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
        connections_[++lastNumber_] = socket;
        return lastNumber_;
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
        if (listener_ >= 0) watched.push_back({listener_, POLLIN, 0});
        for (const auto& [number, socket] : connections_) watched.push_back({socket, POLLIN, 0});
        if (watched.empty()) return false;
        return ::poll(watched.data(), watched.size(), timeoutMs) > 0;
    }

private:
    int socketOf(int connection) const {
        const auto found = connections_.find(connection);
        return found == connections_.end() ? -1 : found->second;
    }

    int listener_ = -1;
    int lastNumber_ = 0;
    std::map<int, int> connections_;  // connection number to socket
};

}  // namespace

std::unique_ptr<TcpServer> makeTcpServer() { return std::make_unique<LinuxTcpServer>(); }

}  // namespace platform::linux_backend
