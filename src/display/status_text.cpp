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

}  // namespace vocapan
