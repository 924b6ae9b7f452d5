// The network rig control's port on Windows: Winsock (ws2_32, part of every Windows) on IPv4
// and IPv6, all sockets non-blocking, with Nagle's delay off so that each short answer leaves at once.
#include <winsock2.h>
#include <ws2tcpip.h>

#include <map>
#include <string>
#include <vector>

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
        for (const SOCKET listener : listeners_) closesocket(listener);
        if (started_) WSACleanup();
    }

    // The IPv4 address decides; the IPv6 one is added where the machine has IPv6, and a port
    // another program holds there counts as in use.
    bool listen(int port, bool allInterfaces) override {
        if (!started_ || !listeners_.empty() || port < 1 || port > kHighestPort) return false;
        sockaddr_in v4{};
        v4.sin_family = AF_INET;
        v4.sin_port = htons(static_cast<u_short>(port));
        v4.sin_addr.s_addr = htonl(allInterfaces ? INADDR_ANY : INADDR_LOOPBACK);
        sockaddr_in6 v6{};
        v6.sin6_family = AF_INET6;
        v6.sin6_port = v4.sin_port;
        if (!allInterfaces) v6.sin6_addr.s6_addr[15] = 1;  // ::1
        const SOCKET first = openListener(reinterpret_cast<sockaddr*>(&v4), sizeof v4);
        if (first == INVALID_SOCKET) return false;
        const SOCKET second = openListener(reinterpret_cast<sockaddr*>(&v6), sizeof v6);
        if (second == INVALID_SOCKET && WSAGetLastError() == WSAEADDRINUSE) {
            closesocket(first);
            return false;
        }
        listeners_.push_back(first);
        if (second != INVALID_SOCKET) listeners_.push_back(second);
        return true;
    }

    // Takes one waiting connection of either family; connection 0 when none waits.
    TcpArrival accept() override {
        for (const SOCKET listener : listeners_) {
            sockaddr_storage peer{};
            int length = sizeof peer;
            const SOCKET socket = ::accept(listener, reinterpret_cast<sockaddr*>(&peer), &length);
            if (socket == INVALID_SOCKET) continue;
            if (!setNonBlocking(socket)) {
                closesocket(socket);
                continue;
            }
            BOOL on = TRUE;
            setsockopt(socket, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on), sizeof on);
            connections_[++lastNumber_] = socket;
            return {lastNumber_, addressText(peer, length)};
        }
        return {};
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
        for (const SOCKET listener : listeners_) FD_SET(listener, &watched);
        for (const auto& [number, socket] : connections_) FD_SET(socket, &watched);
        if (watched.fd_count == 0) return false;
        timeval timeout{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
        return select(0, &watched, nullptr, nullptr, &timeout) > 0;
    }

private:
    // The peer's address as text, without the IPv6 zone; empty when the system gave none.
    static std::string addressText(const sockaddr_storage& peer, int length) {
        char text[NI_MAXHOST] = {};
        if (getnameinfo(reinterpret_cast<const sockaddr*>(&peer), length, text, sizeof text, nullptr, 0,
                        NI_NUMERICHOST) != 0) {
            return {};
        }
        std::string address(text);
        return address.substr(0, address.find('%'));
    }

    // A non-blocking socket listening on `address`; INVALID_SOCKET with the error kept for
    // WSAGetLastError.
    static SOCKET openListener(const sockaddr* address, int length) {
        const SOCKET socket = ::socket(address->sa_family, SOCK_STREAM, IPPROTO_TCP);
        if (socket == INVALID_SOCKET) return INVALID_SOCKET;
        // No other program may take the port from under the panel.
        BOOL on = TRUE;
        setsockopt(socket, SOL_SOCKET, SO_EXCLUSIVEADDRUSE, reinterpret_cast<const char*>(&on), sizeof on);
        // The IPv6 socket takes IPv6 alone; IPv4 has its own.
        if (address->sa_family == AF_INET6) {
            DWORD only = 1;
            setsockopt(socket, IPPROTO_IPV6, IPV6_V6ONLY, reinterpret_cast<const char*>(&only), sizeof only);
        }
        // Connections keep a small receive queue: what a program writes beyond it waits in the
        // program, which slows down, and nothing old is left queued when it closes.
        setsockopt(socket, SOL_SOCKET, SO_RCVBUF, reinterpret_cast<const char*>(&kReceiveQueue), sizeof kReceiveQueue);
        // Connections wait in the system's longest queue, so that many programs opening at once
        // are all taken at the next serve.
        if (!setNonBlocking(socket) || bind(socket, address, length) != 0 || ::listen(socket, SOMAXCONN) != 0) {
            const int error = WSAGetLastError();
            closesocket(socket);
            WSASetLastError(error);
            return INVALID_SOCKET;
        }
        return socket;
    }

    SOCKET socketOf(int connection) const {
        const auto found = connections_.find(connection);
        return found == connections_.end() ? INVALID_SOCKET : found->second;
    }

    bool started_ = false;
    std::vector<SOCKET> listeners_;  // IPv4, then IPv6 where the machine has it
    int lastNumber_ = 0;
    std::map<int, SOCKET> connections_;  // connection number to socket
};

}  // namespace

std::unique_ptr<TcpServer> makeTcpServer() { return std::make_unique<WinTcpServer>(); }

}  // namespace platform::windows_backend
