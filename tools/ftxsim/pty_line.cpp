// Pseudo-terminal plumbing for the simulated radio's port.
#include "ftxsim/pty_line.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/linux/baud_rates.h"

namespace ftxsim {

namespace {

// The port starts as a radio's CAT port does: raw bytes, no echo, 38400 baud, until the
// program sets its own speed.
bool startRaw(int fd) {
    termios settings{};
    if (tcgetattr(fd, &settings) != 0) return false;
    cfmakeraw(&settings);
    settings.c_cflag |= CLOCAL | CREAD;
    cfsetispeed(&settings, B38400);
    cfsetospeed(&settings, B38400);
    return tcsetattr(fd, TCSANOW, &settings) == 0;
}

}  // namespace

PtyLine::~PtyLine() {
    if (heldPort_ >= 0) close(heldPort_);
    if (master_ >= 0) close(master_);
}

bool PtyLine::open(std::string& error) {
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) {
        error = std::string("cannot make a pseudo-terminal: ") + std::strerror(errno);
        return false;
    }
    char name[128] = {};
    if (ptsname_r(master_, name, sizeof name) != 0) {
        error = "cannot name the pseudo-terminal";
        return false;
    }
    portPath_ = name;
    heldPort_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (heldPort_ < 0 || !startRaw(heldPort_)) {
        error = "cannot open " + portPath_ + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

int PtyLine::read(char* buffer, int size, int waitMs) {
    pollfd watch{master_, POLLIN, 0};
    if (poll(&watch, 1, waitMs) <= 0) return 0;
    const ssize_t count = ::read(master_, buffer, static_cast<size_t>(size));
    if (count > 0) return static_cast<int>(count);
    // With the far end held open the line never hangs up; should it, do not spin on it.
    if (count < 0 && errno != EAGAIN && errno != EINTR) usleep(static_cast<useconds_t>(waitMs) * 1000);
    return 0;
}

std::size_t PtyLine::write(const std::string& bytes) {
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t count = ::write(master_, bytes.data() + sent, bytes.size() - sent);
        if (count > 0) {
            sent += static_cast<std::size_t>(count);
        } else if (count < 0 && errno == EINTR) {
            continue;
        } else {
            return sent;
        }
    }
    return sent;
}

// Asked of this end, the terminal settings are those of the program's end.
int PtyLine::lineSpeed() const {
    termios settings{};
    if (tcgetattr(master_, &settings) != 0) return 0;
    return platform::linux_backend::baudOfCode(cfgetospeed(&settings));
}

}  // namespace ftxsim
