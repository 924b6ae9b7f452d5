// The panel window on Linux: an SDL window whose client area is repainted from an off-screen
// canvas holding everything drawn, and a message queue of close requests, keys (as Windows
// virtual-key codes) and timer ticks with Windows' timing.
//
// SDL sizes and places the client area, so the panel's 950 x 500 becomes the client size
// (slightly larger than on Windows, where it includes the frame and caption).
#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <deque>
#include <thread>

#include "platform/linux/backends.h"
#include "platform/linux/panel_fonts.h"
#include "platform/linux/sdl_key_codes.h"
#include "platform/linux/sdl_lifetime.h"
#include "platform/linux/timer_schedule.h"

namespace platform::linux_backend {

namespace {

using Clock = TimerSchedule::Clock;

constexpr SDL_Color kTextColour{0, 0, 0, 255};
constexpr SDL_Color kWindowColour{255, 255, 255, 255};  // Windows' default window colour

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
        repaint();
        return true;
    }

    void close() override {
        if (!started_) return;
        fonts_.closeAll();
        SDL_FreeSurface(canvas_);
        canvas_ = nullptr;
        if (window_ != nullptr) SDL_DestroyWindow(window_);
        window_ = nullptr;
        pending_.clear();
        TTF_Quit();
        releaseSdl(SDL_INIT_VIDEO);
        started_ = false;
    }

    void moveTo(int x, int y) override {
        x_ = x;
        y_ = y;
    }

    void selectFont(const FontSpec& font) override { font_ = font; }

    void drawText(const std::string& text) override {
        std::string shown = text;
        while (!shown.empty() && (shown.back() == '\n' || shown.back() == '\r')) shown.pop_back();
        TTF_Font* font = canvas_ != nullptr ? fonts_.font(font_) : nullptr;
        if (shown.empty() || font == nullptr) return;
        // The panel's texts are Windows "ANSI" text, which SDL_ttf takes as Latin-1.
        SDL_Surface* rendered = TTF_RenderText_Shaded(font, shown.c_str(), kTextColour, kWindowColour);
        if (rendered == nullptr) return;
        SDL_Rect at{x_, y_, rendered->w, rendered->h};
        SDL_BlitSurface(rendered, nullptr, canvas_, &at);
        SDL_FreeSurface(rendered);
        int width = 0;
        if (TTF_SizeText(font, shown.c_str(), &width, nullptr) == 0) x_ += width;
        repaint();
    }

    void startTimer(int id, int periodMs) override { timers_.start(id, periodMs, Clock::now()); }
    void stopTimer(int id) override { timers_.stop(id); }

    void waitForMessage() override {
        for (;;) {
            collectEvents();
            const auto nextTick = timers_.nextDue();
            if (!pending_.empty() || (nextTick && *nextTick <= Clock::now())) return;
            if (window_ == nullptr) {
                // Nothing but a timer can arrive without a window.
                if (!nextTick) return;
                std::this_thread::sleep_until(*nextTick);
                continue;
            }
            SDL_Event event;
            const int arrived =
                nextTick ? SDL_WaitEventTimeout(&event, millisecondsUntil(*nextTick)) : SDL_WaitEvent(&event);
            if (arrived) take(event);
        }
    }

    bool nextMessage(WindowMessage& message) override {
        collectEvents();
        if (!pending_.empty()) {
            message = pending_.front();
            pending_.pop_front();
            return true;
        }
        if (const auto id = timers_.takeDue(Clock::now())) {
            message = WindowMessage{MessageKind::Timer, 0, *id};
            return true;
        }
        return false;
    }

private:
    // The off-screen copy is as large as the screen, so a maximised window repaints whole.
    bool makeCanvas(const WindowGeometry& geometry) {
        SDL_DisplayMode screen{};
        SDL_GetDesktopDisplayMode(SDL_GetWindowDisplayIndex(window_), &screen);
        const int width = std::max(geometry.width, screen.w);
        const int height = std::max(geometry.height, screen.h);
        canvas_ = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_XRGB8888);
        if (canvas_ == nullptr) return false;
        SDL_FillRect(canvas_, nullptr, SDL_MapRGB(canvas_->format, kWindowColour.r, kWindowColour.g, kWindowColour.b));
        return true;
    }

    void repaint() {
        SDL_Surface* client = SDL_GetWindowSurface(window_);
        if (client == nullptr) return;
        SDL_BlitSurface(canvas_, nullptr, client, nullptr);
        SDL_UpdateWindowSurface(window_);
    }

    static int millisecondsUntil(Clock::time_point when) {
        const auto wait = std::chrono::ceil<std::chrono::milliseconds>(when - Clock::now());
        return std::max(1, int(wait.count()));
    }

    void collectEvents() {
        SDL_Event event;
        while (window_ != nullptr && SDL_PollEvent(&event)) take(event);
    }

    void take(const SDL_Event& event) {
        switch (event.type) {
            case SDL_QUIT:  // the window's close button, or an interrupt from the terminal
                pending_.push_back({MessageKind::CloseRequest, 0, 0});
                break;
            case SDL_WINDOWEVENT:
                if (event.window.event == SDL_WINDOWEVENT_EXPOSED ||
                    event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
                    repaint();
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
    SDL_Surface* canvas_ = nullptr;
    PanelFonts fonts_;
    FontSpec font_ = kSystemFont;
    int x_ = 0;
    int y_ = 0;
    std::deque<WindowMessage> pending_;
    TimerSchedule timers_;
};

}  // namespace

std::unique_ptr<PanelWindow> makePanelWindow() { return std::make_unique<SdlPanelWindow>(); }

}  // namespace platform::linux_backend
