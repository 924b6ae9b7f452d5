// Keys typed at a connected panel as the operator types them, written as in a key guide:
// "C 5", "N 0 3 0 1 0 1 Enter Enter", "X O - 6 0 0 Enter", "F11 Up Space".
#pragma once

#include <map>
#include <sstream>
#include <string>

#include "core/key_codes.h"
#include "panel/event_handler.h"
#include "panel_session.h"

namespace vocapan::testing {

inline int keyCodeOf(const std::string& name) {
    static const std::map<std::string, int> named = {
        {"Enter", vk::kEnter},
        {"Back", vk::kBackspace},
        {"Space", vk::kSpace},
        {"Up", vk::kUp},
        {"Down", vk::kDown},
        {"Left", vk::kLeft},
        {"Right", vk::kRight},
        {"+", vk::kPlus},
        {"-", vk::kMinus},
        {".", vk::kPoint},
        {"F1", vk::kF1},
        {"F5", vk::kF5},
        {"F6", vk::kF6},
        {"F9", vk::kF9},
        {"F11", vk::kF11},
        {"F12", vk::kF12},
        {"Pad1", vk::kNumpad0 + 1},
        {"F2", vk::kF2},
        {"F3", vk::kF3},
        {"F4", vk::kF4},
        {"F7", vk::kF7},
        {"F8", vk::kF8},
        {"PgUp", vk::kPageUp},
        {"PgDn", vk::kPageDown},
        {"Pad4", vk::kNumpad0 + 4},
        {"Pad0", vk::kNumpad0},
        {"Pad7", vk::kNumpad0 + 7},
        {"PadPoint", vk::kNumpadPoint},
        {"Shift", vk::kShift},
        {"Ctrl", vk::kCtrl},
        {"Insert", vk::kInsert},
    };
    if (const auto found = named.find(name); found != named.end()) return found->second;
    return name.size() == 1 ? name[0] : 0;
}

// Each key goes down and comes up again, as a press of the operator's; "hold" after a key
// keeps it down for one more key-down, as the keyboard's auto-repeat sends. "Shift+F" holds
// Shift, presses F and lets Shift go first, while F is still down.
inline void typeKeys(PanelFixture& fixture, const std::string& keys) {
    std::istringstream names(keys);
    std::string name;
    int down = 0;
    auto send = [&](platform::MessageKind kind, int code) { handleMessage(fixture.panel, {kind, code, 0}); };
    while (names >> name) {
        int modifier = 0;
        if (const auto plus = name.find('+'); plus != std::string::npos && name.size() > 1) {
            modifier = keyCodeOf(name.substr(0, plus));
            name.erase(0, plus + 1);
        }
        if (name != "hold") {
            if (down != 0) send(platform::MessageKind::KeyUp, down);
            down = keyCodeOf(name);
        }
        if (modifier != 0) send(platform::MessageKind::KeyDown, modifier);
        send(platform::MessageKind::KeyDown, down);
        if (modifier != 0) send(platform::MessageKind::KeyUp, modifier);
    }
    if (down != 0) handleMessage(fixture.panel, {platform::MessageKind::KeyUp, down, 0});
}

// Where a key pressed while the panel speaks comes from: the window, or the web page, whose
// keys wait in the panel's state for the loop.
enum class KeySource { Window, Page };

inline const char* nameOf(KeySource source) { return source == KeySource::Window ? "in the window" : "on the page"; }

// A press (key-down, then key-up) that waits to be taken while the panel speaks.
inline void pressMeanwhile(PanelFixture& fixture, KeySource source, int keyCode) {
    if (source == KeySource::Window) {
        fixture.fake.window.postKey(keyCode);
        return;
    }
    auto& keys = fixture.panel.state.pageKeys;
    keys.push_back({{platform::MessageKind::KeyDown, keyCode, 0}, 1});
    keys.push_back({{platform::MessageKind::KeyUp, keyCode, 0}, 1});
}

}  // namespace vocapan::testing
