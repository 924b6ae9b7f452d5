// A serial server's line on Linux: a non-blocking POSIX socket to each address of the host in
// turn, Nagle's delay off so that each command leaves at once, read and written by the serial
// port's time-out rules over poll(). A connection closed, reset or failed is a line gone.
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <map>
#include <vector>

#include "platform/linux/backends.h"
#include "platform/timed_read.h"

namespace platform::linux_backend {

namespace {

constexpr int kWriteLimitMs = 2000;

struct Address {
    sockaddr_storage storage{};
    socklen_t length = 0;
};

bool wouldWait() { return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR; }

class LinuxNetworkLine : public NetworkLine {
public:
    explicit LinuxNetworkLine(std::vector<Address> addresses) : addresses_(std::move(addresses)) { connectNext(); }
    ~LinuxNetworkLine() override { closeSocket(); }
    LinuxNetworkLine(const LinuxNetworkLine&) = delete;
    LinuxNetworkLine& operator=(const LinuxNetworkLine&) = delete;

    Connection connection(int waitMs) override {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
        while (state_ == Connection::Connecting) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            pollfd watch{socket_, POLLOUT, 0};
            const int ready = poll(&watch, 1, left.count() > 0 ? static_cast<int>(left.count()) : 0);
            if (ready < 0 && errno == EINTR) continue;
            if (ready == 0) break;
            int error = 0;
            socklen_t size = sizeof error;
            if (ready > 0 && getsockopt(socket_, SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0) {
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
        int count = 0;
        if (ioctl(socket_, FIONREAD, &count) != 0) return -1;
        if (count > 0) return count;
        char next = 0;
        const auto peeked = recv(socket_, &next, 1, MSG_PEEK | MSG_DONTWAIT);
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
        if (socket_ >= 0) ::close(socket_);
        socket_ = -1;
    }

    void connectNext() {
        closeSocket();
        state_ = Connection::Failed;
        while (next_ < addresses_.size()) {
            const Address& address = addresses_[next_++];
            socket_ = ::socket(address.storage.ss_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
            if (socket_ < 0) continue;
            const int on = 1;
            setsockopt(socket_, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
            if (::connect(socket_, reinterpret_cast<const sockaddr*>(&address.storage), address.length) == 0) {
                state_ = Connection::Made;
                return;
            }
            if (errno == EINPROGRESS || errno == EINTR) {
                state_ = Connection::Connecting;
                return;
            }
            closeSocket();
        }
    }

    int take(char* buffer, int max) {
        const auto count = recv(socket_, buffer, static_cast<size_t>(max), MSG_DONTWAIT);
        if (count > 0) return static_cast<int>(count);
        return count < 0 && wouldWait() ? 0 : -1;  // 0 bytes: the server closed the connection
    }
    int waitFor(short events, int ms) {
        pollfd watch{socket_, events, 0};
        const int ready = poll(&watch, 1, ms);
        if (ready < 0) return errno == EINTR ? 0 : -1;
        return ready;
    }
    int put(const char* bytes, int length) {
        const auto count = send(socket_, bytes, static_cast<size_t>(length), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (count >= 0) return static_cast<int>(count);
        return wouldWait() ? 0 : -1;
    }

    std::vector<Address> addresses_;
    std::size_t next_ = 0;
    int socket_ = -1;
    Connection state_ = Connection::Failed;
    const LineAccess access_{
        [this](char* buffer, int max) { return take(buffer, max); }, [this](int ms) { return waitFor(POLLIN, ms); },
        [this](const char* bytes, int length) { return put(bytes, length); }, [this](int ms) { waitFor(POLLOUT, ms); }};
};

class LinuxNetworkLineConnector : public NetworkLineConnector {
public:
    std::unique_ptr<NetworkLine> connect(const std::string& host, int port) override {
        const std::string key = host + " " + std::to_string(port);
        auto& addresses = known_[key];
        if (addresses.empty()) addresses = lookUp(host, port);
        if (addresses.empty()) return nullptr;
        return std::make_unique<LinuxNetworkLine>(addresses);
    }

private:
    static std::vector<Address> lookUp(const std::string& host, int port) {
        addrinfo hints{};
        hints.ai_family = AF_UNSPEC;
        hints.ai_socktype = SOCK_STREAM;
        hints.ai_flags = AI_NUMERICSERV;
        addrinfo* found = nullptr;
        std::vector<Address> addresses;
        if (getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0) return addresses;
        for (const addrinfo* entry = found; entry; entry = entry->ai_next) {
            if (entry->ai_addrlen > sizeof(sockaddr_storage)) continue;
            Address address;
            std::memcpy(&address.storage, entry->ai_addr, entry->ai_addrlen);
            address.length = entry->ai_addrlen;
            addresses.push_back(address);
        }
        freeaddrinfo(found);
        return addresses;
    }

    std::map<std::string, std::vector<Address>> known_;
};

}  // namespace

std::unique_ptr<NetworkLineConnector> makeNetworkLineConnector() {
    return std::make_unique<LinuxNetworkLineConnector>();
}

}  // namespace platform::linux_backend
