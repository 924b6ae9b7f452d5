// Due times of the panel window's timers (see timer_schedule.h).
#include "platform/linux/timer_schedule.h"

#include <algorithm>

namespace platform::linux_backend {

namespace {

// Windows raises shorter periods to this minimum.
constexpr std::chrono::milliseconds kShortestPeriod{10};

template <typename Timers>
auto earliestOf(Timers& timers) {
    return std::min_element(timers.begin(), timers.end(), [](const auto& a, const auto& b) { return a.due < b.due; });
}

}  // namespace

void TimerSchedule::start(int id, int periodMs, Clock::time_point now) {
    stop(id);
    const Clock::duration period = std::max<Clock::duration>(std::chrono::milliseconds(periodMs), kShortestPeriod);
    timers_.push_back({id, period, now + period});
}

void TimerSchedule::stop(int id) {
    std::erase_if(timers_, [id](const Timer& timer) { return timer.id == id; });
}

std::optional<int> TimerSchedule::takeDue(Clock::time_point now) {
    const auto earliest = earliestOf(timers_);
    if (earliest == timers_.end() || earliest->due > now) return std::nullopt;
    rearm(*earliest, now);
    return earliest->id;
}

bool TimerSchedule::takeDue(int id, Clock::time_point now) {
    const auto timer = std::find_if(timers_.begin(), timers_.end(), [id](const Timer& t) { return t.id == id; });
    if (timer == timers_.end() || timer->due > now) return false;
    rearm(*timer, now);
    return true;
}

// Keeps the timer's own rhythm, skipping the periods that passed unasked.
void TimerSchedule::rearm(Timer& timer, Clock::time_point now) {
    const auto periodsPassed = (now - timer.due) / timer.period + 1;
    timer.due += periodsPassed * timer.period;
}

std::optional<TimerSchedule::Clock::time_point> TimerSchedule::nextDue() const {
    if (timers_.empty()) return std::nullopt;
    return earliestOf(timers_)->due;
}

}  // namespace platform::linux_backend
