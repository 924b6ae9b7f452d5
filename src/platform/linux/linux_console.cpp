// The radio finder's console on Linux: lines go to standard output at once, and keys are
// polled without waiting. A terminal on standard input is put in non-canonical, non-echoing,
// non-blocking mode for the run and given back as it was, also when the program ends early;
// when standard input is a pipe or a file, whatever arrives there is read as keys.
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <deque>

#include "platform/linux/backends.h"

namespace platform::linux_backend {

namespace {

// The terminal's settings before the finder changed them, for the exit and signal handlers.
termios savedTerminal{};
volatile std::sig_atomic_t terminalChanged = 0;

void restoreTerminal() {
    if (!terminalChanged) return;
    tcsetattr(STDIN_FILENO, TCSANOW, &savedTerminal);
    terminalChanged = 0;
}

// Ctrl-C still ends the finder; the terminal is restored before the signal takes effect.
void restoreThenDie(int signalNumber) {
    restoreTerminal();
    std::signal(signalNumber, SIG_DFL);
    std::raise(signalNumber);
}

void takeTerminal() {
    if (!isatty(STDIN_FILENO) || terminalChanged || tcgetattr(STDIN_FILENO, &savedTerminal) != 0) return;
    termios keys = savedTerminal;
    keys.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
    keys.c_cc[VMIN] = 0;  // a read returns at once, with or without a key
    keys.c_cc[VTIME] = 0;
    if (tcsetattr(STDIN_FILENO, TCSANOW, &keys) != 0) return;
    terminalChanged = 1;
    static bool handlersInstalled = false;
    if (handlersInstalled) return;
    handlersInstalled = true;
    std::atexit(restoreTerminal);
    for (const int signalNumber : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) std::signal(signalNumber, restoreThenDie);
}

class LinuxConsole : public Console {
public:
    ~LinuxConsole() override { restoreTerminal(); }

    void allocate() override { takeTerminal(); }
    void release() override { restoreTerminal(); }

    void write(const std::string& text) override {
        std::fwrite(text.data(), 1, text.size(), stdout);
        std::fflush(stdout);
    }

    int pollKey() override {
        if (pending_.empty()) readWaitingKeys();
        if (pending_.empty()) return -1;
        const int key = pending_.front();
        pending_.pop_front();
        return key;
    }

private:
    // Takes what standard input holds now; an end of input or an error gives no key.
    void readWaitingKeys() {
        pollfd input{STDIN_FILENO, POLLIN, 0};
        if (poll(&input, 1, 0) <= 0 || !(input.revents & POLLIN)) return;
        unsigned char bytes[64];
        const ssize_t count = read(STDIN_FILENO, bytes, sizeof bytes);
        for (ssize_t i = 0; i < count; ++i) pending_.push_back(bytes[i]);
    }

    std::deque<int> pending_;
};

}  // namespace

std::unique_ptr<Console> makeConsole() { return std::make_unique<LinuxConsole>(); }

}  // namespace platform::linux_backend
