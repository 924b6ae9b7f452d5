#include "display/status_text.h"

namespace vocapan {

std::string statusText(std::initializer_list<std::string_view> pieces) {
    std::string text;
    bool blank = false;
    for (const std::string_view piece : pieces) {
        blank = true;  // pieces drawn apart are words apart
        for (const char c : piece) {
            if (c == ' ') {
                blank = true;
                continue;
            }
            if (blank && !text.empty()) text += ' ';
            text += c;
            blank = false;
        }
    }
    return text;
}

std::array<std::string, 3> shownStatusLines(const DisplayState& display) {
    return {statusText({display.statusLines[0], display.meterText}), display.statusLines[1], display.statusLines[2]};
}

}  // namespace vocapan
