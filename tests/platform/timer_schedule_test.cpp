// The poll timer's rhythm: a tick once a period, never a backlog after a long prompt.
#include <gtest/gtest.h>

#include "platform/linux/timer_schedule.h"

using platform::linux_backend::TimerSchedule;
using namespace std::chrono_literals;

namespace {

const TimerSchedule::Clock::time_point kStart{};

TEST(TimerSchedule, first_tick_falls_due_one_period_after_start) {
    TimerSchedule timers;
    timers.start(1, 50, kStart);
    EXPECT_EQ(timers.nextDue(), kStart + 50ms);
    EXPECT_EQ(timers.takeDue(kStart + 49ms), std::nullopt);
    EXPECT_EQ(timers.takeDue(kStart + 50ms), 1);
    EXPECT_EQ(timers.takeDue(kStart + 50ms), std::nullopt);
    EXPECT_EQ(timers.nextDue(), kStart + 100ms);
}

TEST(TimerSchedule, ticks_missed_during_a_long_prompt_merge_into_one) {
    TimerSchedule timers;
    timers.start(1, 50, kStart);
    EXPECT_EQ(timers.takeDue(kStart + 1030ms), 1);
    EXPECT_EQ(timers.takeDue(kStart + 1030ms), std::nullopt);
    // The timer keeps its own rhythm: the next tick is at the next whole period.
    EXPECT_EQ(timers.nextDue(), kStart + 1050ms);
}

TEST(TimerSchedule, a_stopped_timer_never_ticks_and_a_restart_replaces_it) {
    TimerSchedule timers;
    timers.start(1, 50, kStart);
    timers.start(1, 200, kStart);
    EXPECT_EQ(timers.takeDue(kStart + 100ms), std::nullopt);
    EXPECT_EQ(timers.takeDue(kStart + 200ms), 1);
    timers.stop(1);
    EXPECT_EQ(timers.nextDue(), std::nullopt);
    EXPECT_EQ(timers.takeDue(kStart + 10s), std::nullopt);
}

TEST(TimerSchedule, of_two_due_timers_the_one_due_longest_comes_first) {
    TimerSchedule timers;
    timers.start(2, 80, kStart);
    timers.start(1, 50, kStart);
    EXPECT_EQ(timers.takeDue(kStart + 100ms), 1);
    EXPECT_EQ(timers.takeDue(kStart + 100ms), 2);
    EXPECT_EQ(timers.takeDue(kStart + 100ms), std::nullopt);
}

}  // namespace
