// The keyboard as the operator meets it: each row types a key sequence into the running panel
// (40 m LSB, 7.100 MHz, connected and reporting) and names the exact commands the radio
// receives and the words spoken, in order.
#include "key_table.h"
#include "panel/key_rules.h"

namespace vocapan::testing {
namespace {

using Commands = std::vector<std::string>;
using Prompts = std::vector<std::string>;
using Setup = std::function<void(PanelFixture&)>;
using Change = std::function<void(PanelState&)>;

// The radio reports `hz` in `mode`: the band follows from the report, as after a moment of
// polling.
Setup on(
    int mode, int hz, Change change = [](PanelState&) {}) {
    return [=](PanelFixture& panel) {
        panel.panel.state.mode = mode;
        deliver(panel, "FA" + std::string(9 - std::to_string(hz).size(), '0') + std::to_string(hz) + ";");
        panel.clearRecords();
        change(panel.panel.state);
    };
}

Setup with(Change change) { return on(1, 7100000, change); }
const Setup at40m = with([](PanelState&) {});

Commands then(Commands first, const Commands& more) {
    first.insert(first.end(), more.begin(), more.end());
    return first;
}

TEST(Keys, the_rule_order_decides_which_keys_act_and_which_resend_the_frequency) {
    // clang-format off
    runKeyTable({
        {"J", at40m, {"FA007100000;"}, {}},
        {"Y", at40m, {"FA007100000;"}, {}},
        {"Right hold hold", at40m, {"FA007100100;"}, {}},
        {"Right Right", at40m, {"FA007100100;", "FA007100200;"}, {}},
        {"J Right", with([](PanelState& s) { s.tuning = 1; }), {}, {"ton", "ton"}},
        {"J Right", with([](PanelState& s) { s.connected = 0; }), {}, {"nc", "nc"}},
        {"Up", with([](PanelState& s) { s.vfoAHz = 0; }), {}, {"nc"}},
        {"J J", with([](PanelState& s) { s.entryMode = 14; }),
         {"FA007100000;"}, {}},
        {"J Right", with([](PanelState& s) { s.entryMode = 3; }), {}, {}},
        {"Shift Insert", at40m, {}, {}},
        {"Shift+F hold", at40m, {}, {"7", "point", "1", "mhz", "lsb"}},
        {"Shift+J Shift+Right", at40m, {"FA007100000;", "FA007100100;"}, {}},
        {"Shift", with([](PanelState& s) { s.tuning = 1; }), {}, {}},
        {"Ctrl+F Ctrl+J", at40m, {}, {}},
        {"R", at40m, {}, {"rf"}},
        {"E", at40m, {"FA007100000;"}, {"EF"}},
        {"F2", at40m, {"RA01;", "FA007100000;"}, {"at", "on"}},
        {"F8", at40m, {"VX1;", "FA007100000;"}, {"vox", "on"}},
        {"F7", on(3, 7100000), {}, {"na"}},
        {"Up Down Down", at40m, {"FA007101000;", "FA007100000;",
         "FA007099000;"}, {}},
        {"Up", on(3, 7000000), {"FA007000500;"}, {}},
        {"W Up", at40m,
         {"SH0015;", "FA007100000;"}, {"bw", "2", "point", "4", "khz"}},
        {"W Up", on(4, 7100000), {"FA007101000;"}, {}},
    });
    // clang-format on
}

TEST(Keys, the_step_keys_tune_and_in_fm_right_and_left_set_the_squelch) {
    auto squelch = [](int level) { return on(7, 145500000, [=](PanelState& s) { s.squelchLevel = level; }); };
    // clang-format off
    runKeyTable({
        {"Left", at40m, {"FA007099900;"}, {}},
        {"PgUp PgDn PgDn", at40m, {"FA007110000;", "FA007100000;", "FA007090000;"}, {}},
        {"+ - -", at40m, {"FA008100000;", "FA007100000;", "FA006100000;"}, {}},
        {"Right", on(2, 14074000), {"FA014074100;"}, {}},
        {"Right", on(3, 14074000), {"FA014074010;"}, {}},
        {"- Left PgDn Down", on(1, 1000500), {"FA001000000;", "FA001000000;", "FA001000000;", "FA001000000;"}, {}},
        {"Down", on(3, 1000200), {"FA001000000;"}, {}},
        {"PgUp", on(7, 145500000), {"FA145512500;"}, {}},
        {"PgDn", on(5, 145500000), {"FA145487500;"}, {}},
        {"PgDn", on(7, 145500000), {"FA145490000;"}, {}},
        {"PgUp", on(2, 144300000), {"FA144310000;"}, {}},
        {"+", on(7, 145500000, [](PanelState& s) { s.repeaterOn = 1; }),
         {"OS00;", "FA146500000;"}, {"repeater", "off"}},
        {"Right", squelch(15), {"SQ0016;"}, {}},
        {"Right", squelch(20), {"SQ0030;"}, {}},
        {"Right", squelch(250), {"SQ0255;"}, {"max"}},
        {"Left", squelch(245), {"SQ0230;"}, {}},
        {"Left Left", squelch(30), {"SQ0020;", "SQ0019;"}, {}},
        {"Left Left", squelch(1), {"SQ0000;", "SQ0000;"}, {"0", "0"}},
        {"Left", on(5, 145500000, [](PanelState& s) { s.squelchLevel = 8; }),
         {"SQ0007;"}, {}},
        {"Z Z", on(1, 7100250), {"FA007100000;", "FA007099000;"},
         {"0", "ok", "0", "ok"}},
        {"Z Z", on(2, 14074350), {"FA014075000;", "FA014076000;"}, {"0", "ok", "0", "ok"}},
        {"Z", on(3, 14074350), {"ZI;"}, {"0", "ok"}},
    });
    // clang-format on
}

// What a typed frequency on 20 m puts on the radio before the frequency itself: the band, its
// mode with the band entry's frequency and width, then the typed frequency and the preamp.
const Commands k20mBand{"BS005;", "MD02;", "NA00;", "FA014200000;", "SH0014;"};
const Commands k40mBand{"BS003;", "MD01;", "NA00;", "FA007100000;", "SH0014;"};

TEST(Keys, a_frequency_typed_in_megahertz_after_e) {
    const Commands e{"FA007100000;"};  // E goes on to the re-send
    // clang-format off
    runKeyTable({
        {"E 7 . 1 Enter", at40m, then(then(e, k40mBand), {"FA007100000;", "PA00;"}),
         {"EF", "7", "point", "1", "40", "metres", "preamp", "off", "ok"}},
        {"E 1 4 . 0 7 4 Enter", at40m, then(then(e, k20mBand), {"FA014074000;", "PA01;"}),
         {"EF", "1", "4", "point", "0", "7", "4", "20", "metres", "preamp", "1", "on", "ok"}},
        {"E 1 4 Enter", at40m, then(then(e, k20mBand), {"FA014000000;", "PA01;"}),
         {"EF", "1", "4", "20", "metres", "preamp", "1", "on", "ok"}},
        {"E Pad1 Pad4 PadPoint Pad0 Pad7 Pad4 Enter", at40m,
         then(then(e, k20mBand), {"FA014074000;", "PA01;"}),
         {"EF", "1", "4", "point", "0", "7", "4", "20", "metres", "preamp", "1", "on", "ok"}},
        {"E 1 4 4 . 8 Enter", at40m,
         then(e, {"BS015;", "MD0B;", "NA00;", "SQ0;", "FA144800000;", "PA10;"}),
         {"EF", "1", "4", "4", "point", "8", "2", "metres", "delay", "delay", "preamp", "off", "ok"}},
        {"E 4 5 0 .", at40m, e, {"EF", "4", "5", "0", "invalid"}},
        {"E .", at40m, e, {"EF", "invalid"}},
        {".", at40m, {}, {"invalid"}},
        {"E 7 . 1 .", at40m, e, {"EF", "7", "point", "1", "invalid"}},
        {"E 1 4 0 7 4 Enter", at40m,
         then(e, {"BS011;", "MD05;", "NA00;", "FA009670000;"}), {"EF", "1", "4", "0", "7", "4", "un", "invalid"}},
        {"E 1 4 4 . 1 2 3 4 5 6 7 Enter", at40m,
         then(e, {"BS015;", "MD0B;", "NA00;", "SQ0;"}),
         {"EF", "1", "4", "4", "point", "1", "2", "3", "4", "5", "6", "7", "2", "metres", "delay", "delay", "invalid"}},
        {"E 9 9 9 Enter", at40m, {"FA007100000;", "FA007100000;"},
         {"EF", "9", "9", "9"}},
        // Outside the amateur bands split ends, at the radio as in the panel.
        {"V E 9 . 6 Enter", at40m,
         {"ST1;", "FB007100000;", "FB007100000;", "ST0;", "BS011;", "MD05;", "NA00;", "FA009670000;", "FA009600000;", "PA00;"},
         {"split", "EF", "9", "point", "6", "un", "preamp", "off", "ok"}},
        {"E 7 . 1 Enter", with([](PanelState& s) { s.toneEntry = 1, s.toneCode = "088"; }), then(then(e, {"CT00;"}), then(k40mBand, {"FA007100000;", "PA00;"})),
         {"EF", "7", "point", "1", "40", "metres", "preamp", "off", "ok"}},
    });
    // clang-format on
}

// The radio's answer to a frequency poll sent just before Enter still tells the old band's
// frequency; taken as a report, it would store 40 m in the typed band's mode.
TEST(Keys, a_typed_frequency_passes_over_the_report_already_on_its_way) {
    PanelFixture panel;
    connectSession(panel);
    auto& state = panel.panel.state;
    while (state.pollPhase != 1 || state.pollAlt != 1) runTicks(panel, 1);  // "FA;" asked, not yet read
    const std::string entry40m = state.bandStack[4];
    typeKeys(panel, "E 9 . 6 Enter");
    runTicks(panel, 8);  // the stale answer, then a fresh one
    EXPECT_EQ(state.bandStack[4], entry40m);
    EXPECT_EQ(state.vfoAHz, 9600000);
}

// A band's entry recalled: the band selected and said, the entry's frequency, its mode and
// width, and its preamplifier.
Commands recalled(const std::string& select, const std::string& frequency, const std::string& mode,
                  const Commands& modeTail, const std::string& preamp) {
    Commands commands{select, frequency, mode, "NA00;"};
    commands.insert(commands.end(), modeTail.begin(), modeTail.end());
    commands.push_back(preamp);
    return commands;
}

TEST(Keys, v_switches_split_on_vfo_b_and_back) {
    // clang-format off
    runKeyTable({
        {"J V V", at40m, {"FA007100000;", "ST1;", "FB007100000;", "ST0;", "FA007100000;"},
         {"split", "split", "off"}},
        {"J V Right V", at40m,
         {"FA007100000;", "ST1;", "FB007100000;", "FB007100100;", "ST0;", "FA007100000;"},
         {"split", "split", "off"}},
        {"V", on(4, 9670000), {}, {"split", "invalid"}},
        {"V", on(7, 29620000, [](PanelState& s) { s.vfoBTarget = 1, s.repeaterOn = 1; }), {"ST0;", "OS00;"},
         {"repeater", "off"}},
        {"V", on(7, 145500000), {"EX0103180012;", "OS02;"},
         {"repeater", "on"}},
        {"B 4", with([](PanelState& s) { s.vfoBTarget = 1; }),
         then({"ST0;"}, recalled("BS003;", "FA007100000;", "MD01;", {"FA007100000;", "SH0014;"}, "PA00;")),
         {"band", "40", "metres", "40", "metres", "preamp", "off"}},
    });
    // clang-format on
}

TEST(Keys, up_and_down_step_the_open_entry_with_max_and_min_at_its_limits) {
    auto entry = [](int mode, std::function<void(PanelState&)> more) {
        return with([=](PanelState& s) { s.entryMode = mode, more(s); });
    };
    auto level = [&](int target, std::function<void(PanelState&)> more) {
        return entry(10, [=](PanelState& s) { s.levelTarget = target, more(s); });
    };
    auto power = [&](int range, int band, int watts) {
        return entry(3, [=](PanelState& s) { s.powerRangeLow = range, s.band = band, s.powerLevel = watts; });
    };
    // clang-format off
    runKeyTable({
        {"Up Down", entry(2, [](PanelState& s) { s.mode = 3, s.filterWidth = 10; }), {"NA00;", "SH0011;", "FA007100000;", "NA01;", "SH0010;", "FA007100000;"}, {}},
        {"Up", entry(2, [](PanelState& s) { s.mode = 3, s.filterWidth = 12; }),
         {"SH0012;", "FA007100000;"}, {"max"}},
        {"Down", entry(2, [](PanelState& s) { s.mode = 3, s.filterWidth = 1; }),
         {"SH0001;", "FA007100000;"}, {"min"}},
        {"Up", entry(2, [](PanelState& s) { s.mode = 2, s.filterWidth = 21; }),
         {"SH0021;", "FA007100000;"}, {"max"}},
        {"Down Down", entry(2, [](PanelState& s) { s.filterWidth = 10; }),
         {"SH0009;", "FA007100000;", "SH0009;", "FA007100000;"}, {"min", "min"}},
        {"Up", entry(2, [](PanelState& s) { s.mode = 6, s.filterWidth = 99; }), {"SH0099;", "FA007100000;"}, {}},
        {"Up Up", power(0, 4, 9), {"PC1010;", "PC1010;"}, {"max", "max"}},
        {"Down Down", power(0, 4, 2), {"PC1001;", "PC1001;"}, {"min", "min"}},
        {"Up Down Down", power(1, 4, 10), {"PC2020;", "PC2010;", "PC2009;"}, {}},
        {"Up", power(1, 4, 90), {"PC2100;"}, {"max"}},
        {"Up", power(1, 12, 50), {"PC2050;"}, {"max"}},
        {"Down Down", power(1, 4, 6), {"PC2005;", "PC2005;"}, {"min", "min"}},
        {"Up", entry(4, [](PanelState& s) { s.rfGain = 240; }), {"RG0255;"}, {"max"}},
        {"Up", entry(4, [](PanelState& s) { s.rfGain = 220; }), {"RG0240;"}, {}},
        {"Down", entry(4, [](PanelState& s) { s.rfGain = 30; }), {"RG0000;"}, {"min"}},
        {"Up Up", entry(7, [](PanelState& s) { s.afGainMain = 240; }), {"AG0250;", "AG0250;"},
         {"max", "max"}},
        {"Down", entry(7, [](PanelState& s) { s.afGainMain = 10; }), {"AG0000;"},
         {"min"}},
        {"Up", level(1, [](PanelState& s) { s.monitorLevel = 20; }), {"ML1025;"}, {}},
        {"Up", level(1, [](PanelState& s) { s.monitorLevel = 98; }), {"ML1100;"}, {"max"}},
        {"Down", level(1, [](PanelState& s) { s.monitorLevel = 5; }), {"ML1001;"}, {"min"}},
        {"Up", level(2, [](PanelState& s) { s.nbLevel = 9; }), {"NL0010;"}, {"max"}},
        {"Down", level(2, [](PanelState& s) { s.nbLevel = 2; }), {"NL0001;"}, {"min"}},
        {"Up", level(3, [](PanelState& s) { s.nrLevel = 4; }), {"RL005;"}, {}},
        {"Up", level(3, [](PanelState& s) { s.nrLevel = 10; }), {"RL010;"}, {"max"}},
        {"Up", level(4, [](PanelState& s) { s.contourFreq = 3150; }), {"CO013200;"}, {"max"}},
        {"Down Down", level(4, [](PanelState& s) { s.contourFreq = 200; }),
         {"CO010100;", "CO010010;"}, {"min"}},
        {"Up", level(5, [](PanelState& s) { s.procLevel = 95; }), {"PL100;"}, {"max"}},
        {"Down", level(5, [](PanelState& s) { s.procLevel = 5; }), {"PL000;"}, {"min"}},
        {"Up", level(0, [](PanelState&) {}), {}, {}},
        {"Up", entry(2, [](PanelState& s) { s.levelTarget = 3; }),
         {"SH0015;", "FA007100000;"}, {}},
        {"Down Down", entry(11, [](PanelState& s) { s.keyerSpeed = 5; }),
         {"KS004;", "KS004;"}, {"min", "min"}},
        {"Up", entry(11, [](PanelState& s) { s.keyerSpeed = 59; }), {"KS060;"}, {"max"}},
        {"Up", entry(12, [](PanelState& s) { s.micGain = 100; }), {"MG100;"}, {"max"}},
        {"Down Down", entry(12, [](PanelState& s) { s.micGain = 1; }), {"MG000;", "MG000;"},
         {"min"}},
    });
    // clang-format on
}

TEST(Keys, b_then_a_digit_a_letter_or_up_and_down_changes_band) {
    const Commands ssb20{"FA014200000;", "SH0014;"};
    const Prompts b40{"band", "40", "metres"};
    // clang-format off
    runKeyTable({
        {"B 6", at40m, recalled("BS005;", "FA014200000;", "MD02;", ssb20, "PA01;"),
         then(b40, {"20", "metres", "preamp", "1", "on"})},
        {"Shift+B Shift+6", at40m, recalled("BS005;", "FA014200000;", "MD02;", ssb20, "PA01;"),
         then(b40, {"20", "metres", "preamp", "1", "on"})},
        {"B 0", at40m,
         recalled("BS009;", "FA028500000;", "MD02;", {"FA028500000;", "SH0014;"}, "PA01;"),
         then(b40, {"10", "metres", "preamp", "1", "on"})},
        {"B X", at40m,
         recalled("BS010;", "FA050150000;", "MD02;", {"FA050150000;", "SH0014;"}, "PA01;"),
         then(b40, {"6", "metres", "preamp", "1", "on"})},
        {"B T", at40m, recalled("BS015;", "FA145000000;", "MD0B;", {"SQ0;"}, "PA10;"),
         then(b40, {"2", "metres", "delay", "delay", "preamp", "off"})},
        {"B S", at40m, recalled("BS016;", "FA432000000;", "MD0B;", {"SQ0;"}, "PA20;"),
         then(b40, {"70", "metres", "delay", "delay", "preamp", "off"})},
        {"B U", at40m,
         recalled("BS011;", "FA009670000;", "MD05;", {"FA009670000;"}, "PA00;"),
         then(b40, {"band", "un", "preamp", "off"})},
        {"B Up", at40m,
         then({"BS004;"}, recalled("BS004;", "FA010100000;", "MD03;", {"FA010100000;", "SH0011;"}, "PA00;")),
         then(b40, {"30", "metres", "preamp", "off"})},
        {"B Down", at40m,
         then({"BS002;"}, recalled("BS002;", "FA005400000;", "MD02;", {"FA005400000;", "SH0014;"}, "PA00;")),
         then(b40, {"60", "metres", "preamp", "off"})},
        {"B Down", on(1, 1900000),
         then({"BS016;"}, recalled("BS016;", "FA432000000;", "MD0B;", {"SQ0;"}, "PA20;")),
         {"band", "160", "metres", "70", "metres", "delay", "delay", "preamp", "off"}},
        {"B Up", on(5, 432000000),
         then({"BS000;"}, recalled("BS000;", "FA001900000;", "MD01;", {"FA001900000;", "SH0014;"}, "PA00;")),
         {"band", "70", "metres", "band", "un", "160", "metres", "preamp", "off"}},
        {"B Down", on(4, 9670000),
         then({"BS016;"}, recalled("BS016;", "FA432000000;", "MD0B;", {"SQ0;"}, "PA20;")),
         {"band", "un", "70", "metres", "delay", "delay", "preamp", "off"}},
        {"5", at40m, {}, {}},
    });
    // clang-format on
}

// Through a sound server that holds the rest of a prompt, the next word is taken before the
// last has sounded to its end, in a key's turn as in the words the loop says itself (the
// start, the radio found again); the pause for the radio's answer is timing and waits it out.
TEST(Keys, words_are_handed_over_early_and_the_reply_pause_keeps_its_length) {
    PanelFixture panel;
    panel.fake.sound.waitingCallsPerPlay = 3;
    panel.fake.sound.handOverLooks = 2;
    const auto expectHandedOver = [&panel](const Prompts& prompts) {
        EXPECT_EQ(panel.prompts(), prompts);
        std::vector<int> looks;
        for (const auto& prompt : prompts) looks.push_back(prompt == "delay" ? 3 : 1);
        EXPECT_EQ(panel.fake.sound.looks, looks);
        panel.clearRecords();
    };
    startSession(panel);
    deliver(panel, "FA007100000;");
    expectHandedOver({"delay", "40",    "metres", "delay",  "delay", "delay",    "delay", "delay",
                      "delay", "delay", "delay",  "delay",  "delay", "delay",    "7",     "point",
                      "1",     "mhz",   "lsb",    "preamp", "off",   "connected"});
    typeKeys(panel, "B T");
    expectHandedOver({"band", "40", "metres", "2", "metres", "delay", "delay", "preamp", "off"});
}

TEST(Keys, the_function_keys_switch_and_announce) {
    // clang-format off
    runKeyTable({
        {"F2 F2", at40m, {"RA01;", "FA007100000;", "RA00;", "FA007100000;"},
         {"at", "on", "at", "off"}},
        {"F2", on(7, 145500000), {"FA145500000;"}, {"at", "na"}},
        {"F3 F3", at40m, {"NL0005;", "FA007100000;", "NL0000;", "FA007100000;"},
         {"nb", "on", "nb", "off"}},
        {"F3", with([](PanelState& s) { s.nbLevel = 10; }), {"NL0010;", "FA007100000;"},
         {"nb", "on"}},
        {"F4 F4", at40m, {"RL004;", "FA007100000;", "RL000;", "FA007100000;"},
         {"nr", "on", "nr", "off"}},
        {"F4", with([](PanelState& s) { s.nrLevel = 10; }), {"RL010;", "FA007100000;"},
         {"nr", "on"}},
        {"F7 F7", at40m, {"PR01;", "PL;", "PR00;"},
         {"spc", "on", "delay", "spc", "off"}},
        {"F8 F8", on(3, 7100000), {"BI1;", "FA007100000;", "BI0;", "FA007100000;"},
         {"bkin", "on", "bkin", "off"}},
    });
    // clang-format on
}

TEST(Keys, the_level_key_follows_the_function_switched_on_last) {
    PanelFixture panel;
    connectSession(panel);
    at40m(panel);
    auto& state = panel.panel.state;
    typeKeys(panel, "F3 F4");
    EXPECT_EQ(state.levelTarget, 3);
    typeKeys(panel, "F3");  // the blanker off leaves the noise reduction chosen
    EXPECT_EQ(state.levelTarget, 3);
    typeKeys(panel, "F7");
    EXPECT_EQ(state.levelTarget, 5);
    EXPECT_EQ(state.procLevel, 50);  // as the radio holds it
    typeKeys(panel, "F4");           // the noise reduction off lets go of whatever was chosen
    EXPECT_EQ(state.levelTarget, 0);
}

TEST(Keys, split_keeps_the_band_entry_whole_with_vfo_b_where_split_began) {
    PanelFixture panel;
    connectSession(panel);
    at40m(panel);
    auto& state = panel.panel.state;
    state.toneCode = "088";
    state.preampLevel = 1;
    auto& entry = state.bandStack[4];
    entry =
        "01A007100000B007150000088"
        "1";
    typeKeys(panel, "Right V");
    EXPECT_EQ(entry,
              "01A007100000B007100100088"
              "1");
    deliver(panel, "FB007102000;");
    typeKeys(panel, "V");
    EXPECT_EQ(entry,
              "11A007100000B007102000088"
              "1");
}

// A rule put between two others takes the number before it and a letter: "8", "8a", "9";
// one put before the first, "0a".
TEST(Keys, every_rule_has_a_number_and_a_name_in_order) {
    const auto rules = keyRules();
    ASSERT_EQ(rules.size(), 77u);
    int number = 0;
    char letter = 0;
    for (const KeyRule& rule : rules) {
        const std::string next = std::to_string(number + 1) + " ";
        const std::string between = std::to_string(number) + static_cast<char>(letter == 0 ? 'a' : letter + 1) + " ";
        if (rule.name.starts_with(next)) {
            ++number;
            letter = 0;
        } else {
            EXPECT_TRUE(rule.name.starts_with(between)) << rule.name << ": expected " << next << "or " << between;
            letter = between[between.size() - 2];
        }
    }
    EXPECT_EQ(number, 72);
}

}  // namespace
}  // namespace vocapan::testing
