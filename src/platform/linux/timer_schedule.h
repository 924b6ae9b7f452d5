// The panel window's timers as Windows keeps them: each falls due once a period, a due timer
// is handed out only when the window asks (that is, when no other message waits), and
// periods that pass while the panel is busy merge into one tick instead of piling up.
#pragma once

#include <chrono>
#include <optional>
#include <vector>

namespace platform::linux_backend {

class TimerSchedule {
public:
    using Clock = std::chrono::steady_clock;

    // Starts timer `id`, first due one period from `now`; restarts it when it runs already.
    void start(int id, int periodMs, Clock::time_point now);
    void stop(int id);
    // The timer that is due at `now` (the one due longest when several are), rearmed for its
    // next period after `now`; nothing when no timer is due.
    std::optional<int> takeDue(Clock::time_point now);
    // Whether timer `id` is due at `now`; when it is, it is rearmed as by the call above.
    bool takeDue(int id, Clock::time_point now);
    // When the next timer falls due; nothing when no timer runs.
    std::optional<Clock::time_point> nextDue() const;

private:
    struct Timer {
        int id;
        Clock::duration period;
        Clock::time_point due;
    };
    static void rearm(Timer& timer, Clock::time_point now);
    std::vector<Timer> timers_;
};

}  // namespace platform::linux_backend
