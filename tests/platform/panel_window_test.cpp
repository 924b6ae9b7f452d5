// The panel window on a real display (a virtual one in the test runs): what the operator sees
// drawn, and the messages the panel's loop gets: close request, keys and timer ticks.
#include <SDL.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "platform/linux/backends.h"

using namespace std::chrono_literals;
using platform::FontSpec;
using platform::MessageKind;
using platform::WindowMessage;

namespace {

using Clock = std::chrono::steady_clock;

const char* const kTitle = "*** Vocapan Front Panel v3.5e ***";

class PanelWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "no display";
        // Without a desktop session SDL's attempt to start a session bus leaks inside libdbus,
        // which the sanitizer build would report; there is nothing on that bus the panel uses.
        setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 0);
        window_ = platform::linux_backend::makePanelWindow();
        ASSERT_TRUE(window_->open(kTitle, {250, 100, 950, 500}));
        // Let the window appear, and take away what showing it produced.
        std::this_thread::sleep_for(100ms);
        WindowMessage message;
        while (window_->nextMessage(message)) {
        }
    }

    // What is on screen in the window's client area.
    static SDL_Surface* clientArea() {
        for (Uint32 id = 1; id < 1000; ++id) {
            SDL_Window* window = SDL_GetWindowFromID(id);
            if (window != nullptr && std::string(SDL_GetWindowTitle(window)) == kTitle) {
                return SDL_GetWindowSurface(window);
            }
        }
        return nullptr;
    }

    static bool isDark(SDL_Surface* surface, int x, int y) {
        Uint32 pixel = 0;
        const Uint8* row = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch;
        std::memcpy(&pixel, row + x * surface->format->BytesPerPixel, surface->format->BytesPerPixel);
        Uint8 r, g, b;
        SDL_GetRGB(pixel, surface->format, &r, &g, &b);
        return r < 128 && g < 128 && b < 128;
    }

    // The rightmost dark column in a band of rows, or -1 when the band is blank.
    static int rightmostInk(int top, int bottom) {
        SDL_Surface* surface = clientArea();
        for (int x = surface->w - 1; x >= 0; --x) {
            for (int y = top; y < bottom; ++y) {
                if (isDark(surface, x, y)) return x;
            }
        }
        return -1;
    }

    std::unique_ptr<platform::PanelWindow> window_;
};

TEST_F(PanelWindowTest, opens_with_the_panel_size_and_a_blank_window_colour) {
    SDL_Surface* client = clientArea();
    ASSERT_NE(client, nullptr);
    EXPECT_EQ(client->w, 950);
    EXPECT_EQ(client->h, 500);
    EXPECT_EQ(rightmostInk(0, 500), -1);
}

TEST_F(PanelWindowTest, text_is_drawn_in_black_and_spaces_over_it_erase_it) {
    window_->selectFont({"Ariel", 20, 20});
    window_->moveTo(10, 10);
    window_->drawText("14.074000\r\n");
    const int ink = rightmostInk(10, 50);
    EXPECT_GT(ink, 60);
    EXPECT_LT(ink, 250);

    window_->moveTo(10, 10);
    window_->drawText("                                             ");
    EXPECT_EQ(rightmostInk(0, 100), -1);
}

TEST_F(PanelWindowTest, texts_drawn_one_after_another_continue_on_the_line) {
    const FontSpec large{"Ariel", 50, 700};
    window_->selectFont(large);
    window_->moveTo(10, 100);
    window_->drawText("MMMMMMMM");
    const int inOneGo = rightmostInk(100, 200);

    window_->moveTo(10, 250);
    window_->drawText("MMMM");
    const int firstHalf = rightmostInk(250, 350);
    window_->drawText("MMMM");
    EXPECT_GT(firstHalf, 100);
    EXPECT_EQ(rightmostInk(250, 350), inOneGo);
}

TEST_F(PanelWindowTest, closing_the_window_asks_the_panel_to_close) {
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    window_->waitForMessage();
    WindowMessage message;
    ASSERT_TRUE(window_->nextMessage(message));
    EXPECT_EQ(message.kind, MessageKind::CloseRequest);
    EXPECT_FALSE(window_->nextMessage(message));
}

void pushKey(Uint32 type, SDL_Scancode scancode, SDL_Keycode keycode, Uint16 modifiers, bool repeat = false) {
    SDL_Event event{};
    event.type = type;
    event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.key.repeat = repeat ? 1 : 0;
    event.key.keysym.scancode = scancode;
    event.key.keysym.sym = keycode;
    event.key.keysym.mod = modifiers;
    SDL_PushEvent(&event);
}

TEST_F(PanelWindowTest, keys_come_before_a_due_tick_and_missed_ticks_merge_into_one) {
    window_->startTimer(1, 50);
    pushKey(SDL_KEYDOWN, SDL_SCANCODE_KP_8, SDLK_KP_8, KMOD_NUM);
    pushKey(SDL_KEYDOWN, SDL_SCANCODE_KP_8, SDLK_KP_8, KMOD_NUM, true);
    pushKey(SDL_KEYUP, SDL_SCANCODE_KP_8, SDLK_KP_8, KMOD_NUM);
    pushKey(SDL_KEYDOWN, SDL_SCANCODE_AUDIOMUTE, SDLK_AUDIOMUTE, KMOD_NONE);  // no Windows code
    std::this_thread::sleep_for(300ms);                                       // a long prompt: six ticks fall due

    std::vector<std::pair<MessageKind, int>> got;
    WindowMessage message;
    while (window_->nextMessage(message)) {
        got.emplace_back(message.kind, message.kind == MessageKind::Timer ? message.timerId : message.keyCode);
    }
    const std::vector<std::pair<MessageKind, int>> expected = {
        {MessageKind::KeyDown, 104}, {MessageKind::KeyDown, 104}, {MessageKind::KeyUp, 104}, {MessageKind::Timer, 1}};
    EXPECT_EQ(got, expected);

    // The loop's wait wakes for the next tick within its period.
    const Clock::time_point start = Clock::now();
    window_->waitForMessage();
    EXPECT_LT(Clock::now() - start, 70ms);
    ASSERT_TRUE(window_->nextMessage(message));
    EXPECT_EQ(message.kind, MessageKind::Timer);

    window_->stopTimer(1);
    std::this_thread::sleep_for(120ms);
    EXPECT_FALSE(window_->nextMessage(message));
}

}  // namespace
