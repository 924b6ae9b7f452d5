// The simulated radio behind a fake COM port, reached through the panel's serial layer as
// whole-panel and finder tests reach it.
#include <gtest/gtest.h>

#include <string>

#include "core/cat_link.h"
#include "ftxsim/fake_link.h"

namespace ftxsim {
namespace {

class FakeLinkTest : public ::testing::Test {
protected:
    void SetUp() override { attach(opener.addDevice(5), radio); }

    std::string query(const std::string& command) {
        link.writeBytes(5, command);
        std::string reply;
        link.readBytes(5, reply, 255);
        return reply;
    }

    platform::fake::FakeSerialPortOpener opener;
    vocapan::CatLink link{opener};
    Radio radio;
};

TEST_F(FakeLinkTest, radio_on_com5_answers_the_panel_at_its_speed) {
    ASSERT_EQ(link.openSerialPort(5, 38400), 1);
    link.setLineFormat(5, 8, 0, 2);
    EXPECT_EQ(query("ID;"), "ID0840;");
    EXPECT_EQ(query("FA014074000;"), "");
    EXPECT_EQ(query("FA;"), "FA014074000;");
}

TEST_F(FakeLinkTest, radio_hears_the_speed_the_port_was_opened_at) {
    radio.options().onlyBaud = 9600;
    ASSERT_EQ(link.openSerialPort(5, 38400), 1);
    EXPECT_EQ(query(";;;FA;"), "");
    link.closeSerialPort(5);
    ASSERT_EQ(link.openSerialPort(5, 9600), 1);
    EXPECT_EQ(query(";;;FA;"), "FA007100000;");
}

TEST_F(FakeLinkTest, wrong_framing_reaches_the_radio_as_noise) {
    ASSERT_EQ(link.openSerialPort(5, 38400), 1);
    link.setLineFormat(5, 7, 2, 1);
    EXPECT_EQ(query("ID;"), "");
    EXPECT_EQ(radio.garbledBytes(), 3u);
    EXPECT_TRUE(radio.commands().empty());
}

}  // namespace
}  // namespace ftxsim
