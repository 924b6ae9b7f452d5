// Digital-mode programs and loggers work the radio through the panel's network port as
// Hamlib's "NET rigctl" radio: what they ask is answered from the panel's state, what they
// set reaches the radio through the panel's own operations and is spoken, and a program
// that misbehaves is refused or dropped while the panel and the other programs go on.
#include <gtest/gtest.h>

#include <functional>

#include "network/rig_server.h"
#include "panel/key_rules.h"
#include "panel_fixture.h"
#include "panel_session.h"

namespace vocapan::testing {
namespace {

using Lines = std::vector<std::string>;

struct NetworkSession {
    NetworkSession() {
        ConfigLines config;
        config.network = "net=4532";
        connectSession(fixture, config);
        openNetwork(fixture.panel);
    }
    // A program connects and sends `text`; the next tick serves it.
    int programSends(const std::string& text) {
        const int number = tcp().connect();
        tcp().client(number).toPanel = text;
        serviceNetwork(fixture.panel);
        return number;
    }
    platform::fake::FakeTcpServer& tcp() { return fixture.fake.network; }
    PanelState& state() { return fixture.panel.state; }
    // Ticks until the radio's next frequency report has been read and announced.
    void untilReported() { runTicks(fixture, 6); }
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
    fixture.fake.network.connect();
    runTicks(fixture, 2);
    EXPECT_EQ(fixture.commands(), (Lines{"FA;"}));
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
        QueryCase{"+s", split, "get_split_vfo:\nSplit: 1\nTX VFO: VFOB\nRPRT 0\n"}, QueryCase{"t", {}, "0\n"},
        QueryCase{"t", [](PanelState& s) { s.txState = 10; }, "1\n"}, QueryCase{"\\chk_vfo", {}, "0\n"},
        QueryCase{"+\\chk_vfo", {}, "ChkVFO: 0\n"}, QueryCase{"\\get_powerstat", {}, "1\n"},
        QueryCase{"\\get_lock_mode", {}, "0\n"}, QueryCase{"l STRENGTH", [](PanelState& s) { s.sMeter = 121; }, "0\n"},
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
        QueryCase{"+F abc", {}, "set_freq: abc\nRPRT -1\n"}, QueryCase{"M PKTUSB 0", {}, "RPRT -1\n"},
        QueryCase{"M USB 99999999999", {}, "RPRT -1\n"}, QueryCase{"M USB -99999999999", {}, "RPRT -1\n"},
        QueryCase{"T x", {}, "RPRT -1\n"}, QueryCase{"L AF 1.5", {}, "RPRT -1\n"},
        QueryCase{"L KEYSPD 70", {}, "RPRT -1\n"}, QueryCase{"L STRENGTH 1", {}, "RPRT -11\n"},
        QueryCase{"V Main", {}, "RPRT -1\n"}, QueryCase{"x", {}, "RPRT -11\n"},
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
        SetCase{"M LSB 0", "RPRT 0\n", {}, {}, false}, SetCase{"T 1", "RPRT 0\n", {"TX1;"}, {"tx", "on"}},
        SetCase{"L KEYSPD 25", "RPRT 0\n", {"KS025;"}, {}, false},
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
    EXPECT_NE(dump.find("\nhas_set_vfo=0\n"), std::string::npos);  // no VFO flipping at open
    EXPECT_EQ(dump.substr(dump.size() - 6), "\ndone\n");
    EXPECT_EQ(session.tcp().client(second).fromPanel, "7100000\n");
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

void silentForAMinute(NetworkSession& s, int p, int other) {
    s.tcp().client(p).toPanel = "f";
    for (int tick = 0; tick < 1201; ++tick) {
        if (tick % 100 == 0) s.tcp().client(other).toPanel = "t\n";  // the other program keeps asking
        serviceNetwork(s.fixture.panel);
    }
}

void neverReading(NetworkSession& s, int p, int) {
    s.tcp().client(p).roomLeft = 0;
    for (int i = 0; i < 100; ++i) s.tcp().client(p).toPanel += "\\dump_state\n";
}

INSTANTIATE_TEST_SUITE_P(Programs, Misbehaviour,
                         ::testing::Values(MisbehaviourCase{"a line longer than 4 kB", overlongLine},
                                           MisbehaviourCase{"going away in the middle of a command", goneMidCommand},
                                           MisbehaviourCase{"never sending a line for a minute", silentForAMinute},
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
