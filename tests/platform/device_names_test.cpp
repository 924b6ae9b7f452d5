// Which device each COM number opens: the Windows names, and on Linux a COMn entry in the
// working folder before the default mapping onto built-in, USB-adapter and USB-modem ports.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "platform/device_names.h"

namespace platform {
namespace {

struct NameCase {
    int comNumber;
    std::string device;
};

TEST(DeviceNames, windows_names_ports_above_nine_with_the_device_prefix) {
    const std::vector<NameCase> cases = {
        {1, "COM1"}, {9, "COM9"}, {10, "\\\\.\\COM10"}, {12, "\\\\.\\COM12"}, {256, "\\\\.\\COM256"}, {0, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(windowsDeviceName(c.comNumber), c.device) << "COM" << c.comNumber;
}

TEST(DeviceNames, linux_maps_port_numbers_onto_the_three_serial_families) {
    const auto nothingHere = [](const std::string&) { return false; };
    const std::vector<NameCase> cases = {
        {1, "/dev/ttyS0"},
        {5, "/dev/ttyS4"},
        {32, "/dev/ttyS31"},
        {33, "/dev/ttyUSB0"},
        {64, "/dev/ttyUSB31"},
        {65, "/dev/ttyACM0"},
        {96, "/dev/ttyACM31"},
        {97, ""},
        {256, ""},
        {0, ""},
        {-3, ""},
        {257, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(linuxDevicePath(c.comNumber, nothingHere), c.device) << "COM" << c.comNumber;
}

TEST(DeviceNames, linux_prefers_a_com_entry_in_the_working_folder) {
    const std::set<std::string> entries = {"COM5", "COM12", "COM200"};
    const auto present = [&](const std::string& name) { return entries.count(name) > 0; };
    EXPECT_EQ(linuxDevicePath(5, present), "COM5");
    EXPECT_EQ(linuxDevicePath(12, present), "COM12");
    EXPECT_EQ(linuxDevicePath(200, present), "COM200") << "a link reaches ports the mapping does not";
    EXPECT_EQ(linuxDevicePath(6, present), "/dev/ttyS5");
}

TEST(DeviceNames, linux_asks_only_about_the_entry_of_the_port_in_question) {
    std::vector<std::string> asked;
    linuxDevicePath(40, [&](const std::string& name) {
        asked.push_back(name);
        return false;
    });
    EXPECT_EQ(asked, std::vector<std::string>{"COM40"});
}

}  // namespace
}  // namespace platform
