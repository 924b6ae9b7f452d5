// The panel window on Linux: an SDL window whose client area is repainted from an off-screen
// canvas holding everything drawn, and a message queue of close requests, keys (as Windows
// virtual-key codes) and timer ticks with Windows' timing.
//
// SDL sizes and places the client area, so the panel's 950 x 500 becomes the client size
// (slightly larger than on Windows, where it includes the frame and caption).
//
// The panel idles for hours while it polls the radio, so the loop sleeps until the next tick
// or the next event from the display, and the display hears of drawn text once per pass.
#include <SDL.h>
#include <SDL_syswm.h>
#include <SDL_ttf.h>
#include <poll.h>

#include <algorithm>
#include <deque>
#include <thread>

#include "platform/key_queue.h"
#include "platform/linux/backends.h"
#include "platform/linux/panel_canvas.h"
#include "platform/linux/panel_fonts.h"
#include "platform/linux/sdl_key_codes.h"
#include "platform/linux/sdl_lifetime.h"
#include "platform/linux/timer_schedule.h"

namespace platform::linux_backend {

namespace {

using Clock = TimerSchedule::Clock;

class SdlPanelWindow : public PanelWindow {
public:
    ~SdlPanelWindow() override { close(); }

    bool open(const std::string& title, const WindowGeometry& geometry) override {
        close();
        // Text on a white window needs no graphics card: the plain X framebuffer keeps the
        // panel free of OpenGL drivers.
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
        if (TTF_Init() != 0) {
            releaseSdl(SDL_INIT_VIDEO);
            return false;
        }
        started_ = true;
        window_ = SDL_CreateWindow(title.c_str(), geometry.x, geometry.y, geometry.width, geometry.height,
                                   SDL_WINDOW_SHOWN | SDL_WINDOW_RESIZABLE);
        if (window_ == nullptr || !makeCanvas(geometry)) {
            close();
            return false;
        }
        // Keys are read as keys, never as typed text.
        SDL_StopTextInput();
        SDL_RaiseWindow(window_);
        font_ = kSystemFont;
        moveTo(0, 0);
        displayConnection_ = displayConnectionOf(window_);
        showCanvas();
        return true;
    }

    void close() override {
        if (!started_) return;
        fonts_.closeAll();
        canvas_.release();
        if (window_ != nullptr) SDL_DestroyWindow(window_);
        window_ = nullptr;
        displayConnection_ = -1;
        displayMayHoldEvents_ = false;
        inputTaken_ = false;
        pending_.clear();
        TTF_Quit();
        releaseSdl(SDL_INIT_VIDEO);
        started_ = false;
    }

    unsigned long xWindow() const {
        SDL_SysWMinfo info;
        SDL_VERSION(&info.version);
        if (window_ == nullptr || !SDL_GetWindowWMInfo(window_, &info) || info.subsystem != SDL_SYSWM_X11) return 0;
#if defined(SDL_VIDEO_DRIVER_X11)
        return info.info.x11.window;
#else
        return 0;
#endif
    }

    void moveTo(int x, int y) override {
        x_ = x;
        y_ = y;
    }

    void selectFont(const FontSpec& font) override { font_ = font; }

    void drawText(const std::string& text) override {
        std::string shown = text;
        while (!shown.empty() && (shown.back() == '\n' || shown.back() == '\r')) shown.pop_back();
        TTF_Font* font = canvas_.ready() ? fonts_.font(font_) : nullptr;
        if (shown.empty() || font == nullptr) return;
        x_ += canvas_.drawText(font, shown, x_, y_);
    }

    void startTimer(int id, int periodMs) override { timers_.start(id, periodMs, Clock::now()); }
    void stopTimer(int id) override { timers_.stop(id); }

    void waitForMessage() override {
        showCanvas();
        for (;;) {
            takeQueued();
            // Without a connection to sleep on, SDL is asked; on X only what the display
            // may have handed over already needs collecting: the sleep below sees the rest.
            if (displayMayHoldEvents_ || (displayConnection_ < 0 && !inputTaken_)) takeInput();
            const auto nextTick = timers_.nextDue();
            if (!pending_.empty() || (nextTick && *nextTick <= Clock::now())) return;
            if (canvas_.changed()) {
                // Uncovered while idle: repaint, then look again for what came meanwhile.
                showCanvas();
                continue;
            }
            if (window_ == nullptr) {
                // Nothing but a timer can arrive without a window.
                if (!nextTick) return;
                std::this_thread::sleep_until(*nextTick);
                continue;
            }
            sleepUntilInputOr(nextTick);
        }
    }

    bool nextMessage(WindowMessage& message) override {
        // A due tick goes out only when nothing else waits, so the display is asked first.
        if (pending_.empty() && !inputTaken_) {
            const auto nextTick = timers_.nextDue();
            if (nextTick && *nextTick <= Clock::now()) lookForInput();
        }
        takeQueued();
        if (!pending_.empty()) {
            message = pending_.front();
            pending_.pop_front();
            inputTaken_ = false;
            return true;
        }
        if (const auto id = timers_.takeDue(Clock::now())) {
            message = WindowMessage{MessageKind::Timer, 0, *id};
            inputTaken_ = false;
            return true;
        }
        return false;
    }

    // Called every few milliseconds while a prompt plays: the display is asked only when its
    // connection has something, so the wait stays cheap.
    bool takeKeyDown(int keyCode) override {
        if (window_ != nullptr) {
            pollfd display{displayConnection_, POLLIN, 0};
            if (displayConnection_ < 0 || displayMayHoldEvents_ || poll(&display, 1, 0) != 0) {
                SDL_PumpEvents();
                displayMayHoldEvents_ = false;
            }
        }
        takeQueued();
        return takeKeyDownFrom(pending_, keyCode);
    }

    bool takeDueTick(int timerId) override {
        const bool queued = takeTicksFrom(pending_, timerId);
        return timers_.takeDue(timerId, Clock::now()) || queued;
    }

private:
    // The off-screen copy is as large as the screen, so a maximised window repaints whole.
    bool makeCanvas(const WindowGeometry& geometry) {
        SDL_DisplayMode screen{};
        SDL_GetDesktopDisplayMode(SDL_GetWindowDisplayIndex(window_), &screen);
        return canvas_.create(window_, std::max(geometry.width, screen.w), std::max(geometry.height, screen.h));
    }

    // Showing the picture talks to the display, which may then hold events read on the way.
    void showCanvas() {
        if (!canvas_.changed()) return;
        canvas_.show();
        displayMayHoldEvents_ = true;
    }

    // The connection to an X display, which the loop can sleep on; -1 elsewhere (Wayland...).
    static int displayConnectionOf(SDL_Window* window) {
        SDL_SysWMinfo info;
        SDL_VERSION(&info.version);
        if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return -1;
#if defined(SDL_VIDEO_DRIVER_X11)
        return ConnectionNumber(info.info.x11.display);
#else
        return -1;
#endif
    }

    static int millisecondsUntil(Clock::time_point when) {
        const auto wait = std::chrono::ceil<std::chrono::milliseconds>(when - Clock::now());
        return std::max(1, int(wait.count()));
    }

    // Everything the display has sent, and what else reached SDL's queue.
    void takeInput() {
        if (window_ != nullptr) SDL_PumpEvents();
        displayMayHoldEvents_ = false;
        takeQueued();
        inputTaken_ = true;
    }

    // What SDL's queue holds already, without asking the display.
    void takeQueued() {
        SDL_Event event;
        while (window_ != nullptr && SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) {
            take(event);
        }
    }

    // Takes what may have arrived; the display is asked only when it may hold something.
    void lookForInput() {
        if (window_ == nullptr) return;
        pollfd display{displayConnection_, POLLIN, 0};
        if (displayConnection_ < 0 || displayMayHoldEvents_ || poll(&display, 1, 0) != 0) {
            takeInput();
        } else {
            inputTaken_ = true;
        }
    }

    // Sleeps until the display sends something or the next tick falls due. On X the loop
    // sleeps on the display's connection itself, and a sleep that ends at the tick with
    // nothing arrived leaves nothing to collect; elsewhere SDL's own wait does the work.
    void sleepUntilInputOr(std::optional<Clock::time_point> nextTick) {
        const int timeoutMs = nextTick ? millisecondsUntil(*nextTick) : -1;
        if (displayConnection_ < 0) {
            SDL_Event event;
            const int arrived = timeoutMs >= 0 ? SDL_WaitEventTimeout(&event, timeoutMs) : SDL_WaitEvent(&event);
            if (arrived) take(event);
            takeQueued();
            inputTaken_ = true;
            return;
        }
        pollfd display{displayConnection_, POLLIN, 0};
        // Input, an interrupt (which SDL turns into a close request) or a failed wait.
        if (poll(&display, 1, timeoutMs) != 0) {
            takeInput();
        } else {
            inputTaken_ = true;
        }
    }

    void take(const SDL_Event& event) {
        switch (event.type) {
            case SDL_QUIT:  // the window's close button, or an interrupt from the terminal
                pending_.push_back({MessageKind::CloseRequest, 0, 0});
                break;
            case SDL_WINDOWEVENT:
                if (event.window.event == SDL_WINDOWEVENT_EXPOSED ||
                    event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
                    canvas_.repaintAll();
                }
                break;
            case SDL_KEYDOWN:
            case SDL_KEYUP: {
                const SDL_Keysym& key = event.key.keysym;
                const int code = windowsKeyCode(key.scancode, key.sym, (key.mod & KMOD_NUM) != 0);
                if (code == 0 || isSystemKey(code, (key.mod & KMOD_ALT) != 0, (key.mod & KMOD_CTRL) != 0)) break;
                // Auto-repeat arrives as further key-downs, as it does on Windows.
                pending_.push_back({event.type == SDL_KEYDOWN ? MessageKind::KeyDown : MessageKind::KeyUp, code, 0});
                break;
            }
            default:
                break;
        }
    }

    bool started_ = false;  // SDL video and SDL_ttf are running for this window
    SDL_Window* window_ = nullptr;
    int displayConnection_ = -1;
    bool displayMayHoldEvents_ = false;  // the display was talked to since input was last taken
    bool inputTaken_ = false;            // nothing can have arrived unseen since input was last taken
    PanelCanvas canvas_;
    PanelFonts fonts_;
    FontSpec font_ = kSystemFont;
    int x_ = 0;
    int y_ = 0;
    std::deque<WindowMessage> pending_;
    TimerSchedule timers_;
};

}  // namespace

std::unique_ptr<PanelWindow> makePanelWindow() { return std::make_unique<SdlPanelWindow>(); }

unsigned long xWindowOf(PanelWindow& window) {
    const auto* sdl = dynamic_cast<const SdlPanelWindow*>(&window);
    return sdl != nullptr ? sdl->xWindow() : 0;
}

}  // namespace platform::linux_backend
