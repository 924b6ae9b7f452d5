// Other CAT software on the relay port works the radio through the panel: what it sends
// reaches the radio, the radio's answers come back, and the panel follows.
#include <gtest/gtest.h>

#include <algorithm>

#include "panel_fixture.h"
#include "panel_session.h"

namespace vocapan::testing {
namespace {

using Commands = std::vector<std::string>;

constexpr int kRelayPort = 7;

struct RelaySession {
    explicit RelaySession(const std::string& debug = "debug=0") : relay(panel.fake.serial.addDevice(kRelayPort)) {
        ConfigLines config;
        config.relay = "relay=7";
        config.debug = debug;
        connectSession(panel, config);
    }
    // The other program writes `text`; the next send tick serves it.
    void fromOtherProgram(const std::string& text) {
        relay.inbound += text;
        panel.panel.state.pollPhase = 0;
        runTicks(panel, 1);
    }
    PanelFixture panel;
    platform::fake::FakeSerialDevice& relay;
};

TEST(Relay, a_frequency_query_is_answered_and_the_panel_shows_the_report) {
    RelaySession session;
    session.panel.radio.vfoAHz = 14074000;
    session.fromOtherProgram("FA;");
    EXPECT_EQ(session.relay.written, "FA014074000;");
    EXPECT_EQ(session.panel.commands(), (Commands{"FA;", "FA;"}));  // relayed first, then the poll
    EXPECT_EQ(session.panel.panel.state.freqDisplayText, " 14.074000");
    EXPECT_EQ(session.panel.panel.state.rawVfoHold, 1);
}

TEST(Relay, a_mode_set_by_the_other_program_is_taken_over_without_an_answer) {
    RelaySession session;
    session.fromOtherProgram("MD04;");  // FM on the radio
    EXPECT_EQ(session.panel.panel.state.mode, 7);
    EXPECT_EQ(session.relay.written, "");
    const Commands sent = session.panel.commands();
    ASSERT_GE(sent.size(), 2u);
    EXPECT_EQ(Commands(sent.begin(), sent.begin() + 2), (Commands{"MD04;", "NA00;"}));
    EXPECT_EQ(std::count(sent.begin(), sent.end(), "MD04;"), 1);
    EXPECT_EQ(drawnAt(session.panel, 45).front(), "50,45:FM      ");
}

TEST(Relay, a_mode_the_panel_does_not_know_is_forwarded_and_left_alone) {
    RelaySession session;
    session.fromOtherProgram("MD06;");
    EXPECT_EQ(session.panel.panel.state.mode, 1);
    EXPECT_EQ(session.panel.commands().front(), "MD06;");
}

TEST(Relay, the_mode_query_is_answered_like_any_other) {
    RelaySession session;
    session.fromOtherProgram("MD0;");
    EXPECT_EQ(session.relay.written, "MD01;");
}

TEST(Relay, a_command_split_over_two_reads_is_forwarded_whole) {
    RelaySession session;
    session.fromOtherProgram("FA0140");
    EXPECT_EQ(session.panel.commands(), (Commands{"FA;"}));
    session.panel.clearRecords();
    session.fromOtherProgram("74000;");
    EXPECT_EQ(session.panel.commands().front(), "FA014074000;");
    EXPECT_EQ(session.panel.radio.vfoAHz, 14074000);
}

TEST(Relay, only_the_first_command_of_a_read_is_forwarded) {
    RelaySession session;
    session.fromOtherProgram("ID;FA;");
    EXPECT_EQ(session.relay.written, "ID0840;");
    EXPECT_EQ(session.panel.panel.state.relayBuffer, "");
}

TEST(Relay, each_exchange_is_written_to_the_transcript) {
    RelaySession session("debug=1");
    session.fromOtherProgram("ID;");
    const auto lines = fileLines("debug.dat");
    const auto from = std::find(lines.begin(), lines.end(), "***VRX1=ID;");
    ASSERT_NE(from, lines.end());
    EXPECT_EQ(Commands(from, from + 4), (Commands{"***VRX1=ID;", "TX=ID;", "RX=ID0840;", "***VTX1=ID0840;"}));
}

}  // namespace
}  // namespace vocapan::testing
