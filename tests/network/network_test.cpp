// Digital-mode programs and loggers work the radio through the panel's network port as
// Hamlib's "NET rigctl" radio: what they ask is answered from the panel's state, what they
// set reaches the radio through the panel's own operations and is spoken, and a program
// that misbehaves is refused or dropped while the panel and the other programs go on.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "core/key_codes.h"
#include "key_session.h"
#include "network/rig_server.h"
#include "panel/event_handler.h"
#include "panel/key_rules.h"
#include "panel_fixture.h"
#include "panel_session.h"

namespace vocapan::testing {
namespace {

using Lines = std::vector<std::string>;

struct NetworkSession {
    explicit NetworkSession(const std::string& network = "net=4532", const std::string& allow = "") {
        ConfigLines config;
        config.network = network;
        config.allow = allow;
        connectSession(fixture, config);
        openNetwork(fixture.panel);
    }
    // A program connects from `peer` and sends `text`, or nothing yet; the panel serves it.
    int programSends(const std::string& text, const std::string& peer = "127.0.0.1") {
        const int number = tcp().connect(peer);
        tcp().client(number).toPanel = text;
        serviceNetwork(fixture.panel);
        return number;
    }
    platform::fake::FakeTcpServer& tcp() { return fixture.fake.network; }
    PanelState& state() { return fixture.panel.state; }
    // Timer ticks as the event handler runs them: the poll, then the programs, with the
    // programs served between the prompts of what the panel says.
    void ticks(int count) {
        for (int i = 0; i < count; ++i) handleMessage(fixture.panel, {platform::MessageKind::Timer, 0, kPollTimer});
    }
    // Ticks until the programs have been quiet and the radio's next report has been announced.
    void untilReported() { ticks(8); }
    PanelFixture fixture;
};

TEST(NetworkPort, listens_on_127_0_0_1_only_when_configured) {
    NetworkSession session;
    EXPECT_TRUE(session.tcp().listening);
    EXPECT_EQ(session.tcp().listenedPort, 4532);
    EXPECT_FALSE(session.tcp().listenedAllInterfaces);

    PanelFixture without;
    connectSession(without);
    openNetwork(without.panel);
    EXPECT_FALSE(without.fake.network.listening);
}

TEST(NetworkPort, a_port_that_cannot_be_had_leaves_the_panel_running_without_it) {
    PanelFixture fixture;
    fixture.fake.network.refuseListen = true;
    ConfigLines config;
    config.network = "net=*:4532";
    connectSession(fixture, config);
    openNetwork(fixture.panel);
    EXPECT_TRUE(fixture.fake.network.listenedAllInterfaces);
    EXPECT_EQ(fixture.panel.state.netListening, 0);
    EXPECT_EQ(fixture.fake.console.output, "vocapan: network port 4532 is in use; network rig control is off\n");
    EXPECT_EQ(fixture.prompts(), Lines{"netbusy"});
    fixture.fake.network.connect();
    runTicks(fixture, 2);
    serviceNetwork(fixture.panel);
    EXPECT_EQ(fixture.commands(), (Lines{"FA;"}));
    EXPECT_EQ(fixture.prompts(), Lines{"netbusy"});  // said once
}

// --- Who may connect: this computer, the computers of the allow line, and no other ---

struct OpeningCase {
    std::string network;
    std::string allow;
    bool everyInterface;
    Lines heard;
    std::string console;
};

void PrintTo(const OpeningCase& c, std::ostream* os) { *os << "'" << c.network << "' '" << c.allow << "'"; }

class Opening : public ::testing::TestWithParam<OpeningCase> {};

TEST_P(Opening, says_once_who_the_port_is_open_to) {
    NetworkSession session(GetParam().network, GetParam().allow);
    EXPECT_EQ(session.tcp().listenedAllInterfaces, GetParam().everyInterface);
    EXPECT_EQ(session.fixture.prompts(), GetParam().heard);
    EXPECT_EQ(session.fixture.fake.console.output, GetParam().console);
    runTicks(session.fixture, 2);
    EXPECT_EQ(session.fixture.prompts(), GetParam().heard);
}

const std::string kNotAList =
    "vocapan: line 17 of vocapan.cfg, allow=, lists no addresses as ADDRESS or ADDRESS/BITS separated by commas; "
    "network rig control serves this computer only\n";

INSTANTIATE_TEST_SUITE_P(
    NetworkPort, Opening,
    ::testing::Values(OpeningCase{"net=*:4532", "", true, {"netopen"}, ""},
                      OpeningCase{"net=*:4532", "allow=192.168.1.0/24,fd00::/64", true, {}, ""},
                      OpeningCase{"net=4532", "allow=192.168.1.0/24", false, {}, ""},
                      // A line that lists no addresses never opens the port to everyone.
                      OpeningCase{"net=*:4532", "allow=192.168.1.0/33", false, {"cfgerr", "allowln"}, kNotAList},
                      OpeningCase{"net=*:4532", "allow=", false, {"cfgerr", "allowln"}, kNotAList},
                      OpeningCase{"net=*:4532", "allow=shack.example.org", false, {"cfgerr", "allowln"}, kNotAList},
                      OpeningCase{"net=4532", "allow=192.168.1.20,", false, {"cfgerr", "allowln"}, kNotAList},
                      OpeningCase{"net=0", "allow=192.168.1.0/33", false, {}, ""}));

struct AdmissionCase {
    std::string allow;  // line 17, with the port open on every interface
    std::string peer;
    Lines heard;  // "netjoin": served from afar; "netrefused": closed unread; nothing: this computer
};

void PrintTo(const AdmissionCase& c, std::ostream* os) { *os << "'" << c.allow << "' from " << c.peer; }

class Admission : public ::testing::TestWithParam<AdmissionCase> {};

TEST_P(Admission, serves_this_computer_and_the_listed_ones_and_closes_the_rest_unread) {
    NetworkSession session("net=*:4532", GetParam().allow);
    session.fixture.clearRecords();
    const int program = session.programSends("f\n", GetParam().peer);
    const auto& client = session.tcp().client(program);
    EXPECT_EQ(session.fixture.prompts(), GetParam().heard);
    if (GetParam().heard == Lines{"netrefused"}) {
        EXPECT_TRUE(client.closedByPanel);
        EXPECT_EQ(client.toPanel, "f\n");  // not a byte read
        EXPECT_EQ(client.fromPanel, "");
        EXPECT_EQ(session.fixture.fake.console.output, "vocapan: network port 4532 refused a program at " +
                                                           GetParam().peer + ", which the allow line does not list\n");
        EXPECT_TRUE(session.state().netClients.empty());
    } else {
        EXPECT_FALSE(client.closedByPanel);
        EXPECT_EQ(client.fromPanel, "7100000\n");
        EXPECT_EQ(session.fixture.fake.console.output, "");
    }
}

const Lines kServedFromAfar{"netjoin"};
const Lines kRefused{"netrefused"};
const Lines kThisComputer{};

INSTANTIATE_TEST_SUITE_P(
    NetworkPort, Admission,
    ::testing::Values(AdmissionCase{"allow=192.168.1.20", "192.168.1.20", kServedFromAfar},
                      AdmissionCase{"allow=192.168.1.20", "192.168.1.21", kRefused},
                      AdmissionCase{"allow=192.168.1.20/32", "192.168.1.20", kServedFromAfar},
                      AdmissionCase{"allow=192.168.1.20/32", "192.168.1.19", kRefused},
                      AdmissionCase{"allow=192.168.1.0/24", "192.168.1.254", kServedFromAfar},
                      AdmissionCase{"allow=192.168.1.0/24", "192.168.2.1", kRefused},
                      AdmissionCase{"allow=192.168.1.128/25", "192.168.1.200", kServedFromAfar},
                      AdmissionCase{"allow=192.168.1.128/25", "192.168.1.100", kRefused},
                      AdmissionCase{"allow=10.0.0.0/8, fd00::/64", "fd00::1234:5678", kServedFromAfar},
                      AdmissionCase{"allow=10.0.0.0/8, fd00::/64", "fd00:0:0:1::1", kRefused},
                      AdmissionCase{"allow=fd00::7/128", "fd00::7", kServedFromAfar},
                      AdmissionCase{"allow=fd00::7/128", "fd00::8", kRefused},
                      AdmissionCase{"allow=0.0.0.0/0", "203.0.113.9", kServedFromAfar},
                      AdmissionCase{"allow=0.0.0.0/0", "2001:db8::1", kRefused},  // every IPv4 address, no IPv6 one
                      AdmissionCase{"allow=::/0", "2001:db8::1", kServedFromAfar},
                      AdmissionCase{"allow=::/0", "203.0.113.9", kRefused},
                      // An IPv4 program as a dual-stack port reports it counts as its IPv4 address.
                      AdmissionCase{"allow=192.168.1.0/24", "::ffff:192.168.1.9", kServedFromAfar},
                      AdmissionCase{"allow=192.168.1.0/24", "::ffff:10.0.0.1", kRefused},
                      AdmissionCase{"allow=::ffff:192.168.1.0/120", "192.168.1.9", kServedFromAfar},
                      AdmissionCase{"allow=192.168.1.20", "127.0.0.1", kThisComputer},
                      AdmissionCase{"allow=192.168.1.20", "::1", kThisComputer},
                      AdmissionCase{"allow=192.168.1.20", "::ffff:127.0.0.1", kThisComputer},
                      AdmissionCase{"allow=192.168.1.20", "127.0.0.2", kRefused},  // another loopback address
                      AdmissionCase{"", "192.168.1.9", kServedFromAfar}));         // no allow line: every computer

TEST(ProgramsFromAfar, are_heard_coming_keying_and_going_while_programs_of_this_computer_stay_quiet) {
    NetworkSession session("net=*:4532", "allow=192.168.1.0/24");
    const int local = session.programSends("F 14074000\n");
    // A program that connects while the panel speaks is heard after the words in hand.
    int afar = 0;
    session.fixture.fake.sound.onPlay = [&](const std::string&) {
        if (afar == 0) afar = session.tcp().connect("192.168.1.20");
    };
    session.untilReported();
    session.fixture.fake.sound.onPlay = nullptr;
    session.tcp().client(afar).toPanel = "T 1\n";
    session.ticks(2);
    session.tcp().client(afar).toPanel = "T 0\n";
    session.ticks(2);
    session.tcp().client(afar).closedByClient = true;
    session.tcp().client(local).closedByClient = true;
    session.ticks(1);
    EXPECT_EQ(session.fixture.prompts(), (Lines{"1", "4", "point", "0", "7", "4", "mhz", "lsb", "netjoin", "tx", "on",
                                                "tx", "off", "swr", "1", "point", "5", "21", "netgone"}));
    EXPECT_TRUE(session.state().netClients.empty());

    // A program from afar that keyed the transmitter and vanished: gone, and the transmitter off.
    session.fixture.clearRecords();
    const int vanishing = session.programSends("T 1\n");
    session.tcp().client(vanishing).closedByClient = true;
    serviceNetwork(session.fixture.panel);
    EXPECT_EQ(session.fixture.prompts(), (Lines{"tx", "on", "tx", "off"}));  // from this computer: no more
    session.fixture.clearRecords();
    const int keying = session.programSends("T 1\n", "192.168.1.30");
    session.tcp().client(keying).closedByClient = true;
    serviceNetwork(session.fixture.panel);
    EXPECT_EQ(session.fixture.prompts(), (Lines{"netjoin", "tx", "on", "netgone", "tx", "off"}));
    EXPECT_EQ(session.state().txState, 0);
}

TEST(ProgramsFromAfar, the_first_refusal_of_each_address_is_said_and_written_once) {
    NetworkSession session("net=*:4532", "allow=192.168.1.0/24");
    for (const char* peer : {"192.168.2.5", "192.168.2.5", "::ffff:192.168.2.5", "192.168.2.6", "192.168.2.5"}) {
        const int program = session.programSends("T 1\n", peer);
        EXPECT_TRUE(session.tcp().client(program).closedByPanel) << peer;
    }
    EXPECT_EQ(session.fixture.prompts(), (Lines{"netrefused", "netrefused"}));
    EXPECT_EQ(session.fixture.fake.console.output,
              "vocapan: network port 4532 refused a program at 192.168.2.5, which the allow line does not list\n"
              "vocapan: network port 4532 refused a program at 192.168.2.6, which the allow line does not list\n");
    EXPECT_EQ(session.fixture.commands(), Lines{});
}

// --- Queries: answered from the panel's state, nothing sent to the radio ---

struct QueryCase {
    std::string line;
    std::function<void(PanelState&)> setUp;
    std::string reply;
};

void PrintTo(const QueryCase& c, std::ostream* os) { *os << "'" << c.line << "'"; }

class Query : public ::testing::TestWithParam<QueryCase> {};

TEST_P(Query, is_answered_from_the_panel_state) {
    NetworkSession session;
    session.state().filterWidth = 14;
    if (GetParam().setUp) GetParam().setUp(session.state());
    session.fixture.clearRecords();
    const int program = session.programSends(GetParam().line + "\n");
    EXPECT_EQ(session.tcp().client(program).fromPanel, GetParam().reply);
    EXPECT_EQ(session.fixture.commands(), Lines{});
}

void split(PanelState& s) { s.vfoBTarget = 1; }
void splitFromVfoA(PanelState& s) { s.vfoBTarget = 1, s.vfoAHz = 14076000, s.splitSaveText = "A014074000"; }

INSTANTIATE_TEST_SUITE_P(
    Commands, Query,
    ::testing::Values(
        QueryCase{"f", {}, "7100000\n"}, QueryCase{"\\get_freq", {}, "7100000\n"},
        QueryCase{"+f", {}, "get_freq:\nFrequency: 7100000\nRPRT 0\n"},
        QueryCase{";\\get_freq", {}, "get_freq:;Frequency: 7100000;RPRT 0\n"}, QueryCase{"m", {}, "LSB\n2400\n"},
        QueryCase{"+m", [](PanelState& s) { s.mode = 3, s.filterWidth = 11; },
                  "get_mode:\nMode: CW\nPassband: 800\nRPRT 0\n"},
        QueryCase{"m", [](PanelState& s) { s.mode = 5; }, "FMN\n9000\n"},
        QueryCase{"m", [](PanelState& s) { s.mode = 6; }, "C4FM\n12500\n"},
        QueryCase{"m", [](PanelState& s) { s.mode = 2, s.filterWidth = 9; }, "USB\n1800\n"},
        QueryCase{"v", {}, "VFOA\n"}, QueryCase{"v", split, "VFOA\n"}, QueryCase{"s", {}, "0\nVFOA\n"},
        // In split f reads VFO A, where split began, and i VFO B, the panel's frequency.
        QueryCase{"f", splitFromVfoA, "14074000\n"}, QueryCase{"i", splitFromVfoA, "14076000\n"},
        QueryCase{"+\\get_split_freq", splitFromVfoA, "get_split_freq:\nTX Frequency: 14076000\nRPRT 0\n"},
        QueryCase{"i", {}, "7100000\n"}, QueryCase{"x", {}, "LSB\n2400\n"},
        QueryCase{"+\\get_split_mode", {}, "get_split_mode:\nTX Mode: LSB\nTX Passband: 2400\nRPRT 0\n"},
        QueryCase{"m", [](PanelState& s) { s.mode = 2, s.rigDataMode = 2; }, "PKTUSB\n2400\n"},
        QueryCase{"m", [](PanelState& s) { s.rigDataMode = 2; }, "LSB\n2400\n"},  // the operator changed it
        QueryCase{"+s", split, "get_split_vfo:\nSplit: 1\nTX VFO: VFOB\nRPRT 0\n"}, QueryCase{"t", {}, "0\n"},
        QueryCase{"t", [](PanelState& s) { s.txState = 10; }, "1\n"}, QueryCase{"\\chk_vfo", {}, "0\n"},
        QueryCase{"+\\chk_vfo", {}, "ChkVFO: 0\n"}, QueryCase{"\\get_powerstat", {}, "1\n"},
        QueryCase{"\\get_lock_mode", {}, "0\nRPRT 0\n"},
        // Several commands on a line, each answered in its own form; "+\chk_vfo" extends the next.
        QueryCase{"f m", {}, "7100000\nLSB\n2400\n"}, QueryCase{"fm", {}, "7100000\nLSB\n2400\n"},
        QueryCase{"\\get_freq \\get_mode", {}, "7100000\nLSB\n2400\n"},
        QueryCase{"+f m", {}, "get_freq:\nFrequency: 7100000\nRPRT 0\nLSB\n2400\n"},
        QueryCase{"f;m", {}, "7100000\nget_mode:;Mode: LSB;Passband: 2400;RPRT 0\n"},
        QueryCase{"+\\chk_vfo\nf\nf", {}, "ChkVFO: 0\nget_freq:\nFrequency: 7100000\nRPRT 0\n7100000\n"},
        QueryCase{"f\rs\r\nt", {}, "7100000\n0\nVFOA\n0\n"}, QueryCase{"+q f", {}, "RPRT 0\n"},
        // An optional VFO word first: VFO B (Sub, or TX in split) is read by f as by i.
        QueryCase{"f VFOB", splitFromVfoA, "14076000\n"}, QueryCase{"f Main", splitFromVfoA, "14074000\n"},
        QueryCase{"+f Sub", splitFromVfoA, "get_freq: Sub\nFrequency: 14076000\nRPRT 0\n"},
        QueryCase{"f TX", splitFromVfoA, "14076000\n"}, QueryCase{"f TX", {}, "7100000\n"},
        QueryCase{"m currVFO", {}, "LSB\n2400\n"}, QueryCase{"s VFOA t VFOA", {}, "0\nVFOA\n0\n"},
        QueryCase{"l VFOA AF", [](PanelState& s) { s.afGainMain = 51; }, "0.200000\n"},
        QueryCase{"l STRENGTH", [](PanelState& s) { s.sMeter = 121; }, "0\n"},
        QueryCase{"l STRENGTH", [](PanelState& s) { s.sMeter = 10; }, "-54\n"},
        QueryCase{"+l STRENGTH", [](PanelState& s) { s.sMeter = 170; }, "get_level: STRENGTH\n20\nRPRT 0\n"},
        QueryCase{"l RFPOWER", [](PanelState& s) { s.powerRangeLow = 1, s.powerLevel = 50; }, "0.500000\n"},
        QueryCase{"l RFPOWER", [](PanelState& s) { s.powerRangeLow = 0, s.powerLevel = 5; }, "0.500000\n"},
        QueryCase{"l AF", [](PanelState& s) { s.afGainMain = 51; }, "0.200000\n"},
        QueryCase{"l SQL", [](PanelState& s) { s.squelchLevel = 255; }, "1.000000\n"},
        QueryCase{"l KEYSPD", [](PanelState& s) { s.keyerSpeed = 25; }, "25\n"},
        QueryCase{"l MICGAIN", [](PanelState& s) { s.micGain = 50; }, "0.500000\n"},
        // Refused: a wrong or missing argument, and what the panel does not offer.
        QueryCase{"l SWR", {}, "RPRT -1\n"}, QueryCase{"l", {}, "RPRT -1\n"}, QueryCase{"F", {}, "RPRT -1\n"},
        QueryCase{"F 14.07a", {}, "RPRT -1\n"}, QueryCase{"F 500000", {}, "RPRT -1\n"},
        QueryCase{"+F abc", {}, "set_freq: abc\nRPRT -1\n"}, QueryCase{"M PKTSSB 0", {}, "RPRT -1\n"},
        QueryCase{"M USB 99999999999999999999", {}, "RPRT -1\n"}, QueryCase{"M USB -2", {}, "RPRT -1\n"},
        QueryCase{"F 99999999999999999999", {}, "RPRT -1\n"}, QueryCase{"L AF 1e9", {}, "RPRT -1\n"},
        QueryCase{"M USB 99999999999", {}, "RPRT -1\n"}, QueryCase{"M USB -99999999999", {}, "RPRT -1\n"},
        QueryCase{"T x", {}, "RPRT -1\n"}, QueryCase{"L AF 1.5", {}, "RPRT -1\n"},
        QueryCase{"L KEYSPD 70", {}, "RPRT -1\n"}, QueryCase{"L STRENGTH 1", {}, "RPRT -11\n"},
        QueryCase{"V RX", {}, "RPRT -1\n"}, QueryCase{"I 1", {}, "RPRT -1\n"}, QueryCase{"T 5", {}, "RPRT -1\n"},
        QueryCase{"T -1", {}, "RPRT -1\n"}, QueryCase{"T 0.5", {}, "RPRT -1\n"},
        QueryCase{"+T 5 t", {}, "set_ptt: 5\nRPRT -1\n0\n"}, QueryCase{"S 1 VFOX", {}, "RPRT -1\n"},
        QueryCase{"\\set_powerstat 0 f", {}, "RPRT -11\n"},  // nor are the words after an unknown command
        QueryCase{"I 14076000", [](PanelState& s) { s.band = 14; }, "RPRT -9\n"},
        QueryCase{"\\get_rit", {}, "RPRT -11\n"}, QueryCase{"+\\set_powerstat 0", {}, "RPRT -11\n"},
        QueryCase{std::string("\x01\xff\x7f", 3), {}, "RPRT -11\n"},
        QueryCase{"T 1", [](PanelState& s) { s.mode = 4; }, "RPRT -9\n"},  // no voice transmit in AM
        QueryCase{"S 1 VFOB", [](PanelState& s) { s.band = 14; }, "RPRT -9\n"},
        QueryCase{"V VFOB", [](PanelState& s) { s.band = 12, s.mode = 7; }, "RPRT -9\n"},
        QueryCase{"f", [](PanelState& s) { s.connected = 0; }, "RPRT -6\n"}));

// --- Sets: through the panel's operations, answered before the panel speaks ---

struct SetCase {
    std::string line;
    std::string reply;
    Lines sent;                  // to the radio while the line is served
    Lines spoken;                // while it is served and until the radio's next report
    bool holdsBandTable = true;  // the band table stays as the operator left it
};

void PrintTo(const SetCase& c, std::ostream* os) { *os << "'" << c.line << "'"; }

class SetCommand : public ::testing::TestWithParam<SetCase> {};

TEST_P(SetCommand, reaches_the_radio_and_is_spoken) {
    NetworkSession session;
    std::string replyWhenFirstSpoken;
    int program = 0;
    session.fixture.fake.sound.onPlay = [&](const std::string&) {
        if (replyWhenFirstSpoken.empty()) replyWhenFirstSpoken = session.tcp().client(program).fromPanel + "(spoken)";
    };
    program = session.tcp().connect();
    session.tcp().client(program).toPanel = GetParam().line + "\n";
    serviceNetwork(session.fixture.panel);
    EXPECT_EQ(session.tcp().client(program).fromPanel, GetParam().reply);
    EXPECT_EQ(session.fixture.commands(), GetParam().sent);
    session.untilReported();
    EXPECT_EQ(session.fixture.prompts(), GetParam().spoken);
    // Every command of the tick is answered before the panel speaks.
    if (!GetParam().spoken.empty()) {
        EXPECT_EQ(replyWhenFirstSpoken, GetParam().reply + "(spoken)");
    }
    EXPECT_EQ(session.state().rawVfoHold, GetParam().holdsBandTable ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, SetCommand,
    ::testing::Values(
        SetCase{"F 14074000", "RPRT 0\n", {"FA014074000;"}, {"1", "4", "point", "0", "7", "4", "mhz", "lsb"}},
        SetCase{"+\\set_freq 14074000.000000",
                "set_freq: 14074000.000000\nRPRT 0\n",
                {"FA014074000;"},
                {"1", "4", "point", "0", "7", "4", "mhz", "lsb"}},
        SetCase{"F 7100000", "RPRT 0\n", {}, {}, false},  // where the radio is already: nothing said
        SetCase{"M USB 2400", "RPRT 0\n", {"MD02;", "NA00;"}, {"7", "point", "1", "mhz", "usb"}},
        SetCase{"M USB 1800", "RPRT 0\n", {"MD02;", "NA00;", "SH0009;"}, {"7", "point", "1", "mhz", "usb"}},
        SetCase{"M CW 500", "RPRT 0\n", {"MD03;", "NA01;", "SH0010;"}, {"7", "point", "1", "mhz", "cw"}},
        SetCase{"M LSB 0", "RPRT 0\n", {}, {}, false},
        SetCase{"M PKTUSB -1\nm", "RPRT 0\nPKTUSB\n2400\n", {"MD02;", "NA00;"}, {"7", "point", "1", "mhz", "usb"}},
        SetCase{"X USB 2400\nx", "RPRT 0\nUSB\n2400\n", {"MD02;", "NA00;"}, {"7", "point", "1", "mhz", "usb"}},
        // A program's split as Hamlib's programs drive it: VFO B by I, quietly; VFO A by F,
        // the program's dial, which the panel goes on working and speaking.
        SetCase{"S 1 VFOB\nI 14076000\ni",
                "RPRT 0\nRPRT 0\n14076000\n",
                {"ST1;", "FB007100000;", "FB014076000;"},
                {"split"}},
        SetCase{"\\set_split_freq 14076000", "RPRT 0\n", {"ST1;", "FB014076000;"}, {"split"}},
        SetCase{"S 1 VFOB\nF 14074500\nf",
                "RPRT 0\nRPRT 0\n14074500\n",
                {"ST1;", "FB007100000;", "FA014074500;"},
                {"split", "1", "4", "point", "0", "7", "4", "5", "mhz", "lsb"}},
        SetCase{"T 1\nt", "RPRT 0\n1\n", {"TX1;"}, {"tx", "on"}}, SetCase{"T 2", "RPRT 0\n", {"TX1;"}, {"tx", "on"}},
        SetCase{"L KEYSPD 25", "RPRT 0\n", {"KS025;"}, {}, false},
        // Several sets on one line, each carried out; what was set is read back at once.
        SetCase{"F 7150000 M LSB 2400 M USB 1800 m f",
                "RPRT 0\nRPRT 0\nRPRT 0\nUSB\n1800\n7150000\n",
                {"FA007150000;", "MD02;", "NA00;", "SH0009;"},
                {"7", "point", "1", "5", "mhz", "usb"}},
        SetCase{"F 7150000 M USB", "RPRT 0\nRPRT -1\n", {"FA007150000;"}, {"7", "point", "1", "5", "mhz", "lsb"}},
        SetCase{"F 14074000\rf\rF 14075000\r\nf",
                "RPRT 0\n14074000\nRPRT 0\n14075000\n",
                {"FA014075000;"},
                {"1", "4", "point", "0", "7", "5", "mhz", "lsb"}},
        SetCase{
            "L AF 0.5\nl AF\n+T 1 t", "RPRT 0\n0.501961\nset_ptt: 1\nRPRT 0\n1\n", {"AG0128;", "TX1;"}, {"tx", "on"}},
        // The transmit VFO by its VFO word, and by choosing VFO B as Hamlib's clients do.
        SetCase{"F VFOB 14076000\nf VFOB\nf\ns",
                "RPRT 0\n14076000\n7100000\n1\nVFOB\n",
                {"ST1;", "FB014076000;"},
                {"split"}},
        SetCase{"V VFOB\ns\ni", "RPRT 0\n1\nVFOB\n7100000\n", {"ST1;", "FB007100000;"}, {"split"}},
        SetCase{"V Sub", "RPRT 0\n", {"ST1;", "FB007100000;"}, {"split"}},
        SetCase{"V VFOB\nV Main\ns", "RPRT 0\nRPRT 0\n0\nVFOA\n", {}, {}, false},
        SetCase{"L AF 0.5", "RPRT 0\n", {"AG0128;"}, {}, false},
        SetCase{"L RF 0", "RPRT 0\n", {"RG0000;"}, {"min"}, false},
        SetCase{"L SQL 0.1", "RPRT 0\n", {"SQ0026;"}, {}, false},
        SetCase{"L MICGAIN 0.42", "RPRT 0\n", {"MG042;"}, {}, false}));

TEST(SetCommand, transmit_goes_off_again_and_the_rf_power_follows_the_power_range) {
    NetworkSession session;
    session.state().powerRangeLow = 1;
    const int program = session.programSends("T 1\nL RFPOWER 0.5\n");
    session.fixture.clearRecords();
    session.tcp().client(program).toPanel = "t\nT 0\nt\n";
    serviceNetwork(session.fixture.panel);
    EXPECT_EQ(session.tcp().client(program).fromPanel, "RPRT 0\nRPRT 0\n1\nRPRT 0\n0\n");
    EXPECT_EQ(session.fixture.commands(), (Lines{"TX0;"}));
    EXPECT_EQ(session.fixture.prompts(), (Lines{"tx", "off"}));
    EXPECT_EQ(session.state().powerLevel, 50);
}

TEST(SetCommand, a_frequency_poll_still_on_its_way_does_not_announce_the_old_frequency) {
    NetworkSession session;
    runTicks(session.fixture, 1);  // "FA;" sent; the radio's answer waits to be read
    session.fixture.clearRecords();
    session.programSends("F 14074000\n");
    runTicks(session.fixture, 1);
    EXPECT_EQ(session.fixture.prompts(), Lines{});
    EXPECT_EQ(session.state().vfoAHz, 14074000);
    session.untilReported();
    EXPECT_EQ(session.fixture.prompts(), (Lines{"1", "4", "point", "0", "7", "4", "mhz", "lsb"}));
    EXPECT_EQ(session.state().freqDisplayText, " 14.074000");
}

TEST(SetCommand, a_key_of_the_operator_takes_the_band_table_back) {
    NetworkSession session;
    session.programSends("F 14074000\n");
    EXPECT_EQ(session.state().rawVfoHold, 1);
    onKeyDown(session.fixture.panel, 'F');
    EXPECT_EQ(session.state().rawVfoHold, 0);
}

// --- Several programs, a burst of commands, and programs that misbehave ---

TEST(Programs, a_burst_of_commands_is_served_within_one_tick) {
    NetworkSession session;
    const int program = session.tcp().connect();
    Lines burst{"v\n", "f\n", "s\n", "m\n", "\\get_powerstat\n", "q\n"};
    session.tcp().client(program).toPanel = "\\chk_vfo\n";
    session.tcp().onWait = [&](platform::fake::FakeTcpServer& tcp) {
        if (burst.empty()) return;
        tcp.client(program).toPanel += burst.front();
        burst.erase(burst.begin());
    };
    serviceNetwork(session.fixture.panel);
    EXPECT_EQ(session.tcp().client(program).fromPanel, "0\nVFOA\n7100000\n0\nVFOA\nLSB\n2400\n1\nRPRT 0\n");
    EXPECT_TRUE(session.tcp().client(program).closedByPanel);
}

TEST(Programs, two_programs_are_served_side_by_side_and_the_dump_ends_with_done) {
    NetworkSession session;
    const int first = session.tcp().connect();
    const int second = session.tcp().connect();
    session.tcp().client(first).toPanel = "\\dump_state\n";
    session.tcp().client(second).toPanel = "f\n";
    serviceNetwork(session.fixture.panel);
    const std::string dump = session.tcp().client(first).fromPanel;
    EXPECT_EQ(dump.substr(0, 6), "1\n2\n0\n");
    EXPECT_NE(dump.find("\nptt_type=0x1\n"), std::string::npos);
    EXPECT_NE(dump.find("\nhas_set_vfo=1\n"), std::string::npos);       // V VFOB reaches the panel
    EXPECT_NE(dump.find("\ntargetable_vfo=0x3\n"), std::string::npos);  // split set by I and X
    EXPECT_EQ(dump.substr(dump.size() - 6), "\ndone\n");
    EXPECT_EQ(session.tcp().client(second).fromPanel, "7100000\n");
}

TEST(Programs, sets_reach_the_radio_once_per_kind_per_tick_the_latest_winning) {
    NetworkSession session;
    const int program = session.programSends("F 14074000\nM USB 0\nL AF 0.5\nF 14075000\nM CW 0\nL AF 0.2\n");
    const int other = session.programSends("F 14076000\n");
    EXPECT_EQ(session.tcp().client(program).fromPanel, "RPRT 0\nRPRT 0\nRPRT 0\nRPRT 0\nRPRT 0\nRPRT 0\n");
    EXPECT_EQ(session.tcp().client(other).fromPanel, "RPRT 0\n");
    // The two ticks: the latest of each kind in the order last asked for, then the second
    // program's frequency.
    EXPECT_EQ(session.fixture.commands(), (Lines{"FA014075000;", "MD03;", "NA00;", "AG0051;", "FA014076000;"}));
}

TEST(Programs, every_program_reads_what_a_program_set_before_it_reaches_the_radio) {
    NetworkSession session;
    const int program = session.tcp().connect();
    const int other = session.tcp().connect();
    session.tcp().client(program).toPanel = "F 14074000\nf\nS 1 VFOB\nI 14076000\nM CW 500\nL AF 0.2\nT 1\n";
    session.tcp().client(other).toPanel = "f\ni\ns\nm\nl AF\nt\n";
    std::string otherRead;
    session.tcp().onWait = [&](platform::fake::FakeTcpServer& tcp) {
        if (otherRead.empty()) otherRead = tcp.client(other).fromPanel;
    };
    serviceNetwork(session.fixture.panel);
    EXPECT_EQ(session.tcp().client(program).fromPanel, "RPRT 0\n14074000\nRPRT 0\nRPRT 0\nRPRT 0\nRPRT 0\nRPRT 0\n");
    // Answered in the same pass, before any of the sets was carried out.
    EXPECT_EQ(otherRead, "14074000\n14076000\n1\nVFOB\nCW\n500\n0.200000\n1\n");
    EXPECT_EQ(session.fixture.commands(), (Lines{"FA014074000;", "ST1;", "FB014074000;", "FB014076000;", "MD03;",
                                                 "NA01;", "SH0010;", "AG0051;", "TX1;"}));
}

TEST(Programs, a_flood_of_sets_waits_in_its_connection_and_the_operator_is_first) {
    NetworkSession session;
    const int flooding = session.tcp().connect();
    std::string flood;
    while (flood.size() < 100000) flood += "F 14074000\nF 14075000\n";
    session.tcp().client(flooding).toPanel = flood;
    serviceNetwork(session.fixture.panel);
    EXPECT_FALSE(session.tcp().client(flooding).toPanel.empty());  // the rest waits in the connection
    EXPECT_LT(session.state().netClients[0].input.size(), 4096u);
    session.fixture.clearRecords();
    onKeyDown(session.fixture.panel, ' ');
    serviceNetwork(session.fixture.panel);
    const Lines sent = session.fixture.commands();
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent.front(), "TX1;");
    EXPECT_LE(std::count_if(sent.begin(), sent.end(), [](const std::string& c) { return c.rfind("FA", 0) == 0; }), 1);
}

TEST(Programs, a_frequency_set_while_transmitting_is_what_the_f_key_says) {
    NetworkSession session;
    const int program = session.programSends("T 1\n");
    session.tcp().client(program).toPanel = "F 14074000\n";
    session.ticks(4);
    session.fixture.clearRecords();
    onKeyDown(session.fixture.panel, 'F');
    const Lines heard = session.fixture.prompts();
    ASSERT_GE(heard.size(), 6u);
    EXPECT_EQ(Lines(heard.begin(), heard.begin() + 6), (Lines{"1", "4", "point", "0", "7", "4"}));
    EXPECT_EQ(session.state().freqDisplayText, " 14.074000");
}

TEST(Programs, while_the_panel_speaks_a_set_reaches_the_radio_at_once_and_the_panel_follows_when_the_words_end) {
    NetworkSession session;
    session.programSends("F 14074000\n");
    const int second = session.tcp().connect();
    struct Moment {
        std::string answers;  // what the second program had got as a word began
        std::string sent;     // what the radio had heard
    };
    std::vector<Moment> moments;
    session.fixture.fake.sound.onPlay = [&](const std::string&) {
        if (moments.empty()) session.tcp().client(second).toPanel = "v\nF 14075000\nf\n";
        moments.push_back({session.tcp().client(second).fromPanel, session.fixture.radioPort.written});
    };
    session.untilReported();
    session.untilReported();
    // The readout under way says what it began with; then the new frequency is spoken.
    const Lines heard = session.fixture.prompts();
    EXPECT_EQ(heard,
              (Lines{"1", "4", "point", "0", "7", "4", "mhz", "lsb", "1", "4", "point", "0", "7", "5", "mhz", "lsb"}));
    ASSERT_GE(moments.size(), 2u);
    EXPECT_EQ(moments[1].answers, "VFOA\nRPRT 0\n14075000\n");  // before the second word of the readout
    EXPECT_NE(moments[1].sent.find("FA014075000;"), std::string::npos);
    const Lines sent = session.fixture.commands();
    EXPECT_EQ(std::count(sent.begin(), sent.end(), "FA014075000;"), 1);  // not sent again when followed
    EXPECT_EQ(session.state().vfoAHz, 14075000);
    EXPECT_EQ(session.state().freqDisplayText, " 14.075000");
}

// --- Sets while the operator's own readout plays ---

struct SetWhileSpeakingCase {
    std::string line;
    Lines sent;  // to the radio, whole, before the readout's second word; nothing after it
};

void PrintTo(const SetWhileSpeakingCase& c, std::ostream* os) { *os << "'" << c.line << "'"; }

class SetWhileSpeaking : public ::testing::TestWithParam<SetWhileSpeakingCase> {};

TEST_P(SetWhileSpeaking, is_carried_out_at_once_while_the_readout_goes_on) {
    NetworkSession session;
    const int program = session.programSends("");
    std::vector<Lines> sentAsWordsBegan;
    session.fixture.fake.sound.onPlay = [&](const std::string&) {
        if (sentAsWordsBegan.empty()) session.tcp().client(program).toPanel = GetParam().line + "\n";
        sentAsWordsBegan.push_back(session.fixture.commands());
    };
    handleMessage(session.fixture.panel, {platform::MessageKind::KeyDown, 'F', 0});
    ASSERT_GE(sentAsWordsBegan.size(), 5u);
    EXPECT_EQ(sentAsWordsBegan[1], GetParam().sent);
    const Lines readout = session.fixture.prompts();
    EXPECT_EQ(Lines(readout.begin(), readout.begin() + 4), (Lines{"7", "point", "1", "mhz"}));
    EXPECT_EQ(session.fixture.commands(), GetParam().sent);  // nothing twice
    EXPECT_TRUE(session.state().pendingSets.empty());
}

INSTANTIATE_TEST_SUITE_P(Programs, SetWhileSpeaking,
                         ::testing::Values(SetWhileSpeakingCase{"F 14074000", {"FA014074000;"}},
                                           SetWhileSpeakingCase{"M USB 1800", {"MD02;", "NA00;", "SH0009;"}},
                                           SetWhileSpeakingCase{"T 1", {"TX1;"}},
                                           SetWhileSpeakingCase{"L AF 0.5", {"AG0128;"}},
                                           SetWhileSpeakingCase{"S 1 VFOB", {"ST1;", "FB007100000;"}},
                                           SetWhileSpeakingCase{"I 14076000", {"ST1;", "FB014076000;"}},
                                           // Each set starts from the radio as the sets before it left it.
                                           SetWhileSpeakingCase{"F 14074000\nS 1 VFOB\nI 14074000\nT 1",
                                                                {"FA014074000;", "ST1;", "FB014074000;", "TX1;"}},
                                           SetWhileSpeakingCase{"F 14074000\nM USB 0\nL AF 0.5\nF 14075000",
                                                                {"MD02;", "NA00;", "AG0128;", "FA014075000;"}}));

TEST(SetWhileSpeaking, a_transmitter_keyed_during_the_last_words_is_known_when_the_panel_ends) {
    NetworkSession session;
    const int program = session.programSends("");
    session.fixture.fake.sound.onPlay = [&](const std::string&) { session.tcp().client(program).toPanel = "T 1\n"; };
    handleMessage(session.fixture.panel, {platform::MessageKind::KeyDown, 'F', 0});
    EXPECT_EQ(session.fixture.commands(), Lines{"TX1;"});
    closeNetwork(session.fixture.panel);
    EXPECT_GT(session.state().txState, 0);  // so the panel's end switches it off
}

// A program keys the radio while the operator's readout plays; Space, during the readout or
// during the words of the keying said after it, cuts the words and the radio is unkeyed before
// the next word would have begun. Nothing more of the stopped transmission is said, only "tx off".
TEST(SetWhileSpeaking, space_unkeys_a_transmitter_a_program_keyed_during_the_words_at_once) {
    struct Case {
        std::string spaceDuring;
        std::string neverBegun;
        Lines heard;
    };
    for (const KeySource source : {KeySource::Window, KeySource::Page}) {
        for (const Case& c : {Case{"point", "1", {"7", "point", "tx", "off"}},
                              Case{"tx", "on", {"7", "point", "1", "mhz", "lsb", "tx", "tx", "off"}}}) {
            NetworkSession session;
            const int program = session.programSends("");
            Lines sentAsWordBegan{"never"};
            session.fixture.fake.sound.onPlay = [&](const std::string& path) {
                if (path == "wave\\7.wav") session.tcp().client(program).toPanel = "T 1\n";
                if (path == "wave\\" + c.spaceDuring + ".wav") pressMeanwhile(session.fixture, source, vk::kSpace);
                if (path == "wave\\" + c.neverBegun + ".wav") sentAsWordBegan = session.fixture.commands();
            };
            typeKeys(session.fixture, "F");
            const std::string what = std::string(nameOf(source)) + ", during " + c.spaceDuring;
            EXPECT_EQ(sentAsWordBegan, Lines{"never"}) << what;
            EXPECT_EQ(session.fixture.commands(), (Lines{"TX1;", "TX0;"})) << what;
            EXPECT_EQ(session.fixture.prompts(), c.heard) << what;
            EXPECT_EQ(session.state().txState, 0) << what;
        }
    }
}

// --- A program's split: the program keeps VFO B, the operator tunes VFO A ---

// A program connected, in split "Rig" as WSJT-X works it: split on VFO B, VFO B set apart.
struct ProgramSplit {
    ProgramSplit() { program = session.programSends("S 1 VFOB\nI 14076000\n"); }
    NetworkSession session;
    int program = 0;
};

struct OperatorTuningCase {
    std::string name;
    std::string keys;              // as a key guide writes them
    std::string frequencyCommand;  // VFO A's, the program's dial
    std::string dialAfter;         // what the program reads by f
};

void PrintTo(const OperatorTuningCase& c, std::ostream* os) { *os << c.name; }

class OperatorTuningInProgramSplit : public ::testing::TestWithParam<OperatorTuningCase> {};

TEST_P(OperatorTuningInProgramSplit, tunes_vfo_a_and_leaves_the_programs_vfo_b) {
    ProgramSplit split;
    auto& session = split.session;
    session.fixture.clearRecords();
    typeKeys(session.fixture, GetParam().keys);
    const Lines sent = session.fixture.commands();
    const auto startsWith = [](const std::string& prefix) {
        return [prefix](const std::string& command) { return command.rfind(prefix, 0) == 0; };
    };
    EXPECT_GE(std::count_if(sent.begin(), sent.end(), startsWith(GetParam().frequencyCommand)), 1)
        << ::testing::PrintToString(sent);
    EXPECT_EQ(std::count_if(sent.begin(), sent.end(), startsWith("FB")) +
                  std::count_if(sent.begin(), sent.end(), startsWith("ST")),
              0)
        << ::testing::PrintToString(sent);
    session.untilReported();
    session.tcp().client(split.program).fromPanel.clear();
    session.tcp().client(split.program).toPanel = "f\ni\ns\n";
    serviceNetwork(session.fixture.panel);
    EXPECT_EQ(session.tcp().client(split.program).fromPanel, GetParam().dialAfter + "\n14076000\n1\nVFOB\n");
}

INSTANTIATE_TEST_SUITE_P(Keys, OperatorTuningInProgramSplit,
                         ::testing::Values(OperatorTuningCase{"Right", "Right", "FA007100100;", "7100100"},
                                           OperatorTuningCase{"Left", "Left", "FA007099900;", "7099900"},
                                           OperatorTuningCase{"Up", "Up", "FA007101000;", "7101000"},
                                           OperatorTuningCase{"Page_Down", "PgDn", "FA007090000;", "7090000"},
                                           OperatorTuningCase{"equals", "+", "FA008100000;", "8100000"},
                                           OperatorTuningCase{"typed_14_074", "E 1 4 . 0 7 4 Enter", "FA014074000;",
                                                              "14074000"},
                                           OperatorTuningCase{"band_key_20_m", "B 6", "FA014200000;", "14200000"}));

struct ProgramLeavesCase {
    std::string name;
    std::function<void(NetworkSession&, int program)> leave;
};

void PrintTo(const ProgramLeavesCase& c, std::ostream* os) { *os << c.name; }

class ProgramLeaves : public ::testing::TestWithParam<ProgramLeavesCase> {};

TEST_P(ProgramLeaves, its_split_ends_at_the_radio_and_is_spoken) {
    ProgramSplit split;
    auto& session = split.session;
    session.untilReported();
    session.fixture.clearRecords();
    GetParam().leave(session, split.program);
    EXPECT_EQ(session.fixture.commands(), (Lines{"ST0;"}));
    EXPECT_EQ(session.fixture.prompts(), (Lines{"split", "off"}));
    EXPECT_EQ(session.state().programSplit, 0);
    const int next = session.programSends("s\ni\n");
    EXPECT_EQ(session.tcp().client(next).fromPanel, "0\nVFOA\n7100000\n");
}

void saysGoodbye(NetworkSession& s, int program) {
    s.tcp().client(program).toPanel = "q\n";
    serviceNetwork(s.fixture.panel);
}
void closesItsConnection(NetworkSession& s, int program) {
    s.tcp().client(program).closedByClient = true;
    serviceNetwork(s.fixture.panel);
}
void fallsSilentForAMinute(NetworkSession& s, int) {
    for (int tick = 0; tick < 1201; ++tick) serviceNetwork(s.fixture.panel);
}
void switchesItOff(NetworkSession& s, int program) {
    s.tcp().client(program).toPanel = "S 0 VFOA\n";
    serviceNetwork(s.fixture.panel);
}
void operatorPressesV(NetworkSession& s, int) { onKeyDown(s.fixture.panel, 'V'); }

INSTANTIATE_TEST_SUITE_P(Programs, ProgramLeaves,
                         ::testing::Values(ProgramLeavesCase{"says_goodbye", saysGoodbye},
                                           ProgramLeavesCase{"closes_its_connection", closesItsConnection},
                                           ProgramLeavesCase{"falls_silent_for_a_minute", fallsSilentForAMinute},
                                           ProgramLeavesCase{"switches_it_off", switchesItOff},
                                           ProgramLeavesCase{"the_operator_presses_V", operatorPressesV}));

TEST(Programs, the_operators_own_split_stays_when_a_program_goes) {
    NetworkSession session;
    onKeyDown(session.fixture.panel, 'V');
    const int program = session.programSends("S 1 VFOB\nI 14076000\nq\n");
    session.ticks(2);
    EXPECT_TRUE(session.tcp().client(program).closedByPanel);
    EXPECT_EQ(session.state().vfoBTarget, 1);
    const Lines sent = session.fixture.commands();
    EXPECT_EQ(std::count(sent.begin(), sent.end(), "ST0;"), 0);
    EXPECT_EQ(std::count(sent.begin(), sent.end(), "FB014076000;"), 1);  // VFO B is the panel's frequency
}

TEST(Programs, split_asked_for_by_a_program_that_has_gone_is_not_switched_on) {
    NetworkSession session;
    const int program = session.tcp().connect();
    session.tcp().client(program).toPanel = "S 1 VFOB\n";
    session.tcp().client(program).closedByClient = true;
    serviceNetwork(session.fixture.panel);
    EXPECT_EQ(session.fixture.commands(), Lines{});
    EXPECT_EQ(session.state().programSplit, 0);
}

// Hamlib's rigctl opens a connection for every call: sixteen calls during one readout find a
// place each, as those before them have said goodbye.
TEST(Programs, programs_that_said_goodbye_while_the_panel_speaks_make_room_for_the_next) {
    NetworkSession session;
    session.programSends("F 14074000\n");
    std::vector<int> calls;
    session.fixture.fake.sound.onPlay = [&](const std::string&) {
        for (int i = 0; i < 2 && calls.size() < 16; ++i) {
            calls.push_back(session.tcp().connect());
            session.tcp().client(calls.back()).toPanel = "f\nq\n";
        }
    };
    session.untilReported();
    ASSERT_EQ(calls.size(), 16u);
    for (const int call : calls) {
        EXPECT_EQ(session.tcp().client(call).fromPanel, "14074000\nRPRT 0\n");
        EXPECT_TRUE(session.tcp().client(call).closedByPanel);
    }
}

struct MisbehaviourCase {
    std::string name;
    std::function<void(NetworkSession&, int program, int other)> act;
};

void PrintTo(const MisbehaviourCase& c, std::ostream* os) { *os << c.name; }

class Misbehaviour : public ::testing::TestWithParam<MisbehaviourCase> {};

TEST_P(Misbehaviour, drops_the_program_and_leaves_the_panel_and_others_alone) {
    NetworkSession session;
    const int program = session.tcp().connect();
    const int other = session.tcp().connect();
    serviceNetwork(session.fixture.panel);
    session.fixture.clearRecords();
    GetParam().act(session, program, other);
    session.tcp().client(other).fromPanel.clear();
    session.tcp().client(other).toPanel = "f\n";
    runTicks(session.fixture, 2);
    serviceNetwork(session.fixture.panel);
    EXPECT_TRUE(session.tcp().client(program).closedByPanel);
    EXPECT_FALSE(session.tcp().client(other).closedByPanel);
    EXPECT_EQ(session.tcp().client(other).fromPanel, "7100000\n");
    EXPECT_EQ(session.fixture.commands(), (Lines{"FA;"}));  // the poll goes on, nothing else
    EXPECT_EQ(session.state().netClients.size(), 1u);
}

void overlongLine(NetworkSession& s, int p, int) { s.tcp().client(p).toPanel = std::string(5000, 'f'); }

void goneMidCommand(NetworkSession& s, int p, int) {
    s.tcp().client(p).toPanel = "F 1407";
    s.tcp().client(p).closedByClient = true;
}

// A minute in which the program sends `text` every 5 s and the other program keeps asking.
void aMinuteOf(NetworkSession& s, int p, int other, const std::string& text) {
    for (int tick = 0; tick < 1201; ++tick) {
        if (tick % 100 == 0) {
            s.tcp().client(p).toPanel += text;
            s.tcp().client(other).toPanel = "t\n";
        }
        serviceNetwork(s.fixture.panel);
    }
}

void silentForAMinute(NetworkSession& s, int p, int other) {
    s.tcp().client(p).toPanel = "f";
    aMinuteOf(s, p, other, "");
}
void blankLinesForAMinute(NetworkSession& s, int p, int other) { aMinuteOf(s, p, other, "\n"); }

void neverReading(NetworkSession& s, int p, int) {
    s.tcp().client(p).roomLeft = 0;
    for (int i = 0; i < 100; ++i) s.tcp().client(p).toPanel += "\\dump_state\n";
}

INSTANTIATE_TEST_SUITE_P(Programs, Misbehaviour,
                         ::testing::Values(MisbehaviourCase{"a line longer than 4 kB", overlongLine},
                                           MisbehaviourCase{"going away in the middle of a command", goneMidCommand},
                                           MisbehaviourCase{"never sending a line for a minute", silentForAMinute},
                                           MisbehaviourCase{"only blank lines for a minute", blankLinesForAMinute},
                                           MisbehaviourCase{"never reading its answers", neverReading}));

TEST(Programs, a_hundred_programs_find_eight_places_and_the_rest_are_closed) {
    NetworkSession session;
    std::vector<int> programs;
    for (int i = 0; i < 100; ++i) programs.push_back(session.tcp().connect());
    for (const int program : programs) session.tcp().client(program).toPanel = "t\n";
    serviceNetwork(session.fixture.panel);
    int served = 0;
    for (const int program : programs) {
        const auto& client = session.tcp().client(program);
        served += client.fromPanel == "0\n" ? 1 : 0;
        EXPECT_EQ(client.closedByPanel, client.fromPanel.empty());
    }
    EXPECT_EQ(served, 8);
}

TEST(Programs, a_program_that_keyed_the_transmitter_and_vanished_leaves_it_off_unless_it_said_goodbye) {
    NetworkSession session;
    const int vanishing = session.programSends("T 1\n");
    session.tcp().client(vanishing).closedByClient = true;
    serviceNetwork(session.fixture.panel);
    EXPECT_EQ(session.state().txState, 0);
    EXPECT_EQ(session.fixture.commands(), (Lines{"TX1;", "TX0;"}));

    const int saysGoodbye = session.tcp().connect();
    bool answeredBeforeSpoken = false;
    session.fixture.fake.sound.onPlay = [&](const std::string&) {
        answeredBeforeSpoken = session.tcp().client(saysGoodbye).closedByPanel;
    };
    session.tcp().client(saysGoodbye).toPanel = "T 1\nq\n";
    serviceNetwork(session.fixture.panel);
    EXPECT_TRUE(answeredBeforeSpoken);  // "tx", "on" comes after the goodbye was answered
    EXPECT_EQ(session.tcp().client(saysGoodbye).fromPanel, "RPRT 0\nRPRT 0\n");
    EXPECT_GT(session.state().txState, 0);
}

}  // namespace
}  // namespace vocapan::testing
