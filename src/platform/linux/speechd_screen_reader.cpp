// The screen reader on Linux: speech-dispatcher, the daemon Orca and the desktop's other
// talking programs speak through. Its address is found as every other client finds it
// (SPEECHD_ADDRESS, else the user's default socket), and the panel talks its text protocol
// itself over a non-blocking socket, one command at a time: each phrase is a message of
// "message" priority that queues behind the ones before it. A daemon that has crashed, been
// restarted or hangs never holds the panel: nothing here waits but connect, for at most the
// time it is given.
#include <fcntl.h>
#include <libspeechd.h>
#include <netdb.h>
#include <poll.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <string>

#include "platform/linux/backends.h"
#include "platform/linux/ssip_conversation.h"

extern char** environ;

namespace platform::linux_backend {

namespace {

using Clock = std::chrono::steady_clock;

// Where the daemon listens, as its client library reads it from the environment.
struct DaemonAddress {
    bool unixSocket = true;
    std::string path;  // of the unix socket
    std::string host;  // of the TCP port
    int port = 0;
    bool chosenByUser = false;  // SPEECHD_ADDRESS names it; the default one may be started
};

bool daemonAddress(DaemonAddress& address, std::string& why) {
    char* error = nullptr;
    SPDConnectionAddress* found = spd_get_default_address(&error);
    if (found == nullptr) {
        why = error != nullptr ? error : "no address";
        std::free(error);
        return false;
    }
    address.unixSocket = found->method == SPD_METHOD_UNIX_SOCKET;
    if (found->unix_socket_name != nullptr) address.path = found->unix_socket_name;
    if (found->inet_socket_host != nullptr) address.host = found->inet_socket_host;
    address.port = found->inet_socket_port;
    address.chosenByUser = std::getenv("SPEECHD_ADDRESS") != nullptr;
    SPDConnectionAddress__free(found);
    return true;
}

// A socket connecting to the daemon without waiting; -1 when it cannot even start.
int startConnecting(const DaemonAddress& address) {
    if (address.unixSocket) {
        sockaddr_un local{};
        local.sun_family = AF_UNIX;
        if (address.path.size() >= sizeof local.sun_path) return -1;
        std::memcpy(local.sun_path, address.path.c_str(), address.path.size() + 1);
        const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        if (socket < 0) return -1;
        if (::connect(socket, reinterpret_cast<sockaddr*>(&local), sizeof local) == 0 || errno == EINPROGRESS ||
            errno == EAGAIN) {
            return socket;
        }
        ::close(socket);
        return -1;
    }
    addrinfo hints{};
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    const std::string port = std::to_string(address.port);
    if (getaddrinfo(address.host.c_str(), port.c_str(), &hints, &found) != 0) return -1;
    int socket = -1;
    for (addrinfo* each = found; each != nullptr && socket < 0; each = each->ai_next) {
        socket = ::socket(each->ai_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        if (socket < 0) continue;
        if (::connect(socket, each->ai_addr, each->ai_addrlen) != 0 && errno != EINPROGRESS) {
            ::close(socket);
            socket = -1;
        }
    }
    freeaddrinfo(found);
    return socket;
}

class SpeechdScreenReader : public ScreenReader {
public:
    ~SpeechdScreenReader() override {
        drop();
        if (spawned_ > 0) waitpid(spawned_, nullptr, WNOHANG);
    }

    bool connect(int timeoutMs) override {
        std::string why;
        if (!daemonAddress(address_, why)) {
            complain(why);
            return false;
        }
        if (!address_.chosenByUser && address_.unixSocket && access(address_.path.c_str(), F_OK) != 0) {
            startDaemon();
        }
        reconnect();
        const Clock::time_point end = Clock::now() + std::chrono::milliseconds(timeoutMs);
        while (socket_ >= 0 && !conversation_.greeted() && Clock::now() < end) {
            pollfd waiting{socket_, static_cast<short>(POLLIN | (output_.empty() ? 0 : POLLOUT)), 0};
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(end - Clock::now()).count();
            poll(&waiting, 1, static_cast<int>(left > 0 ? left : 0));
            pump();
        }
        if (socket_ >= 0 && conversation_.greeted()) return true;
        drop();
        complain(address_.unixSocket ? address_.path + " does not answer" : address_.host + " does not answer");
        return false;
    }

    void reconnect() override {
        const Clock::time_point now = Clock::now();
        if (tried_ && now - lastTry_ < std::chrono::milliseconds(kReaderRetryMs)) return;
        tried_ = true;
        lastTry_ = now;
        drop();
        socket_ = startConnecting(address_);
        if (socket_ < 0) return;
        conversation_ = SsipConversation(Clock::now());
        pump();
    }

    void say(const std::string& text) override {
        conversation_.say(text, Clock::now());
        pump();
    }

    void cancel() override {
        conversation_.cancel();
        pump();
    }

    ReaderState state() override {
        pump();
        if (socket_ < 0 || !conversation_.greeted()) return ReaderState::Gone;
        return ReaderState::Listening;
    }

    std::size_t untaken() override { return conversation_.untaken(); }

private:
    static void complain(const std::string& why) {
        std::fprintf(stderr, "vocapan: no speech-dispatcher could be reached (%s); the recorded prompts speak\n",
                     why.c_str());
    }

    // The daemon is started as its client library would start it for a desktop that has
    // none running; the panel does not wait for it, and the next look finds it.
    void startDaemon() {
        if (spawned_ != 0) return;
        char name[] = "speech-dispatcher";
        char spawn[] = "--spawn";
        char* arguments[] = {name, spawn, nullptr};
        posix_spawn_file_actions_t quiet;
        posix_spawn_file_actions_init(&quiet);
        posix_spawn_file_actions_addopen(&quiet, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&quiet, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        pid_t child = 0;
        spawned_ = posix_spawnp(&child, name, &quiet, nullptr, arguments, environ) == 0 ? child : -1;
        posix_spawn_file_actions_destroy(&quiet);
    }

    // Sends what waits, takes in the daemon's answers and moves the conversation on; a
    // broken connection, a refusal or a phrase left untaken too long ends it.
    void pump() {
        if (spawned_ > 0 && waitpid(spawned_, nullptr, WNOHANG) == spawned_) spawned_ = -1;
        if (socket_ < 0) return;
        for (;;) {
            output_ += conversation_.takeOutgoing();
            if (!flush() || !receive()) {
                lose();
                return;
            }
            if (!conversation_.hasOutgoing()) break;
        }
        if (conversation_.failed(Clock::now())) lose();
    }

    bool flush() {
        while (!output_.empty()) {
            const auto sent = ::send(socket_, output_.data(), output_.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
            if (sent < 0) return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR || errno == EINPROGRESS;
            output_.erase(0, static_cast<std::size_t>(sent));
        }
        return true;
    }

    bool receive() {
        char buffer[1024];
        for (;;) {
            const auto count = ::recv(socket_, buffer, sizeof buffer, MSG_DONTWAIT);
            if (count > 0) {
                conversation_.hear(std::string_view(buffer, static_cast<std::size_t>(count)), Clock::now());
                continue;
            }
            if (count == 0) return false;  // the daemon closed the connection
            return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR || errno == ENOTCONN;
        }
    }

    // Said once on the console when it happens; the panel says it to the operator.
    void lose() {
        if (conversation_.greeted()) {
            std::fputs("vocapan: speech-dispatcher stopped taking phrases; the recorded prompts speak\n", stderr);
        }
        conversation_.end();
        drop();
    }

    void drop() {
        if (socket_ >= 0) ::close(socket_);
        socket_ = -1;
        output_.clear();
    }

    DaemonAddress address_;
    int socket_ = -1;
    std::string output_;
    SsipConversation conversation_{Clock::now()};
    pid_t spawned_ = 0;  // the daemon started for the panel, until it is reaped
    bool tried_ = false;
    Clock::time_point lastTry_;
};

}  // namespace

std::unique_ptr<ScreenReader> makeScreenReader() { return std::make_unique<SpeechdScreenReader>(); }

}  // namespace platform::linux_backend
