// The braille display on Linux: BRLTTY, reached through BrlAPI on a thread of the display's
// own. BrlAPI's calls wait on BRLTTY for as long as it takes, so the panel never makes them:
// it leaves the latest status lines and the latest phrase in an inbox and goes on, and the
// thread shows whatever is latest once BRLTTY has taken what it was given before, so a
// paused BRLTTY resumes with the panel as it is now, never with a backlog. A BRLTTY that is
// missing, killed or hung costs the panel nothing; one that went away is looked for again
// every second.
#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

#include "platform/braille_view.h"
#include "platform/linux/backends.h"
#include "platform/linux/braille_tty_path.h"
#include "platform/linux/brlapi_session.h"

namespace platform::linux_backend {

namespace {

using namespace std::chrono_literals;

BrailleTime timeNow() {
    return std::chrono::duration_cast<BrailleTime>(std::chrono::steady_clock::now().time_since_epoch());
}

// How long the end of the panel waits for the thread before leaving it to end with the program:
// a BRLTTY paused half-way through its greeting holds the thread where nothing can free it.
constexpr auto kMostWaitForThread = 1s;

// What the panel leaves for the thread, and what the two tell each other about the end.
struct Inbox {
    Inbox() : wake(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}
    ~Inbox() {
        if (wake >= 0) ::close(wake);
    }
    Inbox(const Inbox&) = delete;
    Inbox& operator=(const Inbox&) = delete;

    void wakeThread() const {
        if (wake >= 0) eventfd_write(wake, 1);
    }

    std::mutex mutex;
    BrailleStatus status;
    bool statusNew = false;
    std::string phrase;
    BrailleTime phraseSaid{};
    bool phraseNew = false;
    bool stopping = false;
    // A copy of the connection's socket while there is one, so that the end of the panel can
    // end a wait on BRLTTY.
    int socket = -1;
    bool finished = false;
    std::condition_variable finishedChanged;
    const int wake;
};

// Hands what the panel left to the view; false once the panel is ending.
bool takeNews(Inbox& inbox, BrailleView& view) {
    std::lock_guard lock(inbox.mutex);
    if (inbox.statusNew) view.setStatus(inbox.status);
    if (inbox.phraseNew) view.flash(inbox.phrase, inbox.phraseSaid);
    inbox.statusNew = inbox.phraseNew = false;
    return !inbox.stopping;
}

bool stopping(Inbox& inbox) {
    std::lock_guard lock(inbox.mutex);
    return inbox.stopping;
}

void drainWake(const Inbox& inbox) {
    eventfd_t count = 0;
    eventfd_read(inbox.wake, &count);
}

// Waits `period`, or less when the panel ends meanwhile.
void waitBeforeRetry(Inbox& inbox, std::chrono::milliseconds period) {
    const auto end = std::chrono::steady_clock::now() + period;
    while (!stopping(inbox)) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
        if (left <= 0ms) return;
        pollfd woken{inbox.wake, POLLIN, 0};
        poll(&woken, 1, static_cast<int>(left.count()));
        drainWake(inbox);
    }
}

void publishSocket(Inbox& inbox, int descriptor) {
    std::lock_guard lock(inbox.mutex);
    if (inbox.socket >= 0) ::close(inbox.socket);
    inbox.socket = descriptor >= 0 ? fcntl(descriptor, F_DUPFD_CLOEXEC, 0) : -1;
}

void hangUp(Inbox& inbox, BrlapiSession& session) {
    publishSocket(inbox, -1);
    session.close();
}

// Shows what is latest until the connection is lost or the panel ends; the operator's keys
// on the display step and pan the view.
void showUntilLost(Inbox& inbox, BrlapiSession& session, BrailleView& view) {
    std::string written;
    bool writtenOnce = false;
    // Keys may wait in BrlAPI's own buffer after any answer, or on the socket.
    bool keysMayWait = true;
    std::vector<BrailleKey> keys;
    while (takeNews(inbox, view)) {
        if (keysMayWait) {
            keys.clear();
            if (!session.takeKeys(keys)) return;
            for (const BrailleKey key : keys) view.press(key, timeNow(), session.width());
            keysMayWait = false;
        }
        const BrailleTime now = timeNow();
        const std::string cells = view.shown(now, session.width());
        if (!writtenOnce || cells != written) {
            // Nothing more is written until BRLTTY has answered: what waits meanwhile is only
            // ever the latest.
            if (!session.write(cells) || !session.answers()) return;
            written = cells;
            writtenOnce = true;
            keysMayWait = true;
            continue;
        }
        const auto change = view.nextChange(now);
        const int timeoutMs = change ? static_cast<int>((*change - now).count()) : -1;
        pollfd waits[] = {{session.descriptor(), POLLIN, 0}, {inbox.wake, POLLIN, 0}};
        if (poll(waits, 2, timeoutMs) < 0 && errno != EINTR) return;
        keysMayWait = waits[0].revents != 0;
        drainWake(inbox);
    }
}

void serveDisplay(Inbox& inbox, const std::vector<int>& ttyPath) {
    // Signals are the panel's to take: one landing here would break a wait on BRLTTY.
    sigset_t all;
    sigfillset(&all);
    pthread_sigmask(SIG_BLOCK, &all, nullptr);
    BrlapiSession session;
    BrailleView view;
    bool reached = false;
    while (!stopping(inbox)) {
        if (!session.connect()) {
            waitBeforeRetry(inbox, std::chrono::milliseconds(kBrailleRetryMs));
            continue;
        }
        publishSocket(inbox, session.descriptor());
        if (session.takeDisplay(ttyPath)) {
            std::fprintf(stderr, "vocapan: braille display of %zu cells reached through BRLTTY\n", session.width());
            reached = true;
            showUntilLost(inbox, session, view);
        }
        hangUp(inbox, session);
        if (reached && !stopping(inbox)) {
            std::fputs("vocapan: BRLTTY went away; looking for it again\n", stderr);
            reached = false;
        }
        waitBeforeRetry(inbox, std::chrono::milliseconds(kBrailleRetryMs));
    }
}

class BrlapiBrailleDisplay : public BrailleDisplay {
public:
    explicit BrlapiBrailleDisplay(std::function<unsigned long()> panelXWindow)
        : panelXWindow_(std::move(panelXWindow)), inbox_(std::make_shared<Inbox>()) {}

    ~BrlapiBrailleDisplay() override {
        if (!thread_.joinable()) return;
        std::unique_lock lock(inbox_->mutex);
        inbox_->stopping = true;
        if (inbox_->socket >= 0) ::shutdown(inbox_->socket, SHUT_RDWR);
        inbox_->wakeThread();
        const bool ended =
            inbox_->finishedChanged.wait_for(lock, kMostWaitForThread, [this] { return inbox_->finished; });
        lock.unlock();
        if (ended) {
            thread_.join();
        } else {
            thread_.detach();
        }
    }

    void start() override {
        if (thread_.joinable() || inbox_->wake < 0) return;
        const std::vector<int> ttyPath =
            brailleTtyPath(panelXWindow_(), std::getenv("WINDOWPATH"), std::getenv("XDG_VTNR"), std::getenv("DISPLAY"));
        try {
            thread_ = std::thread([inbox = inbox_, ttyPath] {
                serveDisplay(*inbox, ttyPath);
                std::lock_guard lock(inbox->mutex);
                inbox->finished = true;
                inbox->finishedChanged.notify_all();
            });
        } catch (const std::system_error&) {
            // No thread, no display: the panel goes on as without BRLTTY.
        }
    }

    void showStatus(const BrailleStatus& lines) override {
        {
            std::lock_guard lock(inbox_->mutex);
            if (lines == inbox_->status) return;
            inbox_->status = lines;
            inbox_->statusNew = true;
        }
        inbox_->wakeThread();
    }

    void flash(const std::string& words) override {
        {
            std::lock_guard lock(inbox_->mutex);
            inbox_->phrase = words;
            inbox_->phraseSaid = timeNow();
            inbox_->phraseNew = true;
        }
        inbox_->wakeThread();
    }

private:
    std::function<unsigned long()> panelXWindow_;
    std::shared_ptr<Inbox> inbox_;
    std::thread thread_;
};

}  // namespace

std::unique_ptr<BrailleDisplay> makeBrailleDisplay(std::function<unsigned long()> panelXWindow) {
    return std::make_unique<BrlapiBrailleDisplay>(std::move(panelXWindow));
}

}  // namespace platform::linux_backend
