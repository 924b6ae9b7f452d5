// What the braille display shows when: the status line the operator has stepped to with the
// display's line keys, or for a few seconds the phrase the panel said last, each cut into
// windows of the display's width that its panning keys move through. The frequency line, the
// one shown at rest, is the display's first line; the mode line and the function line follow.
// Plain rules on a time given from outside, shared by the real display and its test double.
#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>

#include "platform/braille_display.h"

namespace platform {

// A point on a steady clock: the real display's, or the one a test moves.
using BrailleTime = std::chrono::milliseconds;

// How long a phrase stays on the display: the screen readers' usual flash time.
inline constexpr BrailleTime kBrailleFlashTime{4000};

enum class BrailleKey { LineUp, LineDown, PanLeft, PanRight };

class BrailleView {
public:
    void setStatus(const BrailleStatus& lines) { status_ = lines; }
    // The phrase said at `now` replaces the one shown.
    void flash(const std::string& words, BrailleTime now);
    // The line keys end a phrase and step through the status lines, stopping at the first and
    // the last; the panning keys move along what is shown, and keep a phrase for its full time
    // again from the press.
    void press(BrailleKey key, BrailleTime now, std::size_t width);
    // The text of the cells at `now`, on a display `width` cells wide, without padding.
    std::string shown(BrailleTime now, std::size_t width) const;
    // When what is shown changes by itself: the end of the phrase shown.
    std::optional<BrailleTime> nextChange(BrailleTime now) const;

private:
    bool phraseShown(BrailleTime now) const { return !phrase_.empty() && now < phraseEnds_; }

    const std::string& line() const;

    BrailleStatus status_;
    std::size_t line_ = 0;  // of the display's lines, not the window's
    std::size_t lineOffset_ = 0;
    std::string phrase_;
    BrailleTime phraseEnds_{};
    std::size_t phraseOffset_ = 0;
};

}  // namespace platform
