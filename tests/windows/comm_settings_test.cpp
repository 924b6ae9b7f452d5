// The serial settings as the Windows driver receives them: the device each COM number
// opens, the DCB line fields, and the read time-outs that make a read wait or return at once.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/device_names.h"
#include "platform/windows/comm_settings.h"

namespace platform::windows_backend {
namespace {

TEST(WindowsSerialSettings, two_digit_ports_are_opened_by_their_device_path) {
    const std::vector<int> ports{1, 9, 10, 12, 99, 256};
    std::vector<std::string> names;
    for (int port : ports) names.push_back(windowsDeviceName(port));
    EXPECT_EQ(names, (std::vector<std::string>{"COM1", "COM9", "\\\\.\\COM10", "\\\\.\\COM12", "\\\\.\\COM99",
                                               "\\\\.\\COM256"}));
}

TEST(WindowsSerialSettings, line_format_reaches_the_driver_with_its_own_codes) {
    struct Case {
        LineFormat format;
        DcbLineFields expected;
    };
    const std::vector<Case> cases{
        {{8, 0, 1}, {8, 0, kOneStopBit}},   // the radio's usual 8N1
        {{8, 0, 2}, {8, 0, kTwoStopBits}},  // the panel's 8N2
        {{7, 2, 1}, {7, 2, kOneStopBit}},   // even parity
        {{7, 1, 2}, {7, 1, kTwoStopBits}},  // odd parity
    };
    for (const Case& c : cases) {
        EXPECT_EQ(dcbLineFieldsFor(c.format), c.expected)
            << "data bits " << c.format.dataBits << " parity " << c.format.parity << " stop " << c.format.stopBits;
    }
}

TEST(WindowsSerialSettings, read_timeouts_replace_only_the_read_part) {
    const CommTimeoutFields portHad{50, 10, 100, 7, 300};

    const CommTimeoutFields atOnce = commTimeoutsFor({ReadTimeouts::kReturnAtOnce, 0, 0}, portHad);
    EXPECT_EQ(atOnce, (CommTimeoutFields{0xFFFFFFFFu, 0, 0, 7, 300}));

    const CommTimeoutFields waiting = commTimeoutsFor({1000, 5, 0}, portHad);
    EXPECT_EQ(waiting, (CommTimeoutFields{1000, 5, 0, 7, 300}));
}

}  // namespace
}  // namespace platform::windows_backend
