// vocapan.cfg is read by position: which characters of which line set each value.
#include <gtest/gtest.h>

#include "core/cat_link.h"
#include "panel/configuration.h"

namespace vocapan {
namespace {

ConfigState read(const std::string& text, ConfigurationResult* result = nullptr) {
    ConfigState config;
    const auto outcome = readConfiguration(text, config);
    if (result) *result = outcome;
    return config;
}

struct PortCase {
    std::string firstLine;
    int comPort;
};

void PrintTo(const PortCase& c, std::ostream* os) { *os << "first line '" << c.firstLine << "'"; }

class PortLine : public ::testing::TestWithParam<PortCase> {};

TEST_P(PortLine, selects_the_port_by_line_length) {
    EXPECT_EQ(read(GetParam().firstLine + "\r\n").comPort, GetParam().comPort);
}

INSTANTIATE_TEST_SUITE_P(FirstLine, PortLine,
                         ::testing::Values(PortCase{"com=12", 12},  // six characters: the last two
                                           PortCase{"com=3", 3},    // five: the last one
                                           PortCase{"com=112", 2},  // seven: the last one
                                           PortCase{"comm=x", 0},   // not a number
                                           PortCase{"port=q", 0},   // a letter reads as 0
                                           PortCase{"", 0}));

struct RemoteLineCase {
    std::string fifteenthLine;
    std::string remoteHost;
    int remotePort;
};

void PrintTo(const RemoteLineCase& c, std::ostream* os) { *os << "fifteenth line '" << c.fifteenthLine << "'"; }

class RemoteLine : public ::testing::TestWithParam<RemoteLineCase> {};

TEST_P(RemoteLine, names_the_serial_server_instead_of_the_com_port) {
    const std::string fourteen =
        "com=5\r\nspeed=38400\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\nrelay=0\r\ndebug=0\r\nnet=0\r\nknob=0\r\n\r\n";
    const ConfigState config = read(fourteen + GetParam().fifteenthLine);
    EXPECT_EQ(config.remoteHost, GetParam().remoteHost);
    EXPECT_EQ(config.remotePort, GetParam().remotePort);
    EXPECT_EQ(config.comPort, GetParam().remotePort > 0 ? CatLink::kNetworkSlot : 5);
    EXPECT_TRUE(portAndSpeedUsable(config));
}

INSTANTIATE_TEST_SUITE_P(
    FifteenthLine, RemoteLine,
    ::testing::Values(RemoteLineCase{"remote=shack.example.org:2000\r\n", "shack.example.org", 2000},
                      RemoteLineCase{"remote=192.168.1.20:3001", "192.168.1.20", 3001},
                      RemoteLineCase{"remote=[2001:db8::20]:4000\r\n", "2001:db8::20", 4000},
                      RemoteLineCase{"remote=[fe80::1%eth0]:65535 \r\n", "fe80::1%eth0", 65535},
                      RemoteLineCase{"remote=\r\n", "", 0},                                 // empty: the COM port
                      RemoteLineCase{"", "", 0},                                            // no line 15
                      RemoteLineCase{"shack.example.org:2000\r\n", "", 0},                  // no reminder word
                      RemoteLineCase{"Line 15 is read when it begins remote=\r\n", "", 0},  // a note
                      RemoteLineCase{"remote=shack:0\r\n", "", 0}, RemoteLineCase{"remote=shack:65536\r\n", "", 0},
                      RemoteLineCase{"remote=shack:20x0\r\n", "", 0}, RemoteLineCase{"remote=shack\r\n", "", 0},
                      RemoteLineCase{"remote=:2000\r\n", "", 0},
                      RemoteLineCase{"remote=2001:db8::20:4000\r\n", "", 0},  // IPv6 without brackets
                      RemoteLineCase{"remote=[]:4000\r\n", "", 0}, RemoteLineCase{"remote=sh ack:2000\r\n", "", 0}));

struct AllowLineCase {
    std::string laterLines;  // after line 15
    int netAllowList;        // 0 no allow line, 1 a list, -1 a line that lists no addresses
    std::size_t ranges;
};

void PrintTo(const AllowLineCase& c, std::ostream* os) { *os << "lines after 15 '" << c.laterLines << "'"; }

class AllowLine : public ::testing::TestWithParam<AllowLineCase> {};

TEST_P(AllowLine, lists_the_other_computers_let_in_or_none_when_it_lists_no_addresses) {
    const std::string fifteen =
        "com=5\r\nspeed=38400\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\nrelay=0\r\ndebug=0\r\nnet=*:4532\r\nknob=0\r\n\r\n\r\n";
    const ConfigState config = read(fifteen + GetParam().laterLines);
    EXPECT_EQ(config.netAllowList, GetParam().netAllowList);
    EXPECT_EQ(config.netAllowed.size(), GetParam().ranges);
    EXPECT_EQ(config.netPort, 4532);
}

// A list longer than a text field, its last address past the 254th character.
const std::string kLongList = "allow=" + [] {
    std::string list;
    for (int i = 0; i < 30; ++i) list += "192.168.1." + std::to_string(i) + ",";
    return list + "fd00::1";
}();

INSTANTIATE_TEST_SUITE_P(
    SeventeenthLine, AllowLine,
    ::testing::Values(
        AllowLineCase{"", 0, 0},  // fifteen lines, as every older file
        AllowLineCase{"\r\nallow=192.168.1.0/24,fd00::/64\r\n", 1, 2},
        AllowLineCase{"\r\nallow=192.168.1.20\r\n", 1, 1},
        AllowLineCase{"\r\nallow=10.0.0.0/8 , 172.16.0.0/12,\t192.168.0.0/16 \r\n", 1, 3},
        AllowLineCase{"\r\nallow=0.0.0.0/0,::/0", 1, 2},
        AllowLineCase{"\r\nallow=::ffff:192.168.1.0/120,2001:db8::192.168.1.1/128\r\n", 1, 2},
        AllowLineCase{"\r\nallow=1:2:3:4:5:6:7:8,1::8,::,fd00::7/128\r\n", 1, 4},
        AllowLineCase{"\r\n" + kLongList + "\r\n", 1, 31},
        AllowLineCase{"allow=192.168.1.20\r\n", 0, 0},                         // on line 16 it is not read
        AllowLineCase{"\r\nLine 17 is read when it begins allow=\r\n", 0, 0},  // a note
        AllowLineCase{"\r\nallow=\r\n", -1, 0}, AllowLineCase{"\r\nallow=192.168.1.0/33\r\n", -1, 0},
        AllowLineCase{"\r\nallow=192.168.1.0/\r\n", -1, 0}, AllowLineCase{"\r\nallow=192.168.1\r\n", -1, 0},
        AllowLineCase{"\r\nallow=192.168.1.256\r\n", -1, 0}, AllowLineCase{"\r\nallow=192.168.1.20,\r\n", -1, 0},
        AllowLineCase{"\r\nallow=192.168.1.20 192.168.1.21\r\n", -1, 0},
        AllowLineCase{"\r\nallow=shack.example.org\r\n", -1, 0}, AllowLineCase{"\r\nallow=fd00::/129\r\n", -1, 0},
        AllowLineCase{"\r\nallow=fd00:::1\r\n", -1, 0}, AllowLineCase{"\r\nallow=1::2::3\r\n", -1, 0},
        AllowLineCase{"\r\nallow=1:2:3:4:5:6:7:8:9\r\n", -1, 0},
        AllowLineCase{"\r\nallow=1:2:3:4:5:6:7:8::\r\n", -1, 0}, AllowLineCase{"\r\nallow=fd00::12345\r\n", -1, 0},
        AllowLineCase{"\r\nallow=fe80::1%eth0\r\n", -1, 0},
        AllowLineCase{"\r\nallow=::ffff:192.168.1.0/95\r\n", -1, 0},  // reaches past IPv4
        AllowLineCase{"\r\n" + kLongList + ",192.168.1.300\r\n", -1, 0}));
// Lines 12, 16 and 18 each name a port the panel opens: 12 the programs' network port, 16 the
// UDP port WSJT-X reports to, 18 the web page's. A port alone is on this computer; "*:" before
// it is every interface, and line 16 names an address instead. Lines 16 and 18 mark a value
// that is no port, to be said at start.
struct PortLineCase {
    int line;
    std::string text;
    std::string address;  // line 16: WSJT-X's; lines 12 and 18: "*" for every interface
    int port;
    int wrong = 0;
};

void PrintTo(const PortLineCase& c, std::ostream* os) { *os << "line " << c.line << " '" << c.text << "'"; }

class OpenedPortLine : public ::testing::TestWithParam<PortLineCase> {};

TEST_P(OpenedPortLine, names_the_port_on_this_computer_or_where_else_it_is_open) {
    const PortLineCase& c = GetParam();
    // The lines before it switch nothing on; line 17's allow list stays read with line 18.
    const std::string seventeen =
        "com=5\r\nspeed=38400\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\nrelay=0\r\ndebug=0\r\n"
        "net=0\r\nknob=0\r\nvoice=1\r\n\r\nwsjtx=0\r\nallow=192.168.1.0/24\r\n";
    std::size_t before = 0;
    for (int n = 1; n < c.line; ++n) before = seventeen.find("\r\n", before) + 2;
    const ConfigState config = read(seventeen.substr(0, before) + c.text);
    if (c.line == 12) {
        EXPECT_EQ(config.netPort, c.port);
        EXPECT_EQ(config.netAllInterfaces, c.address == "*" ? 1 : 0);
    } else if (c.line == 16) {
        EXPECT_EQ(config.wsjtxAddress, c.address);
        EXPECT_EQ(config.wsjtxPort, c.port);
        EXPECT_EQ(config.wsjtxLineWrong, c.wrong);
    } else {
        EXPECT_EQ(config.webPort, c.port);
        EXPECT_EQ(config.webAllInterfaces, c.address == "*" ? 1 : 0);
        EXPECT_EQ(config.webLineWrong, c.wrong);
        EXPECT_EQ(config.netAllowList, 1);
    }
    EXPECT_EQ(config.comPort, 5);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    PortLines, OpenedPortLine,
    ::testing::Values(
        PortLineCase{12, "net=4532\r\n", "", 4532},     // 127.0.0.1 only
        PortLineCase{12, "net=*:4532\r\n", "*", 4532},  // every interface
        PortLineCase{12, "net=0\r\n", "", 0},           // off
        PortLineCase{12, "net=\r\n", "", 0}, PortLineCase{12, "net=*:0\r\n", "", 0},
        PortLineCase{12, "net=70000\r\n", "", 0},       // no such port
        PortLineCase{12, "", "", 0},                    // eleven lines

        PortLineCase{16, "wsjtx=2237\r\n", "127.0.0.1", 2237},  // this computer only
        PortLineCase{16, "wsjtx=224.0.0.1:2237", "224.0.0.1", 2237},
        PortLineCase{16, "wsjtx=239.255.0.1:65535 \r\n", "239.255.0.1", 65535},
        PortLineCase{16, "wsjtx=0.0.0.0:2237\r\n", "0.0.0.0", 2237},  // every interface
        PortLineCase{16, "", "", 0},                                  // no line 16
        PortLineCase{16, "wsjtx=\r\n", "", 0}, PortLineCase{16, "wsjtx=0\r\n", "", 0},
        PortLineCase{16, "Vocapan reads only the first fifteen lines\r\n", "", 0},  // older notes
        PortLineCase{16, "wsjtx=70000\r\n", "", 0, 1}, PortLineCase{16, "wsjtx=22x7\r\n", "", 0, 1},
        PortLineCase{16, "wsjtx=224.0.0.1:\r\n", "", 0, 1}, PortLineCase{16, "wsjtx=224.0.0.1:0\r\n", "", 0, 1},
        PortLineCase{16, "wsjtx=256.0.0.1:2237\r\n", "", 0, 1}, PortLineCase{16, "wsjtx=localhost:2237\r\n", "", 0, 1},
        PortLineCase{16, "wsjtx=224.0.1:2237\r\n", "", 0, 1},

        PortLineCase{18, "web=8080\r\n", "", 8080}, PortLineCase{18, "web=*:8080 \r\n", "*", 8080},
        PortLineCase{18, "web=65535", "", 65535}, PortLineCase{18, "", "", 0},  // no line 18
        PortLineCase{18, "web=\r\n", "", 0}, PortLineCase{18, "web=0\r\n", "", 0},
        PortLineCase{18, "Vocapan reads only the first seventeen lines\r\n", "", 0},  // older notes
        PortLineCase{18, "web=70000\r\n", "", 0, 1}, PortLineCase{18, "web=80a\r\n", "", 0, 1},
        PortLineCase{18, "web=*:\r\n", "", 0, 1}, PortLineCase{18, "web=*:0\r\n", "", 0, 1},
        PortLineCase{18, "web=127.0.0.1:8080\r\n", "", 0, 1}, PortLineCase{18, "web=*8080\r\n", "", 0, 1}));
// clang-format on

TEST(Configuration, speed_is_read_from_the_seventh_character) {
    EXPECT_EQ(read("com=5\r\nspeed=38400\r\n").baudRate, 38400);
    EXPECT_EQ(read("com=5\r\nbaud: 9600\r\n").baudRate, 9600);
}

TEST(Configuration, a_full_file_sets_every_value) {
    const std::string text =
        "com=12\r\nspeed=38400\r\nswr=1\r\ntun=2\r\npwroff=1\r\nrep10=-100\r\nrep6=-1000\r\n"
        "rep2=+600\r\nrep70=-7600\r\nrelayp=14\r\ndebug=1\r\n";
    ConfigurationResult result;
    const ConfigState config = read(text, &result);
    EXPECT_EQ(result, ConfigurationResult::Read);
    EXPECT_EQ(config.comPort, 12);
    EXPECT_EQ(config.swrOption, 1);
    EXPECT_EQ(config.tunerMode, 2);
    EXPECT_EQ(config.topBand, "7");
    EXPECT_EQ(config.powerOffOnQuit, 1);
    EXPECT_EQ(config.offsetSign10, "-");
    EXPECT_EQ(config.offsetDigits10, "0100");
    EXPECT_EQ(config.offsetSign11, "-");
    EXPECT_EQ(config.offsetDigits11, "1000");  // exactly ten characters: four digits
    EXPECT_EQ(config.offsetSign12, "+");
    EXPECT_EQ(config.offsetDigits12, "0600");  // nine characters: "0" and three digits
    EXPECT_EQ(config.offsetSign13, "-");
    EXPECT_EQ(config.offsetDigits13, "7600");
    EXPECT_EQ(config.relayPort, 14);  // nine characters: the last two
    EXPECT_EQ(config.debugLog, 1);
    EXPECT_EQ(config.stdOffsetSign12, "+");
    EXPECT_EQ(config.stdOffsetDigits13, "7600");
    EXPECT_EQ(config.stdOffsetDigits10, "0100");
}

TEST(Configuration, line_ends_may_be_cr_lf_cr_or_lf) {
    for (const std::string end : {"\r\n", "\r", "\n"}) {
        const ConfigState config = read("com=7" + end + "speed=4800" + end + "swr=3" + end);
        EXPECT_EQ(config.comPort, 7) << "line end of " << end.size() << " characters";
        EXPECT_EQ(config.baudRate, 4800);
        EXPECT_EQ(config.swrOption, 3);
    }
}

TEST(Configuration, missing_lines_read_as_empty) {
    const ConfigState config = read("com=5\r\nspeed=38400\r\n");
    EXPECT_EQ(config.swrOption, 0);
    EXPECT_EQ(config.tunerMode, 0);
    EXPECT_EQ(config.powerOffOnQuit, 0);
    EXPECT_EQ(config.relayPort, 0);
    EXPECT_EQ(config.debugLog, 0);
    EXPECT_EQ(config.offsetSign10, "");
    EXPECT_EQ(config.offsetDigits10, "0");
    EXPECT_EQ(config.offsetDigits11, "0");
    EXPECT_EQ(config.offsetDigits12, "0");
    EXPECT_EQ(config.offsetDigits13, "0");
}

TEST(Configuration, line_13_switches_on_the_radios_own_changes_spoken_and_only_knob_1_does) {
    const std::string eleven =
        "com=5\r\nspeed=38400\r\nswr=0\r\ntun=1\r\npwroff=0\r\nrep10=-100\r\nrep6=-600\r\nrep2=-600\r\n"
        "rep70=-7600\r\nrelcom=0\r\ndebug=0\r\n";
    const std::pair<std::string, int> cases[] = {
        {"", 0},                     // eleven lines, as every older file
        {"net=0\r\nknob=1\r\n", 1},  // the sixth character of line 13
        {"net=0\r\nknob=0\r\n", 0},
        {"net=0\r\n\r\n", 0},       // empty
        {"net=0\r\nknob=1", 1},     // no line end after the last line
        {"knob=1\r\n", 0},          // on line 12 it is not read
        {"net=0\r\nknob=\r\n", 0},  // the line too short for a value
    };
    for (const auto& [later, knobSpeech] : cases) {
        EXPECT_EQ(read(eleven + later).knobSpeech, knobSpeech) << "lines after 11: '" << later << "'";
    }
}

TEST(Configuration, line_14_chooses_the_voice_and_anything_else_keeps_the_recorded_one) {
    const std::string thirteen =
        "com=5\r\nspeed=38400\r\nswr=0\r\ntun=1\r\npwroff=0\r\nrep10=-100\r\nrep6=-600\r\nrep2=-600\r\n"
        "rep70=-7600\r\nrelcom=0\r\ndebug=0\r\nnet=0\r\nknob=1\r\n";
    const std::pair<std::string, int> cases[] = {
        {"", 1},  // thirteen lines, as every older file
        {"voice=1\r\n", 1},
        {"voice=2\r\n", 2},
        {"voice=3", 3},  // no line end after the last line
        {"voice=reader\r\n", 4},
        {"voice=\r\n", 1},
        {"voice=4\r\n", 1},
        {"voice=Reader\r\n", 1},
        {"The notes of the example file start here.\r\n", 1},
    };
    for (const auto& [later, voice] : cases) {
        EXPECT_EQ(read(thirteen + later).voice, voice) << "line 14: '" << later << "'";
    }
    EXPECT_EQ(read("com=5\r\nspeed=38400\r\nvoice=3\r\n").voice, 1);  // on line 3 it is not read
}

TEST(Configuration, another_programs_configuration_is_refused_after_port_and_speed) {
    ConfigurationResult result;
    const ConfigState config = read("com=4\r\nspeed=9600\r\npoweroff=1\r\ntun=0\r\npwroff=1\r\n", &result);
    EXPECT_EQ(result, ConfigurationResult::WrongKind);
    EXPECT_EQ(config.comPort, 4);
    EXPECT_EQ(config.baudRate, 9600);
    EXPECT_EQ(config.powerOffOnQuit, 0);  // nothing after line 2 is read
    EXPECT_EQ(config.topBand, "");
}

TEST(Configuration, the_refusal_test_is_case_sensitive) {
    ConfigurationResult result;
    read("com=4\r\nspeed=9600\r\nPOW=1\r\n", &result);
    EXPECT_EQ(result, ConfigurationResult::Read);
}

TEST(Configuration, an_overlong_line_is_cut_and_never_read_past) {
    const std::string longLine(1000, '9');
    const ConfigState config = read("com=5\r\nspeed=" + longLine + "\r\n");
    EXPECT_EQ(config.comPort, 5);
    EXPECT_GT(config.baudRate, 0);  // saturates instead of wrapping round
}

}  // namespace
}  // namespace vocapan
