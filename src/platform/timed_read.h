// The Windows read and write time-outs of a serial port, for the lines whose system keeps
// none of its own (a terminal on Linux, a network connection on either system): the rules
// are timed here over two small operations of the line, so every line reads the same way.
#pragma once

#include <functional>

#include "platform/serial_port.h"

namespace platform {

// What a line offers the rules: `take` reads what has arrived without waiting (the count, 0
// when nothing has, -1 when the line is gone); `wait` waits at most `ms` (-1: without
// limit) for bytes (1 when some may be read, 0 when the time ran out, -1 when the line is
// gone); `put` writes without waiting (the count taken, 0 when none could be, -1 when the
// line is gone); `waitRoom` waits at most `ms` until the line takes bytes again.
struct LineAccess {
    std::function<int(char* buffer, int max)> take;
    std::function<int(int ms)> wait;
    std::function<int(const char* bytes, int length)> put;
    std::function<void(int ms)> waitRoom;
};

// Reads up to `max` bytes by the rules of `timeouts` (see ReadTimeouts): the count, or -1
// when the line is gone before anything came.
int readByTimeouts(const LineAccess& line, const ReadTimeouts& timeouts, char* buffer, int max);

// Writes all bytes, waiting for room at most `limitMs` in all, so that a line nobody reads
// gives up instead of freezing the panel: the count written, or -1 when the line is gone
// before anything went.
int writeWithin(const LineAccess& line, const char* bytes, int length, int limitMs);

}  // namespace platform
