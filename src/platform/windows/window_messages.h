// Which Windows messages reach the panel and how: the close request, timer ticks and key
// presses become panel messages; everything else stays with the window. Held here without
// the Windows headers so that the rules can be checked on any machine.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>

#include "platform/panel_window.h"

namespace platform::windows_backend {

// The message numbers, as Windows defines them.
inline constexpr unsigned kWmClose = 0x0010;
inline constexpr unsigned kWmKeyDown = 0x0100;
inline constexpr unsigned kWmKeyUp = 0x0101;
inline constexpr unsigned kWmSysKeyDown = 0x0104;
inline constexpr unsigned kWmSysKeyUp = 0x0105;
inline constexpr unsigned kWmTimer = 0x0113;

inline constexpr int kVkF4 = 0x73;

// The panel message for a window message, or nothing when the panel does not take it.
// For key messages `wParam` is the virtual-key code; for timer messages the timer id.
std::optional<WindowMessage> panelMessageFor(unsigned message, std::uintptr_t wParam);

// Whether a system key goes to the window's default handling instead of the panel. Only
// Alt+F4 does, so that it closes the window; F10 and a lone Alt go to the panel, since the
// default handling would open the system menu, which then swallows the operator's next
// keys without a sound.
bool systemKeyNeedsDefault(unsigned message, std::uintptr_t wParam, bool altHeld);

// The messages taken from the window and not yet handed to the panel. A tick joins a tick
// of the same timer that is still waiting, so that ticks never pile up, even while Windows
// runs its own loop for a moved or resized window.
class PendingMessages {
public:
    void push(const WindowMessage& message);
    bool pop(WindowMessage& message);
    bool empty() const { return queue_.empty(); }
    // The first key-down of `keyCode`, out of turn, with the key-ups before it.
    bool takeKeyDown(int keyCode);
    // Every queued tick of timer `timerId`, out of turn; false when none is queued.
    bool takeTicks(int timerId);

private:
    std::deque<WindowMessage> queue_;
};

}  // namespace platform::windows_backend
