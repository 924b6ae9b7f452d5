// The network rig control's port on Windows: Winsock (ws2_32, part of every Windows), all
// sockets non-blocking, with Nagle's delay off so that each short answer leaves at once.
#include <winsock2.h>
#include <ws2tcpip.h>

#include <map>

#include "platform/windows/backends.h"

namespace platform::windows_backend {

namespace {

constexpr int kHighestPort = 65535;
constexpr int kReceiveQueue = 16384;

bool setNonBlocking(SOCKET socket) {
    u_long on = 1;
    return ioctlsocket(socket, FIONBIO, &on) == 0;
}

class WinTcpServer : public TcpServer {
public:
    WinTcpServer() {
        WSADATA data{};
        started_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }
    ~WinTcpServer() override {
        for (const auto& [number, socket] : connections_) closesocket(socket);
        if (listener_ != INVALID_SOCKET) closesocket(listener_);
        if (started_) WSACleanup();
    }

    bool listen(int port, bool allInterfaces) override {
        if (!started_ || listener_ != INVALID_SOCKET || port < 1 || port > kHighestPort) return false;
        const SOCKET socket = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        if (socket == INVALID_SOCKET) return false;
        // No other program may take the port from under the panel.
        BOOL exclusive = TRUE;
        setsockopt(socket, SOL_SOCKET, SO_EXCLUSIVEADDRUSE, reinterpret_cast<const char*>(&exclusive),
                   sizeof exclusive);
        // Connections keep a small receive queue: what a program writes beyond it waits in the
        // program, which slows down, and nothing old is left queued when it closes.
        setsockopt(socket, SOL_SOCKET, SO_RCVBUF, reinterpret_cast<const char*>(&kReceiveQueue), sizeof kReceiveQueue);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<u_short>(port));
        address.sin_addr.s_addr = htonl(allInterfaces ? INADDR_ANY : INADDR_LOOPBACK);
        if (!setNonBlocking(socket) || bind(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            ::listen(socket, SOMAXCONN) != 0) {
            closesocket(socket);
            return false;
        }
        listener_ = socket;
        return true;
    }

    // Connections wait in the system's longest queue, so that many programs opening at once
    // are all taken at the next serve.
    int accept() override {
        if (listener_ == INVALID_SOCKET) return 0;
        const SOCKET socket = ::accept(listener_, nullptr, nullptr);
        if (socket == INVALID_SOCKET) return 0;
        if (!setNonBlocking(socket)) {
            closesocket(socket);
            return 0;
        }
        BOOL on = TRUE;
        setsockopt(socket, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on), sizeof on);
        connections_[++lastNumber_] = socket;
        return lastNumber_;
    }

    int receive(int connection, char* buffer, int max) override {
        const SOCKET socket = socketOf(connection);
        if (socket == INVALID_SOCKET) return -1;
        const int count = recv(socket, buffer, max, 0);
        if (count > 0) return count;
        if (count == SOCKET_ERROR && WSAGetLastError() == WSAEWOULDBLOCK) return 0;
        return -1;
    }

    int send(int connection, const char* bytes, int length) override {
        const SOCKET socket = socketOf(connection);
        if (socket == INVALID_SOCKET) return -1;
        const int count = ::send(socket, bytes, length, 0);
        if (count != SOCKET_ERROR) return count;
        return WSAGetLastError() == WSAEWOULDBLOCK ? 0 : -1;
    }

    void close(int connection) override {
        const auto found = connections_.find(connection);
        if (found == connections_.end()) return;
        closesocket(found->second);
        connections_.erase(found);
    }

    bool waitForInput(int timeoutMs) override {
        fd_set watched;
        FD_ZERO(&watched);
        if (listener_ != INVALID_SOCKET) FD_SET(listener_, &watched);
        for (const auto& [number, socket] : connections_) FD_SET(socket, &watched);
        if (watched.fd_count == 0) return false;
        timeval timeout{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
        return select(0, &watched, nullptr, nullptr, &timeout) > 0;
    }

private:
    SOCKET socketOf(int connection) const {
        const auto found = connections_.find(connection);
        return found == connections_.end() ? INVALID_SOCKET : found->second;
    }

    bool started_ = false;
    SOCKET listener_ = INVALID_SOCKET;
    int lastNumber_ = 0;
    std::map<int, SOCKET> connections_;  // connection number to socket
};

}  // namespace

std::unique_ptr<TcpServer> makeTcpServer() { return std::make_unique<WinTcpServer>(); }

}  // namespace platform::windows_backend
