// The radio's start-up as the radio and the operator notice it: the identity check, the
// tuning from the band table, the settings read back, and the refusal of a wrong radio.
#include <gtest/gtest.h>

#include <algorithm>

#include "controls/repeater_offsets.h"
#include "panel_fixture.h"
#include "panel_session.h"

namespace vocapan::testing {
namespace {

using Commands = std::vector<std::string>;
using Prompts = std::vector<std::string>;

ConfigLines withoutTuner() {
    ConfigLines config;
    config.tuner = "tun=0";
    return config;
}

const Commands kStartUpOn40m{
    "VS0;",  "ID;",          "EX0307030;", "EX0307040;", "BS003;", "FA007100000;", "MD01;",
    "NA00;", "FA007100000;", "SH0014;",    "MD01;",      "NA00;",  "FA007100000;", "SH0014;",
    "RA00;", "NL0000;",      "CO000000;",  "GT0;",       "AG0;",   "AG1;",         "ML0;",
    "ML1;",  "PC;",          "PR0;",       "AC;",        "AC100;", "VX;",          "BI;",
};

Commands firstCommands(const Commands& all, std::size_t count) {
    return Commands(all.begin(), all.begin() + static_cast<long>(std::min(count, all.size())));
}

bool sent(const Commands& all, const std::string& command) {
    return std::find(all.begin(), all.end(), command) != all.end();
}

TEST(StartupQuery, on_40_metres_the_radio_is_tuned_from_the_band_table_and_read_back) {
    PanelFixture panel;
    writeFile("vocapan.cfg", withoutTuner().text());
    panel.fake.window.ticksToDeliver = 8;
    panel.runProgram();
    const Commands all = panel.commands();
    EXPECT_EQ(firstCommands(all, kStartUpOn40m.size()), kStartUpOn40m);
    const Commands polls(all.begin() + static_cast<long>(std::min(kStartUpOn40m.size(), all.size())), all.end());
    EXPECT_EQ(polls, (Commands{"FA;", "PA00;", "SM0;", "FA;", "SM0;"}));
}

TEST(StartupQuery, the_operator_hears_the_band_then_the_first_report_and_connected) {
    PanelFixture panel;
    writeFile("vocapan.cfg", withoutTuner().text());
    panel.fake.window.ticksToDeliver = 8;
    panel.runProgram();
    Prompts expected{"ftx", "3", "point", "5", "delay", "40", "metres"};
    expected.insert(expected.end(), 11, "delay");  // the band select and ten read-backs wait
    for (const char* word : {"7", "point", "1", "mhz", "lsb", "preamp", "off", "connected"}) expected.push_back(word);
    EXPECT_EQ(panel.prompts(), expected);
}

TEST(StartupQuery, with_the_tuner_configured_it_is_switched_out_of_line) {
    PanelFixture panel;
    startSession(panel);  // the fixture's configuration has tun=1
    const Commands all = panel.commands();
    EXPECT_TRUE(sent(all, "AC000;"));
    EXPECT_FALSE(sent(all, "AC100;"));
}

struct RefusalCase {
    const char* name;
    std::string id;
    bool silent;
    std::string powerOff;
    std::string port = "com=5";  // any other port has no device behind it
    std::string remote = "";     // line 15: a serial server where none listens
    Prompts portNamed = {};      // after "portna", when the port cannot be had
    std::string console = "";    // what the console was told
};

void PrintTo(const RefusalCase& c, std::ostream* os) { *os << c.name; }

class WrongRadio : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(WrongRadio, is_refused_with_one_word_and_the_program_ends) {
    const RefusalCase& c = GetParam();
    PanelFixture panel;
    panel.radio.options().id = c.id;
    panel.radio.options().silent = c.silent;
    ConfigLines config;
    config.powerOff = c.powerOff;
    config.port = c.port;
    config.remote = c.remote;
    writeFile("vocapan.cfg", config.text());
    panel.fake.window.ticksToDeliver = 4;
    panel.runProgram();

    Prompts heard{"ftx", "3", "point", "5", "delay", "rnftx"};
    Commands expected{"VS0;", "ID;"};
    if (!c.portNamed.empty()) {
        heard = {"ftx", "3", "point", "5", "delay", "portna"};
        heard.insert(heard.end(), c.portNamed.begin(), c.portNamed.end());
        heard.push_back("rnftx");
        expected.clear();
    }
    if (c.powerOff == "pwroff=1") {
        if (c.portNamed.empty()) expected.push_back("PS0;");
        heard.push_back("delay");  // the radio is given time to switch off
    }
    EXPECT_EQ(panel.prompts(), heard);
    EXPECT_EQ(panel.commands(), expected);
    EXPECT_EQ(panel.fake.console.output, c.console);
    EXPECT_EQ(panel.fake.window.ticksDelivered, 0);  // no poll ever runs
    EXPECT_TRUE(panel.fake.window.wasClosed);
    EXPECT_FALSE(panel.radioPort.open);
    EXPECT_EQ(fileLines("savmem.dat").size(), 115u);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Cases, WrongRadio,
    ::testing::Values(RefusalCase{"another_model", "0650", false, "pwroff=0"},
                      RefusalCase{"another_model_switched_off", "0650", false, "pwroff=1"},
                      RefusalCase{"a_silent_radio", "0840", true, "pwroff=0"},
                      RefusalCase{"a_silent_radio_switched_off", "0840", true, "pwroff=1"},
                      RefusalCase{"a_port_that_cannot_be_opened_is_named", "0840", false, "pwroff=0", "com=6", "", {"6"}},
                      RefusalCase{"a_serial_server_that_cannot_be_reached_is_named", "0840", false, "pwroff=1", "com=5",
                                  "remote=[fd00::7]:4000", {"4", "0", "0", "0"}, "port not available: [fd00::7]:4000\n"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// Through a serial server every answer is waited for until it is in, however far off the
// station is: the start-up takes its questions' round trips and not a moment more, and a radio
// that never answers is given up after two seconds.
struct RemoteStartCase {
    const char* name;
    int roundTripMs;
    bool silent;
    RadioQueryResult result;
    long long startUpMs;  // by the panel's clock
};

TEST(StartupQuery, through_a_serial_server_every_answer_is_waited_for_as_long_as_it_takes) {
    constexpr int kQuestions = 11;  // the identity and ten settings read back
    const RemoteStartCase cases[] = {
        {"next door", 0, false, RadioQueryResult::Ready, 0},
        {"across the country, 300 ms there and back", 300, false, RadioQueryResult::Ready, kQuestions * 300},
        {"over a mobile link, 1.5 s there and back", 1500, false, RadioQueryResult::Ready, kQuestions * 1500},
        {"a silent radio", 300, true, RadioQueryResult::Refused, 2000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PanelFixture panel("station.example", 4000);
        panel.fake.remoteLine.roundTripMs = c.roundTripMs;
        panel.radio.options().silent = c.silent;
        panel.radio.settings["AG0"] = "120";
        ConfigLines config = withoutTuner();
        config.remote = "remote=station.example:4000";
        EXPECT_EQ(startSession(panel, config), c.result);
        EXPECT_EQ(panel.fake.clock.nowMs, c.startUpMs);
        if (c.result == RadioQueryResult::Ready) {
            EXPECT_EQ(panel.commands(), kStartUpOn40m);
            EXPECT_EQ(panel.panel.state.afGainMain, 120);
        }
    }
}

// A radio that ignores some queries, for the fallbacks of the read-back.
void ignore(PanelFixture& panel, const Commands& ignored) {
    auto answers = panel.radioPort.responder;
    panel.radioPort.responder = [answers, ignored](const std::string& written, int baud,
                                                   const platform::LineFormat& format) {
        const std::string reply = answers(written, baud, format);
        return std::find(ignored.begin(), ignored.end(), written) == ignored.end() ? reply : std::string();
    };
}

TEST(StartupQuery, unanswered_agc_and_af_gain_queries_set_the_radio_to_the_defaults) {
    PanelFixture panel;
    ignore(panel, {"GT0;", "AG0;", "AG1;"});
    ASSERT_EQ(startSession(panel), RadioQueryResult::Ready);
    const Commands all = panel.commands();
    const auto from = std::find(all.begin(), all.end(), "GT0;");
    EXPECT_EQ(Commands(from, from + 6), (Commands{"GT0;", "GT02;", "AG0;", "AG0030;", "AG1;", "AG1030;"}));
    EXPECT_EQ(panel.panel.state.agcMode, 2);
    EXPECT_EQ(panel.panel.state.afGainMain, 30);
    EXPECT_EQ(panel.panel.state.afGainSub, 30);
}

TEST(StartupQuery, answered_settings_are_taken_from_the_radio) {
    PanelFixture panel;
    panel.radio.settings["GT0"] = "4";
    panel.radio.settings["AG0"] = "120";
    panel.radio.settings["AG1"] = "077";
    panel.radio.settings["ML0"] = "1";
    panel.radio.settings["ML1"] = "033";
    panel.radio.settings["PC"] = "2050";
    panel.radio.settings["PR0"] = "1";
    panel.radio.settings["VX"] = "1";
    panel.radio.settings["BI"] = "1";
    startSession(panel);
    const auto& state = panel.panel.state;
    EXPECT_EQ(state.agcMode, 4);
    EXPECT_EQ(state.afGainMain, 120);
    EXPECT_EQ(state.afGainSub, 77);
    EXPECT_EQ(state.monitorOn, 1);
    EXPECT_EQ(state.monitorLevel, 33);
    EXPECT_EQ(state.powerRangeLow, 1);
    EXPECT_EQ(state.procOn, 1);
    EXPECT_EQ(state.voxOn, 1);
    EXPECT_EQ(state.breakInOn, 1);
    EXPECT_FALSE(sent(panel.commands(), "GT02;"));
}

TEST(StartupQuery, a_vox_answer_out_of_range_leaves_vox_off_and_the_function_line_blank) {
    PanelFixture panel;
    panel.radio.settings["VX"] = "2";
    startSession(panel);
    EXPECT_EQ(panel.panel.state.voxOn, 0);
    const auto line = drawnAt(panel, 250);
    ASSERT_FALSE(line.empty());
    EXPECT_TRUE(std::find(line.begin(), line.end(), "620,250:     ") != line.end());
}

TEST(StartupQuery, a_power_answer_of_the_low_range_selects_it) {
    PanelFixture panel;
    panel.radio.settings["PC"] = "1005";
    startSession(panel);
    EXPECT_EQ(panel.panel.state.powerRangeLow, 0);
}

struct RepeaterEntryCase {
    const char* name;
    int band;
    std::string entry;
    Commands expected;  // from the offset command up to the receiver settings
    std::string sign;
    std::string digits;
};

void PrintTo(const RepeaterEntryCase& c, std::ostream* os) { *os << c.name; }

class RepeaterEntryAtStart : public ::testing::TestWithParam<RepeaterEntryCase> {};

// The shift goes the way the entry says on every band, 10 m included; only 2 m and 70 cm count
// their offset in 50 kHz steps.
TEST_P(RepeaterEntryAtStart, restores_the_offset_the_shift_and_the_tone) {
    const RepeaterEntryCase& c = GetParam();
    PanelFixture panel;
    initialiseSession(panel);
    auto& state = panel.panel.state;
    state.band = c.band;
    state.bandStack[static_cast<std::size_t>(c.band)] = c.entry;
    panel.clearRecords();
    queryRadioState(panel.panel);

    const Commands all = panel.commands();
    const auto from = std::find(all.begin(), all.end(), c.expected.front());
    const auto to = std::find(from, all.end(), "RA00;");
    EXPECT_EQ(Commands(from, to), c.expected) << ::testing::PrintToString(all);
    EXPECT_EQ(state.repeaterOn, 1);
    const RepeaterOffset offset = workingOffset(state, c.band);
    EXPECT_EQ(offset.sign, c.sign);
    EXPECT_EQ(offset.digits, c.digits);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Cases, RepeaterEntryAtStart,
    ::testing::Values(
        RepeaterEntryCase{"two_metres_minus_600_khz_with_tone", 12, "55A145600000B-000006000880",
                          {"EX0103180012;", "OS02;", "CN00088;", "CT02;"}, "-", "0600"},
        RepeaterEntryCase{"seventy_cm_minus_7600_khz", 13, "57A438650000B-000076009990",
                          {"EX0103190152;", "OS02;"}, "-", "7600"},
        RepeaterEntryCase{"ten_metres_plus_100_khz", 10, "57A029620000B+000001009990",
                          {"EX0103160100;", "OS01;"}, "+", "0100"},
        RepeaterEntryCase{"six_metres_minus_500_khz_with_tone", 11, "55A051000000B-000005000670",
                          {"EX0103170500;", "OS02;", "CN00067;", "CT02;"}, "-", "0500"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(StartupQuery, a_tone_restored_at_start_is_spoken_digit_by_digit) {
    PanelFixture panel;
    initialiseSession(panel);
    auto& state = panel.panel.state;
    state.band = 12;
    state.bandStack[12] = "55A145600000B-000006000880";  // FM-N, shift minus 600 kHz, tone 088
    panel.clearRecords();
    queryRadioState(panel.panel);
    EXPECT_EQ(state.toneEntry, 1);
    // the mode change reads the squelch back
    EXPECT_TRUE(sent(panel.commands(), "SQ0;"));
    const Prompts words = panel.prompts();
    const auto tone = std::find(words.begin(), words.end(), "ctcss");
    ASSERT_GE(std::distance(tone, words.end()), 4);
    EXPECT_EQ(Prompts(tone, tone + 4), (Prompts{"ctcss", "0", "8", "8"}));
}

TEST(StartupQuery, an_fm_entry_without_shift_switches_the_shift_off_silently) {
    PanelFixture panel;
    initialiseSession(panel);
    panel.panel.state.band = 13;  // the start entry of 70 cm: FM-N, simplex, no tone
    panel.clearRecords();
    queryRadioState(panel.panel);
    const Commands all = panel.commands();
    EXPECT_TRUE(sent(all, "OS00;"));
    EXPECT_FALSE(sent(all, "CN00999;"));
    EXPECT_EQ(panel.panel.state.repeaterOn, 0);
    const Prompts words = panel.prompts();
    EXPECT_EQ(std::find(words.begin(), words.end(), "repeater"), words.end());
}

TEST(StartupQuery, a_dcs_code_in_the_band_entry_is_selected) {
    PanelFixture panel;
    initialiseSession(panel);
    auto& state = panel.panel.state;
    state.band = 13;
    state.bandStack[13] = "05A432000000B4320000007540";
    queryRadioState(panel.panel);
    EXPECT_EQ(state.dcsSelected, 1);
    const Commands all = panel.commands();
    const auto from = std::find(all.begin(), all.end(), "EX0863;");
    ASSERT_NE(from, all.end());
    EXPECT_EQ(*(from + 1), "CN01054;");
}

struct PreampCase {
    const char* name;
    int band;
    std::string entry;
    std::string report;
    std::string command;
    Prompts heard;  // from "preamp" to "connected"
};

void PrintTo(const PreampCase& c, std::ostream* os) { *os << c.name; }

class PreampAtFirstReport : public ::testing::TestWithParam<PreampCase> {};

// The band entry's preamplifier digit is taken at start and put on the radio by the first
// report; 2 m and 70 cm have one stage only.
TEST_P(PreampAtFirstReport, the_band_entry_preamp_is_switched_and_spoken) {
    const PreampCase& c = GetParam();
    PanelFixture panel;
    initialiseSession(panel);
    panel.panel.state.band = c.band;
    panel.panel.state.bandStack[static_cast<std::size_t>(c.band)] = c.entry;
    queryRadioState(panel.panel);
    panel.clearRecords();
    deliver(panel, c.report);

    EXPECT_EQ(panel.commands(), Commands{c.command});
    const Prompts words = panel.prompts();
    const auto from = std::find(words.begin(), words.end(), "preamp");
    EXPECT_EQ(Prompts(from, words.end()), c.heard);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Cases, PreampAtFirstReport,
    ::testing::Values(
        PreampCase{"twenty_metres_off", 6, "02A014200000B0142000009990", "FA014200000;", "PA00;",
                   {"preamp", "off", "connected"}},
        PreampCase{"twenty_metres_stage_1", 6, "02A014200000B0142000009991", "FA014200000;", "PA01;",
                   {"preamp", "1", "on", "connected"}},
        PreampCase{"twenty_metres_stage_2", 6, "02A014200000B0142000009992", "FA014200000;", "PA02;",
                   {"preamp", "2", "on", "connected"}},
        PreampCase{"two_metres_stage_2_is_sent_as_1", 12, "02A145000000B1450000009992", "FA145000000;", "PA11;",
                   {"preamp", "2", "on", "connected"}},
        PreampCase{"seventy_cm_off", 13, "02A432000000B4320000009990", "FA432000000;", "PA20;",
                   {"preamp", "off", "connected"}},
        PreampCase{"seventy_cm_stage_1", 13, "02A432000000B4320000009991", "FA432000000;", "PA21;",
                   {"preamp", "1", "on", "connected"}},
        PreampCase{"general_coverage_stage_1", 14, "02A009670000B0096700009991", "FA009670000;", "PA01;",
                   {"preamp", "1", "on", "connected"}}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(StartupQuery, a_relay_port_is_opened_like_the_radio_port_and_none_without_one) {
    PanelFixture panel;
    auto& relay = panel.fake.serial.addDevice(7);
    ConfigLines config;
    config.relay = "relay=7";
    startSession(panel, config);
    EXPECT_TRUE(relay.open);
    EXPECT_EQ(relay.baud, 38400);
    EXPECT_EQ(relay.format, (platform::LineFormat{8, 0, 2}));
    EXPECT_EQ(relay.timeouts.intervalMs, platform::ReadTimeouts::kReturnAtOnce);

    PanelFixture without;
    startSession(without);
    EXPECT_EQ(without.fake.serial.openAttempts, (std::vector<int>{5}));
}

}  // namespace
}  // namespace vocapan::testing
