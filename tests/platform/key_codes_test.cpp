// The key rules see Windows virtual-key codes; these are the codes the Linux window hands
// them for the keys an operator presses, with Num Lock on and off.
#include <SDL_keycode.h>
#include <SDL_scancode.h>
#include <gtest/gtest.h>

#include "platform/linux/sdl_key_codes.h"

using platform::linux_backend::isSystemKey;
using platform::linux_backend::windowsKeyCode;

namespace {

struct KeyCase {
    const char* key;
    int scancode;
    int keycode;
    bool numLock;
    int windowsCode;
};

constexpr int kNoKeycode = SDLK_UNKNOWN;

const KeyCase kKeys[] = {
    {"A", SDL_SCANCODE_A, SDLK_a, false, 65},
    {"Z", SDL_SCANCODE_Z, SDLK_z, true, 90},
    {"A on a French keyboard (where Q sits)", SDL_SCANCODE_Q, SDLK_a, false, 65},
    {"F on a Russian keyboard", SDL_SCANCODE_F, 0x0430, false, 70},
    {"0", SDL_SCANCODE_0, SDLK_0, false, 48},
    {"9", SDL_SCANCODE_9, SDLK_9, false, 57},
    {"pad 0, Num Lock on", SDL_SCANCODE_KP_0, SDLK_KP_0, true, 96},
    {"pad 5, Num Lock on", SDL_SCANCODE_KP_5, SDLK_KP_5, true, 101},
    {"pad 9, Num Lock on", SDL_SCANCODE_KP_9, SDLK_KP_9, true, 105},
    {"pad point, Num Lock on", SDL_SCANCODE_KP_PERIOD, SDLK_KP_PERIOD, true, 110},
    {"pad 8 is Up, Num Lock off", SDL_SCANCODE_KP_8, SDLK_KP_8, false, 38},
    {"pad 2 is Down, Num Lock off", SDL_SCANCODE_KP_2, SDLK_KP_2, false, 40},
    {"pad 4 is Left, Num Lock off", SDL_SCANCODE_KP_4, SDLK_KP_4, false, 37},
    {"pad 6 is Right, Num Lock off", SDL_SCANCODE_KP_6, SDLK_KP_6, false, 39},
    {"pad 9 is Page Up, Num Lock off", SDL_SCANCODE_KP_9, SDLK_KP_9, false, 33},
    {"pad 3 is Page Down, Num Lock off", SDL_SCANCODE_KP_3, SDLK_KP_3, false, 34},
    {"pad 0 is Insert, Num Lock off", SDL_SCANCODE_KP_0, SDLK_KP_0, false, 45},
    {"pad 7 is Home, Num Lock off", SDL_SCANCODE_KP_7, SDLK_KP_7, false, 36},
    {"pad 1 is End, Num Lock off", SDL_SCANCODE_KP_1, SDLK_KP_1, false, 35},
    {"pad 5 is Clear, Num Lock off", SDL_SCANCODE_KP_5, SDLK_KP_5, false, 12},
    {"pad point is Delete, Num Lock off", SDL_SCANCODE_KP_PERIOD, SDLK_KP_PERIOD, false, 46},
    {"pad 8 reported by the layout as Up", SDL_SCANCODE_KP_8, SDLK_UP, true, 104},
    {"pad Enter", SDL_SCANCODE_KP_ENTER, SDLK_KP_ENTER, false, 13},
    {"Enter", SDL_SCANCODE_RETURN, SDLK_RETURN, false, 13},
    {"F1", SDL_SCANCODE_F1, SDLK_F1, false, 112},
    {"F9", SDL_SCANCODE_F9, SDLK_F9, false, 120},
    {"F12", SDL_SCANCODE_F12, SDLK_F12, false, 123},
    {"Space", SDL_SCANCODE_SPACE, SDLK_SPACE, false, 32},
    {"Page Up", SDL_SCANCODE_PAGEUP, SDLK_PAGEUP, false, 33},
    {"Page Down", SDL_SCANCODE_PAGEDOWN, SDLK_PAGEDOWN, false, 34},
    {"Left", SDL_SCANCODE_LEFT, SDLK_LEFT, false, 37},
    {"Up", SDL_SCANCODE_UP, SDLK_UP, false, 38},
    {"Right", SDL_SCANCODE_RIGHT, SDLK_RIGHT, false, 39},
    {"Down", SDL_SCANCODE_DOWN, SDLK_DOWN, false, 40},
    {"Insert", SDL_SCANCODE_INSERT, SDLK_INSERT, false, 45},
    {"=", SDL_SCANCODE_EQUALS, SDLK_EQUALS, false, 187},
    {"-", SDL_SCANCODE_MINUS, SDLK_MINUS, false, 189},
    {".", SDL_SCANCODE_PERIOD, SDLK_PERIOD, false, 190},
    {"left Shift", SDL_SCANCODE_LSHIFT, SDLK_LSHIFT, false, 16},
    {"right Shift", SDL_SCANCODE_RSHIFT, SDLK_RSHIFT, false, 16},
    {"left Ctrl", SDL_SCANCODE_LCTRL, SDLK_LCTRL, false, 17},
    {"right Ctrl", SDL_SCANCODE_RCTRL, SDLK_RCTRL, false, 17},
    {"left Windows key", SDL_SCANCODE_LGUI, SDLK_LGUI, false, 91},
    {"volume key", SDL_SCANCODE_MUTE, SDLK_MUTE, false, 0},
    {"unknown key", SDL_SCANCODE_UNKNOWN, kNoKeycode, false, 0},
};

TEST(KeyCodes, every_panel_key_arrives_with_its_windows_code) {
    for (const KeyCase& key : kKeys) {
        EXPECT_EQ(windowsKeyCode(key.scancode, key.keycode, key.numLock), key.windowsCode) << key.key;
    }
}

TEST(KeyCodes, f10_alt_and_alt_combinations_stay_with_the_system_as_on_windows) {
    EXPECT_TRUE(isSystemKey(121, false, false));  // F10
    EXPECT_TRUE(isSystemKey(18, true, false));    // Alt
    EXPECT_TRUE(isSystemKey(65, true, false));    // Alt+A
    EXPECT_FALSE(isSystemKey(65, true, true));    // AltGr (Ctrl+Alt) with A
    EXPECT_FALSE(isSystemKey(65, false, false));
    EXPECT_FALSE(isSystemKey(122, false, false));  // F11
}

}  // namespace
