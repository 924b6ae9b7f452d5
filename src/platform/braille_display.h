// The operator's braille display, reached through the program that drives it (BRLTTY on
// Linux): it shows one of the panel's status lines, and for a while each phrase the panel
// says. The program behind it may be missing, hang or restart: nothing here ever waits on it,
// and it is looked for again until it answers.
#pragma once

#include <array>
#include <string>

namespace platform {

// The panel's three status lines as words: mode, frequency, functions.
using BrailleStatus = std::array<std::string, 3>;

// How often a display server that went away, or was never there, is looked for again.
inline constexpr int kBrailleRetryMs = 1000;

class BrailleDisplay {
public:
    virtual ~BrailleDisplay() = default;
    // Starts looking for the display, once the panel's window is open; returns at once.
    virtual void start() = 0;
    // The status lines as they are now; returns at once.
    virtual void showStatus(const BrailleStatus& lines) = 0;
    // A phrase the panel has said, shown for a while in place of the status; returns at once.
    virtual void flash(const std::string& words) = 0;
};

}  // namespace platform
