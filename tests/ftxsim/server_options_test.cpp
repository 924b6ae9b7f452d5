// ftxsim's command line: the options a demo or test script gives it, and the mistakes it
// refuses instead of serving a radio other than the one asked for.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ftxsim/server_options.h"

namespace ftxsim {
namespace {

TEST(ServerOptions, demo_command_line_is_taken_whole) {
    ServerOptions options;
    std::string error;
    ASSERT_TRUE(parseServerOptions({"--link",
                                    "demo/COM5",
                                    "--id",
                                    "0650",
                                    "--silent",
                                    "--only-baud",
                                    "9600",
                                    "--log",
                                    "radio.log",
                                    "--log-epoch",
                                    "--report",
                                    "FA014074000;",
                                    "--report-every",
                                    "250",
                                    "--mic-reports",
                                    "--knob",
                                    "14074000,14075000",
                                    "--knob-step-ms",
                                    "50",
                                    "--knob-after-ms",
                                    "0",
                                    "--mode-button",
                                    "C",
                                    "--mode-button-after-ms",
                                    "700",
                                    "--line-bytes-per-second",
                                    "3840"},
                                   options, error))
        << error;
    EXPECT_EQ(options.linkPath, "demo/COM5");
    EXPECT_EQ(options.radio.id, "0650");
    EXPECT_TRUE(options.radio.silent);
    EXPECT_EQ(options.radio.onlyBaud, 9600);
    EXPECT_EQ(options.logPath, "radio.log");
    EXPECT_EQ(options.report, "FA014074000;");
    EXPECT_EQ(options.reportEveryMs, 250);
    EXPECT_TRUE(options.micReports);
    EXPECT_EQ(options.knob, (std::vector<long long>{14074000, 14075000}));
    EXPECT_EQ(options.knobStepMs, 50);
    EXPECT_EQ(options.knobAfterMs, 0);
    EXPECT_EQ(options.modeButton, "C");
    EXPECT_EQ(options.modeButtonAfterMs, 700);
    EXPECT_TRUE(options.logEpoch);
    EXPECT_EQ(options.lineBytesPerSecond, 3840);
}

TEST(ServerOptions, no_arguments_give_the_expected_radio) {
    ServerOptions options;
    std::string error;
    ASSERT_TRUE(parseServerOptions({}, options, error));
    EXPECT_EQ(options.radio.id, "0840");
    EXPECT_FALSE(options.radio.silent);
    EXPECT_EQ(options.radio.onlyBaud, 0);
    EXPECT_TRUE(options.linkPath.empty());
    EXPECT_FALSE(options.logEpoch);
}

TEST(ServerOptions, wrong_arguments_are_refused_with_a_reason) {
    const std::vector<std::vector<std::string>> cases = {
        {"--id", "840"},
        {"--id", "08a0"},
        {"--only-baud", "fast"},
        {"--only-baud", "0"},
        {"--only-baud", "-9600"},
        {"--report-every", "0"},
        {"--line-bytes-per-second", "0"},
        {"--link"},
        {"--frequency", "7"},
        {"COM5"},
        {"--only-baud", "99999999999"},
        {"--knob", ""},
        {"--knob", "14074000,,14076000"},
        {"--knob", "14074000,"},
        {"--knob", "14.074"},
        {"--knob", "0"},
        {"--knob-step-ms", "-100"},
        {"--mode-button", "12"},
        {"--mode-button", "u"},
    };
    for (const auto& arguments : cases) {
        ServerOptions options;
        std::string error;
        EXPECT_FALSE(parseServerOptions(arguments, options, error)) << arguments.front();
        EXPECT_FALSE(error.empty()) << arguments.front();
    }
}

}  // namespace
}  // namespace ftxsim
