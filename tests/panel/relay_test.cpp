// Other CAT software on the relay port works the radio through the panel: what it sends
// reaches the radio, the radio's answers come back, and the panel follows.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <utility>

#include "core/text_piece.h"
#include "panel/event_handler.h"
#include "panel/key_rules.h"
#include "panel/relay.h"
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
    // The other program writes `text`; the next send tick serves it, and relay timer ticks
    // the commands after the first.
    void fromOtherProgram(const std::string& text) {
        relay.inbound += text;
        panel.panel.state.pollPhase = 0;
        runTicks(panel, 1);
        for (int tick = 0; tick < 5; ++tick) handleMessage(panel.panel, {platform::MessageKind::Timer, 0, kRelayTimer});
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

// What the other program writes, read by read, and what it gets back.
struct ExchangeCase {
    const char* name;
    std::vector<std::string> reads;
    Commands toRadio;  // the first commands the radio hears
    std::string back;
};

void PrintTo(const ExchangeCase& c, std::ostream* os) { *os << c.name; }

class RelayExchange : public ::testing::TestWithParam<ExchangeCase> {};

TEST_P(RelayExchange, every_command_reaches_the_radio_in_order_and_only_its_answer_comes_back) {
    const ExchangeCase& c = GetParam();
    RelaySession session;
    for (const auto& read : c.reads) session.fromOtherProgram(read);
    const Commands sent = session.panel.commands();
    ASSERT_GE(sent.size(), c.toRadio.size());
    EXPECT_EQ(Commands(sent.begin(), sent.begin() + static_cast<long>(c.toRadio.size())), c.toRadio);
    EXPECT_EQ(session.relay.written, c.back);
    EXPECT_EQ(session.panel.panel.state.relayBuffer, "");
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Cases, RelayExchange,
    ::testing::Values(
        ExchangeCase{"two_queries_in_one_read", {"FA;MD0;"}, {"FA;", "MD0;", "FA;"}, "FA007100000;MD01;"},
        ExchangeCase{"a_set_and_its_check_together", {"FA014074000;FA;"}, {"FA014074000;", "FA;", "FA;"}, "FA014074000;"},
        ExchangeCase{"hamlibs_opening_questions", {"AI0;AI;", "ID;"}, {"AI0;", "AI;", "FA;", "ID;"}, "AI0;ID0840;"},
        // Sets go on without an answer; the queries among them get theirs, each its own.
        ExchangeCase{"a_menu_written_and_read_back", {"EX0301011;EX030101;"}, {"EX0301011;", "EX030101;"}, "EX0301011;"},
        ExchangeCase{"queries_between_sets", {"SH0009;ID;BS05;SH0;"}, {"SH0009;", "ID;", "BS05;", "SH0;"}, "ID0840;SH0009;"},
        ExchangeCase{"a_set_the_radio_does_not_answer", {"FA014074000;"}, {"FA014074000;", "FA;"}, ""},
        ExchangeCase{"a_command_the_radio_does_not_know", {"QQ;"}, {"QQ;"}, "?;"},
        ExchangeCase{"line_noise_is_dropped_and_the_next_command_served", {std::string(300, 'x'), "ID;"}, {"FA;", "ID;"}, "ID0840;"},
        ExchangeCase{"a_terminal_line_end_is_not_part_of_the_command", {"ID;\r\n", "FA;"}, {"ID;", "FA;", "FA;"}, "ID0840;FA007100000;"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(Relay, a_relay_port_whose_pair_closed_is_opened_again_and_served) {
    RelaySession session;
    session.relay.unplugged = true;  // the virtual pair is gone
    runTicks(session.panel, 2);
    EXPECT_FALSE(session.relay.open);
    session.relay.unplugged = false;  // and made again under the same name
    for (int tick = 0; tick < 20 && !session.relay.open; ++tick) runTicks(session.panel, 1);
    EXPECT_TRUE(session.relay.open);  // within a second of ticks
    session.fromOtherProgram("ID;");
    EXPECT_EQ(session.relay.written, "ID0840;");
}

// The radio's answer to the panel's poll is held back until the next command reaches it, as
// a slow radio's would be: the late poll answer and the relayed one arrive together.
void holdPollAnswer(RelaySession& session) {
    auto answers = session.panel.radioPort.responder;
    auto held = std::make_shared<std::string>();
    session.panel.radioPort.responder = [answers, held](const std::string& written, int baud,
                                                        const platform::LineFormat& format) {
        std::string reply = *held + answers(written, baud, format);
        held->clear();
        if (written == "FA;" && held->empty() && reply.size() == 12) std::swap(*held, reply);
        return reply;
    };
}

TEST(Relay, a_late_poll_answer_goes_to_the_frequency_line_not_to_the_other_program) {
    RelaySession session;
    holdPollAnswer(session);
    runTicks(session.panel, 1);  // the frequency poll; its answer is late
    session.panel.radio.vfoAHz = 14074000;
    session.panel.panel.state.vfoAHz = 0;
    session.relay.inbound += "ID;";
    runTicks(session.panel, 1);  // the read tick finds nothing yet
    runTicks(session.panel, 1);  // the send tick serves the relay
    EXPECT_EQ(session.relay.written, "ID0840;");
    runTicks(session.panel, 1);
    EXPECT_EQ(session.panel.panel.state.vfoAHz, 7100000);  // the poll's answer, decoded by the poll
}

TEST(Relay, a_frequency_query_behind_the_late_poll_of_the_same_letters_gets_the_second_answer) {
    RelaySession session;
    holdPollAnswer(session);
    runTicks(session.panel, 1);
    session.panel.radio.vfoAHz = 14074000;
    session.relay.inbound += "FA;";
    session.panel.panel.state.pollPhase = 0;
    runTicks(session.panel, 1);
    EXPECT_EQ(session.relay.written, "FA014074000;");
}

TEST(Relay, a_relayed_meter_answer_is_never_decoded_as_the_panels_poll) {
    RelaySession session;
    session.panel.radio.sMeter = 140;
    session.fromOtherProgram("SM0;");
    runTicks(session.panel, 1);  // reads the answer to the panel's own frequency poll
    EXPECT_EQ(session.relay.written, "SM0140;");
    EXPECT_EQ(session.panel.panel.state.sMeter, 0);
}

// The operator's F key speaks the frequency; the other program writes `text` as its first
// word begins. What the program had got back and the panel's mode, as each word began.
struct SpokenMoment {
    std::string back;
    int mode;
};

std::vector<SpokenMoment> whileTheReadoutPlays(RelaySession& session, const std::string& text) {
    session.panel.clearRecords();
    std::vector<SpokenMoment> moments;
    session.panel.fake.sound.onPlay = [&](const std::string&) {
        if (moments.empty()) session.relay.inbound += text;
        moments.push_back({session.relay.written, session.panel.panel.state.mode});
    };
    handleMessage(session.panel.panel, {platform::MessageKind::KeyDown, 'F', 0});
    session.panel.fake.sound.onPlay = nullptr;
    return moments;
}

TEST(Relay, while_the_panel_speaks_the_program_is_answered_and_the_panel_follows_afterwards) {
    RelaySession quiet;
    whileTheReadoutPlays(quiet, "");
    const Commands readout = quiet.panel.prompts();

    RelaySession session;
    const auto moments = whileTheReadoutPlays(session, "ID;MD04;FA;");
    EXPECT_EQ(session.panel.prompts(), readout);  // the readout goes on word for word
    ASSERT_GE(moments.size(), 2u);
    EXPECT_EQ(moments[1].back, "ID0840;FA007100000;");  // answered before its second word
    EXPECT_EQ(session.panel.commands(), (Commands{"ID;", "MD04;", "FA;"}));
    for (const auto& moment : moments) EXPECT_EQ(moment.mode, 1);
    handleMessage(session.panel.panel, {platform::MessageKind::Timer, 0, kRelayTimer});
    EXPECT_EQ(session.panel.panel.state.mode, 7);  // the FM set is taken over once it has ended
    EXPECT_EQ(session.panel.panel.state.rawVfoHold, 1);
}

TEST(Relay, the_answer_a_key_waits_for_is_never_taken_by_the_program) {
    RelaySession session;
    // The radio answers in order, but the answer to the key's "PC;" comes late: after the
    // next query, or at the end of the pause that waits for it.
    struct Late {
        bool held = false;
        std::string answer;
    };
    auto late = std::make_shared<Late>();
    auto& radioPort = session.panel.radioPort;
    radioPort.responder = [answers = radioPort.responder, late](const std::string& written, int baud,
                                                                const platform::LineFormat& format) {
        std::string reply = answers(written, baud, format);
        if (written == "PC;" && !late->held) {
            late->held = true;
            late->answer = reply;
            return std::string();
        }
        if (!reply.empty()) reply = std::exchange(late->answer, "") + reply;
        return reply;
    };
    bool written = false;
    session.panel.fake.sound.onPlay = [&](const std::string& path) {
        if (path.find("delay") == std::string::npos) return;
        radioPort.inbound += std::exchange(late->answer, "");
        if (!std::exchange(written, true)) session.relay.inbound += "PC1050;PC;";
    };
    handleMessage(session.panel.panel, {platform::MessageKind::KeyDown, 'P', 0});
    EXPECT_EQ(session.panel.panel.state.powerLevel, 100);  // the key read its own answer
    EXPECT_EQ(session.relay.written, "PC1050;");           // and the program what it had set
}

TEST(Relay, each_exchange_is_written_to_the_transcript) {
    RelaySession session("debug=1");
    session.fromOtherProgram("ID;");
    const auto lines = fileLines("debug.dat");
    const auto from = std::find(lines.begin(), lines.end(), "***VRX1=ID;");
    ASSERT_NE(from, lines.end());
    EXPECT_EQ(Commands(from, from + 3), (Commands{"***VRX1=ID;", "TX=ID;", "***VTX1=ID0840;"}));
}

TEST(Relay, two_commands_of_one_read_make_one_transcript_line_each) {
    RelaySession session("debug=1");
    session.fromOtherProgram("FA;MD0;");
    Commands relayLines;
    for (const auto& line : fileLines("debug.dat")) {
        if (beginsWith(line, "***")) relayLines.push_back(line);
    }
    EXPECT_EQ(relayLines, (Commands{"***VRX1=FA;", "***VTX1=FA007100000;", "***VRX1=MD0;", "***VTX1=MD01;"}));
}

}  // namespace
}  // namespace vocapan::testing
