#include "platform/braille_view.h"

#include <iterator>

namespace platform {

namespace {

// The window's line shown on each line of the display: frequency, mode, functions.
constexpr std::size_t kWindowLineOfDisplayLine[] = {1, 0, 2};
constexpr std::size_t kDisplayLines = std::size(kWindowLineOfDisplayLine);

// The first cell of the window that holds `offset`, or of the last window of the text when
// the text has become shorter since the operator panned.
std::size_t windowStart(const std::string& text, std::size_t offset, std::size_t width) {
    if (width == 0 || text.empty()) return 0;
    const std::size_t last = text.size() - 1;
    return (offset <= last ? offset : last) / width * width;
}

}  // namespace

void BrailleView::flash(const std::string& words, BrailleTime now) {
    phrase_ = words;
    phraseEnds_ = now + kBrailleFlashTime;
    phraseOffset_ = 0;
}

void BrailleView::press(BrailleKey key, BrailleTime now, std::size_t width) {
    if (key == BrailleKey::LineUp || key == BrailleKey::LineDown) {
        phrase_.clear();
        if (key == BrailleKey::LineUp && line_ > 0) --line_;
        if (key == BrailleKey::LineDown && line_ + 1 < kDisplayLines) ++line_;
        lineOffset_ = 0;
        return;
    }
    const bool onPhrase = phraseShown(now);
    const std::string& text = onPhrase ? phrase_ : line();
    std::size_t& offset = onPhrase ? phraseOffset_ : lineOffset_;
    const std::size_t start = windowStart(text, offset, width);
    if (key == BrailleKey::PanRight) offset = start + width < text.size() ? start + width : start;
    if (key == BrailleKey::PanLeft) offset = start >= width ? start - width : 0;
    if (onPhrase) phraseEnds_ = now + kBrailleFlashTime;
}

std::string BrailleView::shown(BrailleTime now, std::size_t width) const {
    const bool onPhrase = phraseShown(now);
    const std::string& text = onPhrase ? phrase_ : line();
    const std::size_t offset = onPhrase ? phraseOffset_ : lineOffset_;
    if (width == 0) return {};
    return text.substr(windowStart(text, offset, width), width);
}

const std::string& BrailleView::line() const { return status_[kWindowLineOfDisplayLine[line_]]; }

std::optional<BrailleTime> BrailleView::nextChange(BrailleTime now) const {
    if (phraseShown(now)) return phraseEnds_;
    return std::nullopt;
}

}  // namespace platform
