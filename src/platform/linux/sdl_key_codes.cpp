// SDL keys to Windows virtual-key codes: keys known by their place on the keyboard (numeric
// pad, function, navigation and modifier keys) by scancode, the rest by what the layout prints.
#include "platform/linux/sdl_key_codes.h"

#include <SDL_keycode.h>
#include <SDL_scancode.h>

namespace platform::linux_backend {

namespace {

struct KeyCode {
    int sdl;
    int windows;
};

struct PadKey {
    int scancode;
    int withNumLock;
    int withoutNumLock;
};

constexpr PadKey kPadKeys[] = {
    {SDL_SCANCODE_KP_0, 96, 45},        // Insert
    {SDL_SCANCODE_KP_1, 97, 35},        // End
    {SDL_SCANCODE_KP_2, 98, 40},        // Down
    {SDL_SCANCODE_KP_3, 99, 34},        // Page Down
    {SDL_SCANCODE_KP_4, 100, 37},       // Left
    {SDL_SCANCODE_KP_5, 101, 12},       // Clear
    {SDL_SCANCODE_KP_6, 102, 39},       // Right
    {SDL_SCANCODE_KP_7, 103, 36},       // Home
    {SDL_SCANCODE_KP_8, 104, 38},       // Up
    {SDL_SCANCODE_KP_9, 105, 33},       // Page Up
    {SDL_SCANCODE_KP_PERIOD, 110, 46},  // Delete
};

constexpr KeyCode kPlacedKeys[] = {
    {SDL_SCANCODE_KP_ENTER, 13},    {SDL_SCANCODE_KP_MULTIPLY, 106},
    {SDL_SCANCODE_KP_PLUS, 107},    {SDL_SCANCODE_KP_MINUS, 109},
    {SDL_SCANCODE_KP_DIVIDE, 111},  {SDL_SCANCODE_PAUSE, 19},
    {SDL_SCANCODE_CAPSLOCK, 20},    {SDL_SCANCODE_PAGEUP, 33},
    {SDL_SCANCODE_PAGEDOWN, 34},    {SDL_SCANCODE_END, 35},
    {SDL_SCANCODE_HOME, 36},        {SDL_SCANCODE_LEFT, 37},
    {SDL_SCANCODE_UP, 38},          {SDL_SCANCODE_RIGHT, 39},
    {SDL_SCANCODE_DOWN, 40},        {SDL_SCANCODE_PRINTSCREEN, 44},
    {SDL_SCANCODE_INSERT, 45},      {SDL_SCANCODE_DELETE, 46},
    {SDL_SCANCODE_LSHIFT, 16},      {SDL_SCANCODE_RSHIFT, 16},
    {SDL_SCANCODE_LCTRL, 17},       {SDL_SCANCODE_RCTRL, 17},
    {SDL_SCANCODE_LALT, 18},        {SDL_SCANCODE_RALT, 18},
    {SDL_SCANCODE_LGUI, 91},        {SDL_SCANCODE_RGUI, 92},
    {SDL_SCANCODE_APPLICATION, 93}, {SDL_SCANCODE_NUMLOCKCLEAR, 144},
    {SDL_SCANCODE_SCROLLLOCK, 145},
};

constexpr KeyCode kPrintedKeys[] = {
    {SDLK_BACKSPACE, 8},     {SDLK_TAB, 9},         {SDLK_RETURN, 13},        {SDLK_ESCAPE, 27},
    {SDLK_SPACE, 32},        {SDLK_SEMICOLON, 186}, {SDLK_EQUALS, 187},       {SDLK_COMMA, 188},
    {SDLK_MINUS, 189},       {SDLK_PERIOD, 190},    {SDLK_SLASH, 191},        {SDLK_BACKQUOTE, 192},
    {SDLK_LEFTBRACKET, 219}, {SDLK_BACKSLASH, 220}, {SDLK_RIGHTBRACKET, 221}, {SDLK_QUOTE, 222},
};

constexpr int kF10 = 121;
constexpr int kAlt = 18;

int lookUp(const auto& table, int sdl) {
    for (const KeyCode& key : table) {
        if (key.sdl == sdl) return key.windows;
    }
    return 0;
}

int placedKeyCode(int scancode, bool numLock) {
    for (const PadKey& key : kPadKeys) {
        if (key.scancode == scancode) return numLock ? key.withNumLock : key.withoutNumLock;
    }
    if (scancode >= SDL_SCANCODE_F1 && scancode <= SDL_SCANCODE_F12) {
        return 112 + (scancode - SDL_SCANCODE_F1);
    }
    if (scancode >= SDL_SCANCODE_F13 && scancode <= SDL_SCANCODE_F24) {
        return 124 + (scancode - SDL_SCANCODE_F13);
    }
    return lookUp(kPlacedKeys, scancode);
}

int printedKeyCode(int keycode) {
    if (keycode >= SDLK_a && keycode <= SDLK_z) return 'A' + (keycode - SDLK_a);
    if (keycode >= SDLK_0 && keycode <= SDLK_9) return '0' + (keycode - SDLK_0);
    return lookUp(kPrintedKeys, keycode);
}

// A layout without Latin letters (Cyrillic, Greek) still gives Windows letter and digit
// codes for those keys, taken from their place.
int latinCodeByPlace(int scancode) {
    if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z) return 'A' + (scancode - SDL_SCANCODE_A);
    if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9) return '1' + (scancode - SDL_SCANCODE_1);
    if (scancode == SDL_SCANCODE_0) return '0';
    return 0;
}

}  // namespace

int windowsKeyCode(int scancode, int keycode, bool numLock) {
    if (const int code = placedKeyCode(scancode, numLock)) return code;
    if (const int code = printedKeyCode(keycode)) return code;
    return latinCodeByPlace(scancode);
}

bool isSystemKey(int windowsCode, bool altHeld, bool ctrlHeld) {
    return windowsCode == kF10 || windowsCode == kAlt || (altHeld && !ctrlHeld);
}

}  // namespace platform::linux_backend
