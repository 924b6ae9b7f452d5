// The text console of the radio finder.
#pragma once

#include <string>

namespace platform {

class Console {
public:
    virtual ~Console() = default;
    virtual void allocate() = 0;
    virtual void release() = 0;
    virtual void write(const std::string& text) = 0;
    // The character of a key pressed since the last poll, or -1 when none; never blocks.
    virtual int pollKey() = 0;
};

}  // namespace platform
