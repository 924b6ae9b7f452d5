// The example vocapan.cfg shipped in the Windows package, read by the panel's own reader
// with the CR LF line ends the package gives it: it must mean what its notes and the guide
// tell the operator, and its notes after line 18 must change nothing.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "panel/configuration.h"

namespace vocapan {
namespace {

std::string exampleWithWindowsLineEnds() {
    std::ifstream in(VOCAPAN_EXAMPLE_CONFIG, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    std::string windows;
    for (char c : text.str()) {
        if (c == '\n') windows += '\r';
        windows += c;
    }
    return windows;
}

TEST(ExampleConfiguration, reads_as_the_guide_explains_it) {
    const std::string text = exampleWithWindowsLineEnds();
    ASSERT_FALSE(text.empty()) << "cannot read " << VOCAPAN_EXAMPLE_CONFIG;

    ConfigState config;
    ASSERT_EQ(readConfiguration(text, config), ConfigurationResult::Read);
    EXPECT_EQ(config.comPort, 3);
    EXPECT_EQ(config.baudRate, 38400);
    EXPECT_EQ(config.swrOption, 1);
    EXPECT_EQ(config.tunerMode, 1);
    EXPECT_EQ(config.powerOffOnQuit, 0);
    EXPECT_EQ(config.offsetSign10 + config.offsetDigits10, "-0100");
    EXPECT_EQ(config.offsetSign11 + config.offsetDigits11, "-0600");
    EXPECT_EQ(config.offsetSign12 + config.offsetDigits12, "-0600");
    EXPECT_EQ(config.offsetSign13 + config.offsetDigits13, "-7600");
    EXPECT_EQ(config.relayPort, 0);
    EXPECT_EQ(config.debugLog, 0);
    EXPECT_EQ(config.knobSpeech, 1);  // the radio's own changes are spoken
    EXPECT_EQ(config.voice, 1);       // the recorded voice, at its first speed
    EXPECT_EQ(config.remotePort, 0);  // the empty line 15 leaves the radio on the COM port
    EXPECT_EQ(config.wsjtxPort, 0);   // WSJT-X is not listened to
    EXPECT_EQ(config.wsjtxLineWrong, 0);
    EXPECT_EQ(config.netAllowList, 0);  // the empty line 17 makes no allow line
    EXPECT_EQ(config.webPort, 0);       // web=0: no web page
    EXPECT_EQ(config.webLineWrong, 0);
}

TEST(ExampleConfiguration, the_alternatives_in_its_notes_read_as_described) {
    // The two-digit and four-digit forms the notes offer, put in place of lines 1, 7, 9, 10.
    const std::string text =
        "com=12\r\nspeed=38400\r\nswr=1\r\natu=1\r\npwroff=0\r\nrep10=-100\r\nrep6=-1000\r\nrep2=-600\r\n"
        "rep70=-500\r\nrelcom=12\r\ndebug=1\r\n";
    ConfigState config;
    ASSERT_EQ(readConfiguration(text, config), ConfigurationResult::Read);
    EXPECT_EQ(config.comPort, 12);
    EXPECT_EQ(config.offsetDigits11, "1000");
    EXPECT_EQ(config.offsetDigits13, "0500");
    EXPECT_EQ(config.relayPort, 12);
    EXPECT_EQ(config.debugLog, 1);

    // The home network of the notes of line 17, with every interface open on line 12.
    ASSERT_EQ(readConfiguration(text + "net=*:4532\r\nknob=1\r\nvoice=1\r\n\r\n\r\nallow=192.168.1.0/24,fd00::/64\r\n",
                                config),
              ConfigurationResult::Read);
    EXPECT_EQ(config.netAllInterfaces, 1);
    EXPECT_EQ(config.netAllowList, 1);
    EXPECT_EQ(config.netAllowed.size(), 2u);

    // The web page of the notes of line 18, on every address.
    ASSERT_EQ(readConfiguration(text + "net=0\r\nknob=1\r\nvoice=1\r\n\r\n\r\n\r\nweb=*:8080\r\n", config),
              ConfigurationResult::Read);
    EXPECT_EQ(config.webPort, 8080);
    EXPECT_EQ(config.webAllInterfaces, 1);
}

}  // namespace
}  // namespace vocapan
