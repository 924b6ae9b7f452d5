#include "platform/linux/braille_tty_path.h"

#include <climits>

namespace platform::linux_backend {

namespace {

bool given(const char* value) { return value != nullptr && *value != '\0'; }

}  // namespace

std::vector<int> brailleTtyPath(unsigned long xWindow, const char* windowPath, const char* vtNumber,
                                const char* display) {
    const bool placeKnown = given(windowPath) || (given(vtNumber) && given(display));
    if (xWindow == 0 || xWindow > INT_MAX || !placeKnown) return {};
    return {static_cast<int>(xWindow)};
}

}  // namespace platform::linux_backend
