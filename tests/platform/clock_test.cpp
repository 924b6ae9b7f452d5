// The debug log's date and time stamps have fixed shapes: "dd-MM-yyyy" and "hh:mm:ss".
#include <gtest/gtest.h>

#include <regex>

#include "platform/linux/backends.h"

namespace {

TEST(LinuxClock, date_and_time_have_the_log_shapes) {
    const auto clock = platform::linux_backend::makeClock();
    EXPECT_TRUE(std::regex_match(clock->dateText(), std::regex(R"((0[1-9]|[12]\d|3[01])-(0[1-9]|1[0-2])-\d{4})")))
        << clock->dateText();
    EXPECT_TRUE(std::regex_match(clock->timeText(), std::regex(R"(([01]\d|2[0-3]):[0-5]\d:[0-5]\d)")))
        << clock->timeText();
}

}  // namespace
