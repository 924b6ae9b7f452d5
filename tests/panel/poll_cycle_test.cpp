// The idle panel keeps its picture of the radio current: what the radio is asked on each
// timer tick, and what becomes of the answers.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "key_session.h"
#include "panel/event_handler.h"
#include "panel_fixture.h"
#include "panel_session.h"

namespace vocapan::testing {
namespace {

using Commands = std::vector<std::string>;
using Prompts = std::vector<std::string>;

// The commands written on each of `count` ticks, "-" for a tick that wrote nothing.
Commands commandPerTick(PanelFixture& panel, int count) {
    Commands perTick;
    for (int i = 0; i < count; ++i) {
        panel.radioPort.written.clear();
        runTicks(panel, 1);
        perTick.push_back(panel.radioPort.written.empty() ? "-" : panel.radioPort.written);
    }
    return perTick;
}

TEST(PollCycle, in_receive_frequency_and_s_meter_are_asked_alternately_one_every_other_tick) {
    PanelFixture panel;
    connectSession(panel);
    EXPECT_EQ(commandPerTick(panel, 8), (Commands{"FA;", "-", "SM0;", "-", "FA;", "-", "SM0;", "-"}));
}

// The ticks that fall due while the panel speaks are taken between its words: the radio is
// still asked and its S-meter shown, while the dial turned meanwhile waits for the words to
// end, so the readout goes on word for word and the new frequency is said after it.
TEST(PollCycle, the_poll_keeps_its_pace_while_the_panel_speaks) {
    PanelFixture panel;
    ConfigLines config;
    config.knob = "knob=1";
    connectSession(panel, config);
    panel.fake.window.timerRunning = true;
    panel.fake.window.timerId = kPollTimer;
    panel.radio.sMeter = 140;
    panel.radio.vfoAHz = 7074000;  // the dial turned just before the key
    Commands sentAsWordsBegan;
    panel.fake.sound.onPlay = [&](const std::string&) {
        sentAsWordsBegan.push_back(panel.radioPort.written);
        panel.fake.window.ticksDueMeanwhile = 1;  // one falls due during each word
    };
    typeKeys(panel, "F");
    EXPECT_EQ(panel.prompts(), (Prompts{"7", "point", "1", "mhz", "lsb"}));
    EXPECT_EQ(sentAsWordsBegan, (Commands{"", "FA;", "FA;", "FA;SM0;", "FA;SM0;"}));
    EXPECT_EQ(drawnAt(panel, 45).front(), "750,45:S9");
    EXPECT_EQ(drawnAt(panel, 150), Commands{});

    panel.clearRecords();
    panel.fake.sound.onPlay = nullptr;
    runTicks(panel, 10);
    EXPECT_EQ(panel.prompts(), (Prompts{"7", "point", "0", "7", "4", "mhz"}));
}

// A poll asked between the words just before the turn's own question: the turn reads its own
// answer, and the poll's answer is the poll's.
TEST(PollCycle, a_poll_between_the_words_keeps_its_answer_out_of_the_turns_reply) {
    PanelFixture panel;
    connectSession(panel);
    panel.fake.window.timerRunning = true;
    panel.fake.window.timerId = kPollTimer;
    panel.fake.sound.onPlay = [&](const std::string& path) {
        if (path.ends_with("\\on.wav")) panel.fake.window.ticksDueMeanwhile = 1;
    };
    typeKeys(panel, "F7");  // the speech processor on, its level read back after the words
    EXPECT_EQ(panel.commands(), (Commands{"FA;", "PR01;", "PL;"}));
    EXPECT_EQ(panel.panel.state.replyText.substr(0, 2), "PL");
    runTicks(panel, 1);
    EXPECT_EQ(panel.panel.state.pollAwaiting, "");
    EXPECT_EQ(panel.panel.state.unansweredPolls, 0);
}

// A reading taken between the words of Q tells of the radio before its TX0: the session still
// ends on the second frequency report after TX0, not on that reading.
TEST(PollCycle, a_reading_between_the_words_counts_for_nothing_after_the_turns_own_command) {
    PanelFixture panel;
    connectSession(panel);
    panel.fake.window.timerRunning = true;
    panel.fake.window.timerId = kPollTimer;
    panel.fake.sound.waitingCallsPerPlay = 2;
    panel.fake.sound.onPlay = [&](const std::string&) { panel.fake.window.ticksDueMeanwhile = 2; };
    typeKeys(panel, "Q");  // "quit", a frequency poll asked and read meanwhile, then TX0
    panel.fake.sound.onPlay = nullptr;
    EXPECT_EQ(panel.commands(), (Commands{"FA;", "TX0;"}));
    runTicks(panel, 4);  // the meter's read, then the first frequency report after TX0
    EXPECT_EQ(panel.panel.state.quitCountdown, 2);
    runTicks(panel, 4);
    EXPECT_EQ(panel.panel.state.quitCountdown, 0);  // the second: the session has ended
}

TEST(PollCycle, while_transmitting_only_the_swr_is_asked_every_fourth_tick) {
    PanelFixture panel;
    connectSession(panel);
    panel.panel.state.txState = 1;
    panel.radio.transmitting = true;
    EXPECT_EQ(commandPerTick(panel, 8), (Commands{"-", "-", "RM6;", "-", "-", "-", "RM6;", "-"}));
}

TEST(PollCycle, while_tuning_the_meter_slot_asks_for_the_swr) {
    PanelFixture panel;
    connectSession(panel);
    panel.panel.state.tuning = 1;
    EXPECT_EQ(commandPerTick(panel, 4), (Commands{"FA;", "-", "RM6;", "-"}));
}

TEST(PollCycle, while_the_mic_level_is_metered_the_meter_slot_asks_for_it) {
    PanelFixture panel;
    connectSession(panel);
    panel.panel.state.micMeter = 1;
    EXPECT_EQ(commandPerTick(panel, 4), (Commands{"FA;", "-", "RM4;", "-"}));
}

TEST(PollCycle, a_held_poll_ignores_every_tick) {
    PanelFixture panel;
    connectSession(panel);
    panel.panel.state.pollHold = 1;
    const int ticksBefore = panel.panel.state.tickCount;
    EXPECT_EQ(commandPerTick(panel, 4), (Commands{"-", "-", "-", "-"}));
    EXPECT_EQ(panel.panel.state.tickCount, ticksBefore);
}

TEST(PollCycle, the_tick_count_wraps_after_20) {
    PanelFixture panel;
    connectSession(panel);
    panel.panel.state.tickCount = 19;
    runTicks(panel, 1);
    EXPECT_EQ(panel.panel.state.tickCount, 20);
    runTicks(panel, 1);
    EXPECT_EQ(panel.panel.state.tickCount, 0);
}

TEST(PollCycle, the_s_meter_figure_follows_the_radio_without_a_word) {
    PanelFixture panel;
    connectSession(panel);
    panel.radio.sMeter = 140;
    runTicks(panel, 4);  // frequency, then the meter
    panel.radio.sMeter = 30;
    runTicks(panel, 4);
    EXPECT_EQ(drawnAt(panel, 45), (Commands{"750,45:S9", "770,45:+5db", "750,45:S2  "}));
    EXPECT_EQ(panel.prompts(), Prompts{});
    EXPECT_EQ(panel.panel.state.sMeter, 30);
    EXPECT_EQ(panel.panel.state.waveDir, "wave\\");
}

TEST(PollCycle, every_answer_of_a_read_is_decoded) {
    PanelFixture panel;
    connectSession(panel);
    deliver(panel, "SM0045;FA014074000;");
    EXPECT_EQ(panel.panel.state.sMeter, 45);
    EXPECT_EQ(panel.panel.state.vfoAHz, 14074000);
}

TEST(PollCycle, a_burst_of_reports_is_read_at_once_and_the_latest_shown) {
    PanelFixture panel;
    connectSession(panel);
    std::string burst;
    while (burst.size() < 200000) burst += "FA007100000;SM0010;";
    deliver(panel, burst + "FA014074000;SM0090;");
    EXPECT_EQ(panel.panel.state.vfoAHz, 14074000);
    EXPECT_EQ(panel.panel.state.sMeter, 90);
    EXPECT_EQ(panel.radioPort.inbound, "");
    EXPECT_EQ(drawnAt(panel, 150).size(), 4u);  // one redraw (markers, figure, blanks) for the whole burst
}

TEST(PollCycle, an_answer_split_between_two_reads_is_decoded_once_whole) {
    PanelFixture panel;
    connectSession(panel);
    deliver(panel, "SM0045;FA0140");
    EXPECT_EQ(panel.panel.state.vfoAHz, 7100000);
    deliver(panel, "74000;");
    EXPECT_EQ(panel.panel.state.vfoAHz, 14074000);
}

TEST(PollCycle, a_report_below_1_mhz_leaves_the_frequency_line_as_it_was) {
    PanelFixture panel;
    connectSession(panel);
    deliver(panel, "FA000500000;");
    EXPECT_EQ(drawnAt(panel, 150), Commands{});
    EXPECT_EQ(panel.panel.state.replyText, "FA001000000");
}

TEST(PollCycle, nothing_arrived_leaves_everything_as_it_was) {
    PanelFixture panel;
    connectSession(panel);
    panel.panel.state.replyText = "SM0100;";
    panel.panel.state.pollPhase = 1;
    runTicks(panel, 1);
    EXPECT_EQ(panel.panel.state.pollPhase, 0);
    EXPECT_TRUE(panel.fake.window.drawn.empty());
}

TEST(PollCycle, while_transmitting_the_highest_swr_is_kept_once_the_first_readings_settled) {
    PanelFixture panel;
    ConfigLines config;
    config.swr = "swr=1";
    connectSession(panel, config);
    auto& state = panel.panel.state;
    state.txState = 1;
    state.swrSettle = 2;
    deliver(panel, "RM6090;");
    deliver(panel, "RM6030;");  // taken as it comes while settling
    EXPECT_EQ(state.swrText, "030");
    EXPECT_EQ(state.swrSettle, 0);
    deliver(panel, "RM6012;");
    EXPECT_EQ(state.swrText, "030");
    deliver(panel, "RM6085;");
    EXPECT_EQ(state.swrText, "085");
    EXPECT_EQ(panel.prompts(),
              (Prompts{"swr", "1", "point", "5", "21", "1", "point", "0", "1", "point", "0", "1", "point", "5"}));
}

TEST(PollCycle, while_transmitting_without_the_swr_option_the_readings_are_kept_unspoken) {
    PanelFixture panel;
    connectSession(panel);  // swr=0
    panel.panel.state.txState = 1;
    deliver(panel, "RM6085;");
    EXPECT_EQ(panel.panel.state.swrText, "085");
    EXPECT_EQ(panel.prompts(), Prompts{});
}

TEST(PollCycle, the_mic_level_peak_is_spoken_at_most_every_half_second) {
    PanelFixture panel;
    connectSession(panel);
    auto& state = panel.panel.state;
    state.micMeter = 1;
    state.tickCount = 5;
    deliver(panel, "RM4033;");
    EXPECT_EQ(panel.prompts(), Prompts{});  // too soon
    state.tickCount = 11;
    deliver(panel, "RM4021;");
    EXPECT_EQ(panel.prompts(), (Prompts{"alc", "3", "3"}));
    EXPECT_EQ(state.micPeak, 33);
    EXPECT_EQ(state.tickCount, 0);
}

TEST(PollCycle, mic_level_answers_are_ignored_when_not_metering) {
    PanelFixture panel;
    connectSession(panel);
    panel.panel.state.tickCount = 15;
    deliver(panel, "RM4033;");
    EXPECT_EQ(panel.panel.state.micPeak, 0);
    EXPECT_EQ(panel.prompts(), Prompts{});
}

TEST(PollCycle, every_read_with_something_in_it_is_written_to_the_transcript) {
    PanelFixture panel;
    ConfigLines config;
    config.debug = "debug=1";
    connectSession(panel, config);
    deliver(panel, "FA000500000;");
    runTicks(panel, 2);  // the frequency poll and its answer
    panel.panel.state.pollPhase = 1;
    runTicks(panel, 1);  // nothing arrived
    const auto lines = fileLines("debug.dat");
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(Commands(lines.end() - 3, lines.end()), (Commands{"RX=FA001000000", "TX=FA;", "RX=FA007100000;"}));
}

// A serial server so far off that its answers take longer than the silence that means a lost
// radio through a cable: the polls keep their pace, each answer is matched with its question,
// so that an answer older than the operator's own tuning does not undo it, and a key that
// reads a value waits for it.
TEST(PollCycle, through_a_slow_serial_server_the_picture_lags_by_the_round_trip_and_nothing_more) {
    PanelFixture panel("station.example", 4000);
    panel.fake.remoteLine.roundTripMs = 1500;
    ConfigLines config;
    config.remote = "remote=station.example:4000";
    connectSession(panel, config);
    EXPECT_EQ(commandPerTick(panel, 8), (Commands{"FA;", "-", "SM0;", "-", "FA;", "-", "SM0;", "-"}));
    runTicks(panel, 32);  // the first answers are in, and the next keep coming
    for (int press = 0; press < 5; ++press) {
        typeKeys(panel, "Up");
        runTicks(panel, 3);
    }
    runTicks(panel, 40);
    typeKeys(panel, "F P");
    Commands keyed;
    for (const auto& command : panel.commands()) {
        if (command != "FA;" && command != "SM0;") keyed.push_back(command);
    }
    EXPECT_EQ(keyed, (Commands{"FA007101000;", "FA007102000;", "FA007103000;", "FA007104000;", "FA007105000;", "PC;"}));
    EXPECT_EQ(panel.prompts(), (Prompts{"7", "point", "1", "0", "5", "mhz", "lsb", "Power", "1", "0", "0", "watts"}));
}

// A radio that goes away mid-session, and comes back: on its COM port, or behind a serial
// server on the network, which the panel connects to again without waiting for it.
struct LostCase {
    const char* name;
    std::function<void(PanelFixture&, bool gone)> goAway;
    bool sendsWhileLost;  // a port that still works is asked who is there; a failed one hears nothing
    bool throughServer = false;
    int roundTripMs = 0;  // of the serial server's line
};

void PrintTo(const LostCase& c, std::ostream* os) { *os << c.name; }

class RadioLost : public ::testing::TestWithParam<LostCase> {};

TEST_P(RadioLost, is_said_once_keys_still_answer_and_a_returning_radio_is_announced_as_at_start) {
    const LostCase& c = GetParam();
    auto fixture =
        c.throughServer ? std::make_unique<PanelFixture>("station.example", 4000) : std::make_unique<PanelFixture>();
    PanelFixture& panel = *fixture;
    panel.fake.remoteLine.roundTripMs = c.roundTripMs;
    ConfigLines config;
    if (c.throughServer) config.remote = "remote=station.example:4000";
    connectSession(panel, config);
    c.goAway(panel, true);
    runTicks(panel, 40);  // two seconds
    EXPECT_EQ(panel.prompts(), Prompts{"radiolost"});
    EXPECT_EQ(panel.panel.state.connected, 0);

    panel.clearRecords();
    handleMessage(panel.panel, {platform::MessageKind::KeyDown, 'F', 0});
    runTicks(panel, 100);
    EXPECT_EQ(panel.prompts(), Prompts{"nc"});  // no second "radio lost"
    const Commands whileLost = panel.commands();
    const auto tries = panel.fake.serial.openAttempts.size() + panel.fake.remoteLine.connectAttempts.size();
    if (c.sendsWhileLost) {
        EXPECT_EQ(whileLost, Commands(whileLost.size(), "ID;"));
        EXPECT_GE(whileLost.size(), 2u);
    } else {
        EXPECT_EQ(whileLost, Commands{});
        EXPECT_GE(tries, 3u);
    }

    c.goAway(panel, false);
    panel.clearRecords();
    runTicks(panel, 60);  // within three seconds
    const Prompts heard = panel.prompts();
    ASSERT_FALSE(heard.empty());
    EXPECT_EQ(heard.back(), "connected");
    EXPECT_EQ(panel.commands().front(), "ID;");
    EXPECT_EQ(panel.panel.state.connected, 1);
    if (c.throughServer) {
        EXPECT_EQ(panel.fake.serial.openAttempts, std::vector<int>{}) << "no COM port is ever opened";
    }
}

// Stopped, a server refuses connections and resets the one it had; a slow one makes a new
// connection only some ticks after it was started.
void serverStops(PanelFixture& p, bool gone) { p.radioPort.unplugged = gone; }

INSTANTIATE_TEST_SUITE_P(
    Cases, RadioLost,
    ::testing::Values(LostCase{"a_radio_that_stops_answering",
                               [](PanelFixture& p, bool gone) { p.radio.options().silent = gone; }, true},
                      LostCase{"a_port_that_fails", [](PanelFixture& p, bool gone) { p.radioPort.unplugged = gone; },
                               false},
                      LostCase{"a_serial_server_that_stops", serverStops, false, true},
                      LostCase{"a_serial_server_whose_radio_stops_answering",
                               [](PanelFixture& p, bool gone) { p.radio.options().silent = gone; }, true, true},
                      LostCase{"a_serial_server_300_ms_away_whose_radio_stops_answering",
                               [](PanelFixture& p, bool gone) { p.radio.options().silent = gone; }, true, true, 300},
                      LostCase{"a_serial_server_slow_to_connect_again",
                               [](PanelFixture& p, bool gone) {
                                   serverStops(p, gone);
                                   p.fake.remoteLine.looksBeforeMade = 5;
                               },
                               false, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PollCycle, quit_with_a_silent_radio_ends_the_session_within_a_second_with_the_memories_saved) {
    PanelFixture panel;
    connectSession(panel);
    panel.panel.state.running = 1;
    panel.radio.options().silent = true;
    handleMessage(panel.panel, {platform::MessageKind::KeyDown, 'Q', 0});
    EXPECT_EQ(panel.commands(), Commands{"TX0;"});
    runTicks(panel, 15);
    EXPECT_EQ(panel.panel.state.running, 1);
    runTicks(panel, 1);
    EXPECT_EQ(panel.panel.state.running, 0);
    EXPECT_EQ(fileLines("savmem.dat").size(), 115u);
}

}  // namespace
}  // namespace vocapan::testing
