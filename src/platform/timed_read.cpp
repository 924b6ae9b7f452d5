#include "platform/timed_read.h"

#include <algorithm>
#include <chrono>
#include <optional>

namespace platform {

namespace {

using SteadyClock = std::chrono::steady_clock;

int millisecondsUntil(SteadyClock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - SteadyClock::now());
    return left.count() < 0 ? 0 : static_cast<int>(left.count());
}

}  // namespace

// Windows rules: a read ends when `max` bytes are in, when the interval between two bytes
// (timed from the last byte, only once one has come) runs out, or when the total of
// multiplier * max + constant runs out. With neither limit set it waits for all `max` bytes.
// The interval at its highest value with no total limit means "take what is there and return".
int readByTimeouts(const LineAccess& line, const ReadTimeouts& timeouts, char* buffer, int max) {
    if (max <= 0) return 0;
    int got = line.take(buffer, max);
    if (got < 0) return -1;
    const bool returnAtOnce =
        timeouts.intervalMs == ReadTimeouts::kReturnAtOnce && timeouts.multiplierMs == 0 && timeouts.constantMs == 0;
    if (returnAtOnce) return got;

    const auto start = SteadyClock::now();
    const long long totalMs = static_cast<long long>(timeouts.multiplierMs) * max + timeouts.constantMs;
    const std::optional<SteadyClock::time_point> totalDeadline =
        totalMs > 0 ? std::optional(start + std::chrono::milliseconds(totalMs)) : std::nullopt;
    auto lastByte = start;

    while (got < max) {
        int waitMs = -1;
        if (totalDeadline) waitMs = millisecondsUntil(*totalDeadline);
        if (timeouts.intervalMs != 0 && got > 0) {
            const int intervalLeft = millisecondsUntil(lastByte + std::chrono::milliseconds(timeouts.intervalMs));
            waitMs = waitMs < 0 ? intervalLeft : std::min(waitMs, intervalLeft);
        }
        if (waitMs == 0) break;

        const int ready = line.wait(waitMs);
        if (ready < 0) return got > 0 ? got : -1;  // the line went away: keep what came
        if (ready == 0) continue;                  // a limit ran out; the next pass sees it
        const int count = line.take(buffer + got, max - got);
        if (count < 0) return got > 0 ? got : -1;
        if (count == 0) continue;
        got += count;
        lastByte = SteadyClock::now();
    }
    return got;
}

int writeWithin(const LineAccess& line, const char* bytes, int length, int limitMs) {
    int sent = 0;
    const auto deadline = SteadyClock::now() + std::chrono::milliseconds(limitMs);
    while (sent < length) {
        const int count = line.put(bytes + sent, length - sent);
        if (count < 0) return sent > 0 ? sent : -1;
        if (count > 0) {
            sent += count;
            continue;
        }
        const int waitMs = millisecondsUntil(deadline);
        if (waitMs == 0) break;
        line.waitRoom(waitMs);
    }
    return sent;
}

}  // namespace platform
