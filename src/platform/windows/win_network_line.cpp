// A serial server's line on Windows: a non-blocking Winsock socket to each address of the
// host in turn, Nagle's delay off so that each command leaves at once, read and written by
// the serial port's time-out rules over select(). A connection closed, reset or failed is a
// line gone.
#include <winsock2.h>
#include <ws2tcpip.h>

#include <chrono>
#include <cstring>
#include <map>
#include <vector>

#include "platform/timed_read.h"
#include "platform/windows/backends.h"

namespace platform::windows_backend {

namespace {

constexpr int kWriteLimitMs = 2000;

struct Address {
    sockaddr_storage storage{};
    int length = 0;
};

bool wouldWait() { return WSAGetLastError() == WSAEWOULDBLOCK || WSAGetLastError() == WSAEINTR; }

// 1 when the socket is ready for `reading` (or writing) within `ms` (-1: no limit), 0 when
// the time ran out, -1 on an error or, while a connection is made, when it failed.
int waitOn(SOCKET socket, bool reading, int ms) {
    fd_set ready;
    fd_set failed;
    FD_ZERO(&ready);
    FD_ZERO(&failed);
    FD_SET(socket, &ready);
    FD_SET(socket, &failed);
    timeval limit{ms / 1000, (ms % 1000) * 1000};
    const int count =
        select(0, reading ? &ready : nullptr, reading ? nullptr : &ready, &failed, ms < 0 ? nullptr : &limit);
    if (count < 0 || FD_ISSET(socket, &failed)) return -1;
    return count > 0 ? 1 : 0;
}

class WinNetworkLine : public NetworkLine {
public:
    explicit WinNetworkLine(std::vector<Address> addresses) : addresses_(std::move(addresses)) { connectNext(); }
    ~WinNetworkLine() override { closeSocket(); }
    WinNetworkLine(const WinNetworkLine&) = delete;
    WinNetworkLine& operator=(const WinNetworkLine&) = delete;

    Connection connection(int waitMs) override {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
        while (state_ == Connection::Connecting) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            const int ready = waitOn(socket_, false, left.count() > 0 ? static_cast<int>(left.count()) : 0);
            if (ready == 0) break;
            if (ready > 0) {
                state_ = Connection::Made;
            } else {
                connectNext();  // refused or unreachable there: the host's next address
            }
        }
        return state_;
    }

    // A socket with nothing to count may have been closed at the far end: a look at the next
    // byte tells.
    int bytesWaiting() override {
        if (state_ != Connection::Made) return -1;
        u_long count = 0;
        if (ioctlsocket(socket_, FIONREAD, &count) != 0) return -1;
        if (count > 0) return static_cast<int>(count);
        char next = 0;
        const int peeked = recv(socket_, &next, 1, MSG_PEEK);
        if (peeked > 0) return 1;
        return peeked < 0 && wouldWait() ? 0 : -1;
    }

    int readBytes(char* buffer, int max) override {
        if (state_ != Connection::Made) return -1;
        return readByTimeouts(access_, timeouts_, buffer, max);
    }
    int writeBytes(const char* bytes, int length) override {
        if (state_ != Connection::Made) return -1;
        return writeWithin(access_, bytes, length, kWriteLimitMs);
    }

private:
    void closeSocket() {
        if (socket_ != INVALID_SOCKET) closesocket(socket_);
        socket_ = INVALID_SOCKET;
    }

    void connectNext() {
        closeSocket();
        state_ = Connection::Failed;
        while (next_ < addresses_.size()) {
            const Address& address = addresses_[next_++];
            socket_ = ::socket(address.storage.ss_family, SOCK_STREAM, IPPROTO_TCP);
            if (socket_ == INVALID_SOCKET) continue;
            u_long on = 1;
            const BOOL noDelay = TRUE;
            if (ioctlsocket(socket_, FIONBIO, &on) == 0) {
                setsockopt(socket_, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&noDelay), sizeof noDelay);
                if (::connect(socket_, reinterpret_cast<const sockaddr*>(&address.storage), address.length) == 0) {
                    state_ = Connection::Made;
                    return;
                }
                if (WSAGetLastError() == WSAEWOULDBLOCK) {
                    state_ = Connection::Connecting;
                    return;
                }
            }
            closeSocket();
        }
    }

    int take(char* buffer, int max) {
        const int count = recv(socket_, buffer, max, 0);
        if (count > 0) return count;
        return count < 0 && wouldWait() ? 0 : -1;  // 0 bytes: the server closed the connection
    }
    int put(const char* bytes, int length) {
        const int count = send(socket_, bytes, length, 0);
        if (count >= 0) return count;
        return wouldWait() ? 0 : -1;
    }

    std::vector<Address> addresses_;
    std::size_t next_ = 0;
    SOCKET socket_ = INVALID_SOCKET;
    Connection state_ = Connection::Failed;
    const LineAccess access_{[this](char* buffer, int max) { return take(buffer, max); },
                             [this](int ms) { return waitOn(socket_, true, ms); },
                             [this](const char* bytes, int length) { return put(bytes, length); },
                             [this](int ms) { waitOn(socket_, false, ms); }};
};

class WinNetworkLineConnector : public NetworkLineConnector {
public:
    WinNetworkLineConnector() {
        WSADATA data{};
        started_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }
    ~WinNetworkLineConnector() override {
        if (started_) WSACleanup();
    }
    WinNetworkLineConnector(const WinNetworkLineConnector&) = delete;
    WinNetworkLineConnector& operator=(const WinNetworkLineConnector&) = delete;

    std::unique_ptr<NetworkLine> connect(const std::string& host, int port) override {
        if (!started_) return nullptr;
        auto& addresses = known_[host + " " + std::to_string(port)];
        if (addresses.empty()) addresses = lookUp(host, port);
        if (addresses.empty()) return nullptr;
        return std::make_unique<WinNetworkLine>(addresses);
    }

private:
    static std::vector<Address> lookUp(const std::string& host, int port) {
        addrinfo hints{};
        hints.ai_family = AF_UNSPEC;
        hints.ai_socktype = SOCK_STREAM;
        hints.ai_protocol = IPPROTO_TCP;
        addrinfo* found = nullptr;
        std::vector<Address> addresses;
        if (getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0) return addresses;
        for (const addrinfo* entry = found; entry; entry = entry->ai_next) {
            if (entry->ai_addrlen > sizeof(sockaddr_storage)) continue;
            Address address;
            std::memcpy(&address.storage, entry->ai_addr, entry->ai_addrlen);
            address.length = static_cast<int>(entry->ai_addrlen);
            addresses.push_back(address);
        }
        freeaddrinfo(found);
        return addresses;
    }

    bool started_ = false;
    std::map<std::string, std::vector<Address>> known_;
};

}  // namespace

std::unique_ptr<NetworkLineConnector> makeNetworkLineConnector() { return std::make_unique<WinNetworkLineConnector>(); }

}  // namespace platform::windows_backend
