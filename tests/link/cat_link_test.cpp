// The serial layer under the radio link, over fake ports: which port numbers reach a device,
// the settings an open leaves, and that a port that never opened swallows everything quietly.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/cat_link.h"
#include "platform/fake/fake_platform.h"

namespace vocapan {
namespace {

using platform::LineFormat;
using platform::ReadTimeouts;
using platform::fake::FakeSerialDevice;

class CatLinkTest : public ::testing::Test {
protected:
    // Every operation on `n` at once; a dead slot answers 0 to each.
    std::vector<int> everyAnswer(int n) {
        std::string text = "stale";
        const int read = link.readBytes(n, text, 255);
        return {link.bytesWaiting(n),          read,
                static_cast<int>(text.size()), link.writeBytes(n, "FA;"),
                link.setReadTimeouts(n, -1),   link.setLineFormat(n, 8, 0, 2),
                link.isOpen(n) ? 1 : 0};
    }

    platform::fake::FakeSerialPortOpener opener;
    CatLink link{opener};
};

TEST_F(CatLinkTest, numbers_outside_the_port_range_reach_no_device) {
    for (const int n : {0, -1, 257, 1000}) {
        EXPECT_EQ(link.openSerialPort(n, 38400), 0) << "port " << n;
        EXPECT_EQ(everyAnswer(n), std::vector<int>(7, 0)) << "port " << n;
        link.closeSerialPort(n);
    }
    EXPECT_TRUE(opener.openAttempts.empty());
}

TEST_F(CatLinkTest, port_that_never_opened_swallows_every_operation) {
    FakeSerialDevice& device = opener.addDevice(7);
    device.inbound = "FA014074000;";
    EXPECT_EQ(everyAnswer(7), std::vector<int>(7, 0));
    EXPECT_EQ(device.written, "");
    EXPECT_EQ(device.inbound, "FA014074000;") << "nothing may be read from a port that is not open";
}

TEST_F(CatLinkTest, missing_port_does_not_open) {
    EXPECT_EQ(link.openSerialPort(3, 38400), 0);
    EXPECT_FALSE(link.isOpen(3));
    EXPECT_EQ(opener.openAttempts, std::vector<int>{3});
}

TEST_F(CatLinkTest, open_sets_the_speed_one_stop_bit_and_the_finders_time_outs) {
    FakeSerialDevice& device = opener.addDevice(256);
    ASSERT_EQ(link.openSerialPort(256, 9600), 1);
    EXPECT_TRUE(device.open);
    EXPECT_EQ(device.baud, 9600);
    EXPECT_EQ(device.format, (LineFormat{8, 0, 1}));
    EXPECT_EQ(device.timeouts, (ReadTimeouts{1000, 5, 0}));
}

TEST_F(CatLinkTest, panel_open_sequence_leaves_two_stop_bits_and_reads_that_never_wait) {
    FakeSerialDevice& device = opener.addDevice(5);
    link.closeSerialPort(5);
    link.openSerialPort(5, 38400);
    EXPECT_EQ(link.setReadTimeouts(5, -1), 1);
    EXPECT_EQ(link.setLineFormat(5, 8, 0, 2), 1);
    EXPECT_EQ(device.baud, 38400);
    EXPECT_EQ(device.format, (LineFormat{8, 0, 2}));
    EXPECT_EQ(device.timeouts, (ReadTimeouts{ReadTimeouts::kReturnAtOnce, 0, 0}));
}

TEST_F(CatLinkTest, time_outs_other_than_minus_one_keep_the_interval_and_take_the_multiplier) {
    FakeSerialDevice& device = opener.addDevice(5);
    ASSERT_EQ(link.openSerialPort(5, 38400), 1);
    link.setReadTimeouts(5, 20);
    EXPECT_EQ(device.timeouts, (ReadTimeouts{1000, 20, 0}));
    link.setReadTimeouts(5, 0);
    EXPECT_EQ(device.timeouts, (ReadTimeouts{1000, 0, 0}));
}

TEST_F(CatLinkTest, stop_value_one_gives_one_stop_bit_any_other_two) {
    FakeSerialDevice& device = opener.addDevice(5);
    ASSERT_EQ(link.openSerialPort(5, 4800), 1);
    const std::vector<std::pair<int, int>> cases = {{1, 1}, {2, 2}, {0, 2}, {3, 2}, {-1, 2}};
    for (const auto& [stop, bits] : cases) {
        link.setLineFormat(5, 7, 2, stop);
        EXPECT_EQ(device.format, (LineFormat{7, 2, bits})) << "stop value " << stop;
    }
    EXPECT_EQ(device.baud, 4800) << "the line format must not touch the speed";
}

TEST_F(CatLinkTest, refused_settings_leave_the_slot_empty_and_the_device_free) {
    FakeSerialDevice& device = opener.addDevice(5);
    device.refuseSettings = true;
    EXPECT_EQ(link.openSerialPort(5, 38400), 0);
    EXPECT_FALSE(link.isOpen(5));
    EXPECT_FALSE(device.open) << "the refused handle must be closed again";
    EXPECT_EQ(link.writeBytes(5, "ID;"), 0);
    EXPECT_EQ(device.written, "");
}

TEST_F(CatLinkTest, held_port_cannot_be_opened_twice_and_stays_usable) {
    FakeSerialDevice& device = opener.addDevice(5);
    ASSERT_EQ(link.openSerialPort(5, 38400), 1);
    CatLink finder{opener};
    EXPECT_EQ(finder.openSerialPort(5, 115200), 0);
    EXPECT_EQ(link.openSerialPort(5, 9600), 0) << "a second open of a held port fails";
    EXPECT_EQ(link.writeBytes(5, "ID;"), 3);
    EXPECT_EQ(device.written, "ID;");
    EXPECT_EQ(device.baud, 38400);
}

TEST_F(CatLinkTest, closing_frees_the_port_for_the_next_open) {
    FakeSerialDevice& device = opener.addDevice(5);
    ASSERT_EQ(link.openSerialPort(5, 38400), 1);
    link.closeSerialPort(5);
    EXPECT_FALSE(device.open);
    EXPECT_EQ(link.writeBytes(5, "ID;"), 0);
    EXPECT_EQ(link.openSerialPort(5, 9600), 1);
    EXPECT_EQ(device.openCount, 2);
}

TEST_F(CatLinkTest, read_takes_at_most_what_was_asked_and_leaves_the_rest_waiting) {
    FakeSerialDevice& device = opener.addDevice(5);
    ASSERT_EQ(link.openSerialPort(5, 38400), 1);
    device.inbound = std::string(300, 'x');
    EXPECT_EQ(link.bytesWaiting(5), 300);
    std::string text;
    EXPECT_EQ(link.readBytes(5, text, 255), 255);
    EXPECT_EQ(text.size(), 255u);
    EXPECT_EQ(link.bytesWaiting(5), 45);
    EXPECT_EQ(link.readBytes(5, text, 0), 0);
    EXPECT_EQ(text, "");
}

// A line that fails (the device unplugged) closes the port at once: nothing more is written
// to it until it is opened again, which waits for the device to come back.
TEST_F(CatLinkTest, a_failed_line_closes_the_port_until_it_opens_again) {
    for (const auto fail : {+[](CatLink& l) { return l.bytesWaiting(5); },
                            +[](CatLink& l) {
                                std::string text;
                                return l.readBytes(5, text, 255);
                            },
                            +[](CatLink& l) { return l.writeBytes(5, "FA;"); }}) {
        FakeSerialDevice& device = opener.addDevice(5);
        device.unplugged = false;
        ASSERT_EQ(link.openSerialPort(5, 38400), 1);
        EXPECT_FALSE(link.hasFailed(5));
        device.unplugged = true;
        EXPECT_EQ(fail(link), 0);
        EXPECT_TRUE(link.hasFailed(5));
        EXPECT_EQ(everyAnswer(5), (std::vector<int>{0, 0, 0, 0, 0, 0, 0}));
        EXPECT_EQ(link.openSerialPort(5, 38400), 0);
        device.unplugged = false;
        EXPECT_EQ(link.openSerialPort(5, 38400), 1);
        EXPECT_FALSE(link.hasFailed(5));
        link.closeSerialPort(5);
    }
}

// A radio behind a serial server: its slot swallows everything until the connection is made,
// keeps the settings made meanwhile for it, and fails as a port does when the server goes.
TEST_F(CatLinkTest, the_network_slot_opens_once_its_connection_is_made_and_fails_with_its_server) {
    platform::fake::FakeClock clock;
    platform::fake::FakeNetworkLineConnector connector{clock};
    CatLink remote{opener, &connector};
    const int n = CatLink::kNetworkSlot;
    FakeSerialDevice& server = connector.addServer("station", 4000);
    server.inbound = "ID0840;";
    connector.looksBeforeMade = 2;
    ASSERT_EQ(remote.connectNetworkPort("station", 4000), 1);
    EXPECT_TRUE(remote.isConnecting());
    EXPECT_EQ(remote.setReadTimeouts(n, -1), 1);
    EXPECT_EQ(remote.writeBytes(n, "ID;"), 0);
    EXPECT_EQ(remote.bytesWaiting(n), 0);
    EXPECT_EQ(remote.finishConnecting(0), 0);
    EXPECT_FALSE(remote.isOpen(n));
    EXPECT_EQ(remote.finishConnecting(0), 1);
    EXPECT_TRUE(remote.isOpen(n));
    EXPECT_EQ(server.timeouts, (ReadTimeouts{ReadTimeouts::kReturnAtOnce, 0, 0}));
    EXPECT_EQ(remote.writeBytes(n, "FA;"), 3);
    EXPECT_EQ(server.written, "FA;") << "nothing written before the connection was made may arrive";
    EXPECT_EQ(remote.bytesWaiting(n), 7);

    server.unplugged = true;
    EXPECT_EQ(remote.bytesWaiting(n), 0);
    EXPECT_TRUE(remote.hasFailed(n));
    EXPECT_FALSE(remote.isOpen(n));
    ASSERT_EQ(remote.connectNetworkPort("station", 4000), 1);
    EXPECT_EQ(remote.finishConnecting(1000), 0) << "a stopped server refuses";
    EXPECT_FALSE(remote.isConnecting());
    server.unplugged = false;
    ASSERT_EQ(remote.connectNetworkPort("station", 4000), 1);
    EXPECT_EQ(remote.finishConnecting(1000), 1);
    EXPECT_FALSE(remote.hasFailed(n));
    EXPECT_TRUE(opener.openAttempts.empty()) << "no COM port is opened for it";
}

TEST_F(CatLinkTest, a_read_within_a_time_takes_what_came_and_reads_at_once_again) {
    FakeSerialDevice& device = opener.addDevice(5);
    ASSERT_EQ(link.openSerialPort(5, 38400), 1);
    link.setReadTimeouts(5, -1);
    device.inbound = "FA014074000;";
    std::string text;
    EXPECT_EQ(link.readWithin(5, text, 4096, 100), 12);
    EXPECT_EQ(text, "FA014074000;");
    EXPECT_EQ(device.timeouts, (ReadTimeouts{ReadTimeouts::kReturnAtOnce, 0, 0}));
    EXPECT_EQ(link.readWithin(5, text, 4096, 100), 0);  // nothing came within the time
}

}  // namespace
}  // namespace vocapan
