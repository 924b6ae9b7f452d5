// The operator's screen reader as a voice of the panel: a phrase handed to it is spoken (and
// shown on a braille display) by the program the operator already listens to.
#pragma once

#include <string>

namespace platform {

class ScreenReader {
public:
    virtual ~ScreenReader() = default;
    // Reaches the screen reader; false when none is there to take phrases.
    virtual bool connect() = 0;
    // Hands over one phrase and returns at once; it is said after whatever the screen
    // reader is saying already, never instead of it.
    virtual void say(const std::string& text) = 0;
};

}  // namespace platform
