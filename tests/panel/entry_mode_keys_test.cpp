// The entry modes as the operator types them: the radio's menu, the repeater offset, the sub
// receiver's gains, the keyer speed, mic-level metering, tone codes, the extended layer and
// the frequency readout.
#include <algorithm>

#include "key_table.h"
#include "panel/entry_modes.h"

namespace vocapan::testing {
namespace {

auto none = [](PanelFixture&) {};

void inFmWithTone(PanelFixture& panel) {
    on2m(panel);
    panel.panel.state.toneEntry = 1;
    panel.panel.state.toneCode = "012";
}

TEST(EntryModeKeys, the_menu_is_read_written_or_refused) {
    runKeyTable({
        {"N 0 3 0 1 0 1 Enter Enter",
         [](PanelFixture& p) { p.radio.menus["030101"] = "12"; },
         {"EX030101;"},
         {"mn", "0", "3", "0", "1", "0", "1", "mp", "delay", "delay", "1", "2"},
         [](const PanelState& s) {
             EXPECT_EQ(s.entryMode, 0);
             EXPECT_EQ(s.pollHold, 0);
         }},
        {"N 0 3 0 1 0 1 Enter 1 Enter", none, {"EX0301011;"}, {"mn", "0", "3", "0", "1", "0", "1", "mp", "1", "ok"}},
        {"N 1 2 Enter", none, {}, {"mn", "1", "2", "invalid"}, [](const PanelState& s) { EXPECT_EQ(s.entryMode, 0); }},
    });
}

TEST(EntryModeKeys, a_typed_offset_becomes_the_bands_standard_and_enter_alone_speaks_it) {
    runKeyTable({
        {"X O - 6 0 0 Enter",
         on2m,
         {"FA145600000;"},
         {"extcm", "on", "eofs", "minus", "6", "0", "0", "2", "metres", "ofs", "minus", "6", "0", "0", "khz"},
         [](const PanelState& s) {
             EXPECT_EQ(s.stdOffsetSign12, "-");
             EXPECT_EQ(s.stdOffsetDigits12, "0600");
         }},
        {"X O + 1 2 3 4 Enter",
         on2m,
         {"FA145600000;"},
         {"extcm", "on", "eofs", "plus", "1", "2", "3", "4", "2", "metres", "ofs", "plus", "1", "2", "0", "0", "khz"},
         [](const PanelState& s) { EXPECT_EQ(s.stdOffsetSign12 + s.stdOffsetDigits12, "+1200"); }},
        // 70 cm takes whole 50 kHz steps: what is spoken and stored is what the shift sends.
        {"X O - 7 6 2 5 Enter V",
         [](PanelFixture& p) {
             on2m(p);
             p.panel.state.band = 13, p.panel.state.vfoAHz = 438500000;
         },
         {"FA438500000;", "EX0103190152;", "OS02;"},
         {"extcm", "on", "eofs", "minus", "7", "6", "2", "5", "70", "metres", "ofs", "minus", "7", "6", "0", "0", "khz",
          "repeater", "on"},
         [](const PanelState& s) { EXPECT_EQ(s.stdOffsetDigits13, "7600"); }},
        {"X O + 6 Enter",
         on2m,
         {},
         {"extcm", "on", "eofs", "plus", "6", "ofs", "invalid"},
         [](const PanelState& s) { EXPECT_EQ(s.stdOffsetDigits12, "0600"); }},
        {"X O Enter",
         on2m,
         {"FA145600000;"},
         {"extcm", "on", "eofs", "2", "metres", "std", "minus", "6", "0", "0", "khz"}},
        {"X O Enter",
         [](PanelFixture& p) {
             on2m(p);
             p.panel.state.repeaterOn = 1;
         },
         {},
         {"extcm", "on", "eofs", "rio"}},
        // No offset on 40 m: the extended layer stays open until a key closes it.
        {"X O", none, {}, {"extcm", "on"}, [](const PanelState& s) { EXPECT_EQ(s.entryMode, 14); }},
        {"X O J", none, {}, {"extcm", "on"}, [](const PanelState& s) { EXPECT_EQ(s.entryMode, 0); }},
    });
}

TEST(EntryModeKeys, right_and_left_step_the_sub_receivers_gains_to_their_ends) {
    runKeyTable({
        {"A Right", [](PanelFixture& p) { p.panel.state.afGainSub = 245; }, {"AG1255;"}, {"af", "max"}},
        {"A Left", [](PanelFixture& p) { p.panel.state.afGainSub = 5; }, {"AG1000;"}, {"af", "min"}},
        {"A Left Left", [](PanelFixture& p) { p.panel.state.afGainSub = 255; }, {"AG1245;", "AG1235;"}, {"af"}},
        {"R Left", [](PanelFixture& p) { p.panel.state.rfGainSub = 15; }, {"RG1000;"}, {"rf", "min"}},
        {"R Right", [](PanelFixture& p) { p.panel.state.rfGainSub = 240; }, {"RG1250;"}, {"rf", "max"}},
    });
}

TEST(EntryModeKeys, the_keyer_speed_is_set_in_cw_and_the_mode_comes_back) {
    auto usbWithBreakIn = [](PanelFixture& p) {
        p.panel.state.mode = 2;
        p.panel.state.breakInOn = 1;
    };
    const std::vector<std::string> openCw{"MD03;", "NA00;", "FA007100000;", "SH0011;", "KS;", "BI0;"};
    const std::vector<std::string> backToUsb{"MD02;", "NA00;", "FA007100000;", "SH0014;"};
    std::vector<std::string> closedWithWord = openCw;
    closedWithWord.insert(closedWithWord.end(), backToUsb.begin(), backToUsb.end());
    closedWithWord.push_back("BI1;");
    std::vector<std::string> closedByJ = closedWithWord;
    closedByJ.push_back("FA007100000;");  // J goes on to the frequency send
    runKeyTable({
        {"K",
         usbWithBreakIn,
         openCw,
         {"ks", "delay", "on", "2", "0", "wpm"},
         [](const PanelState& s) {
             EXPECT_EQ(s.entryMode, 11);
             EXPECT_EQ(s.keyerSpeed, 20);
         }},
        {"K K",
         usbWithBreakIn,
         closedWithWord,
         {"ks", "delay", "on", "2", "0", "wpm", "ks", "off", "2", "0", "wpm"},
         [](const PanelState& s) { EXPECT_EQ(s.mode, 2); }},
        {"K J",
         usbWithBreakIn,
         closedByJ,
         {"ks", "delay", "on", "2", "0", "wpm"},
         [](const PanelState& s) { EXPECT_EQ(s.entryMode, 0); }},
    });
}

TEST(EntryModeKeys, f11_reads_the_mic_gain_and_meters_until_another_key) {
    runKeyTable({
        {"F11",
         none,
         {"MG;"},
         {"micgain", "lev", "delay", "5", "0", "delay"},
         [](const PanelState& s) {
             EXPECT_EQ(s.micMeter, 1);
             EXPECT_EQ(s.entryMode, 12);
         }},
        {"F11 F11",
         none,
         {"MG;"},
         {"micgain", "lev", "delay", "5", "0", "delay", "micgain", "lev", "5", "0", "off"},
         [](const PanelState& s) { EXPECT_EQ(s.micMeter, 0); }},
    });
}

TEST(EntryModeKeys, a_tone_code_is_checked_padded_and_applied) {
    runKeyTable({
        {"I 1 2 Enter",
         on2m,
         {"CN00012;", "CT02;"},
         {"ecd", "1", "2", "ctcss", "on"},
         [](const PanelState& s) { EXPECT_EQ(s.toneCode, "012"); }},
        {"I 5 Enter",
         on2m,
         {"CN00005;", "CT02;"},
         {"ecd", "5", "ctcss", "on"},
         [](const PanelState& s) { EXPECT_EQ(s.toneCode, "005"); }},
        {"I 7 5 4 Enter",
         on2m,
         {"EX0863;", "CN01054;"},
         {"ecd", "7", "5", "4", "dcs", "on"},
         [](const PanelState& s) { EXPECT_EQ(s.dcsSelected, 1); }},
        {"I 5 0 2 Enter", on2m, {"EX0860;", "CN01002;"}, {"ecd", "5", "0", "2", "dcs", "on"}},
        {"I 6 0 Enter",
         on2m,
         {},
         {"ecd", "6", "0", "invalid"},
         [](const PanelState& s) { EXPECT_EQ(s.toneCode, "999"); }},
        {"I 0 0 1 2 Enter", on2m, {}, {"ecd", "0", "0", "1", "2", "invalid"}},
        {"I Enter", on2m, {}, {"ecd", "invalid"}},
        {"I", inFmWithTone, {"CT00;"}, {"ctcss", "off"}, [](const PanelState& s) { EXPECT_EQ(s.toneEntry, 0); }},
        {"I", none, {}, {"wrong", "mode"}},
    });
}

TEST(EntryModeKeys, the_extended_layer_switches_antenna_agc_and_fm_width) {
    auto lowRange = [](PanelFixture& p) { p.panel.state.powerRangeLow = 1; };
    runKeyTable({
        {"X X", none, {}, {"extcm", "on", "extcm", "off"}},
        {"X C C",
         lowRange,
         {"EX0307041;", "EX0307040;"},
         {"extcm", "on", "ant2", "ant1"},
         [](const PanelState& s) { EXPECT_EQ(s.terseReadout, 2); }},
        {"X C", none, {}, {"extcm", "on", "na"}},
        {"X C",
         [](PanelFixture& p) {
             on2m(p);
             p.panel.state.powerRangeLow = 1;
         },
         {},
         {"extcm", "on", "na"}},
        {"X A A",
         [](PanelFixture& p) { p.panel.state.agcMode = 3; },
         {"GT04;", "GT01;"},
         {"extcm", "on", "agc", "auto", "agc", "fast"}},
        {"X M",
         on2m,
         {"MD0B;", "NA00;", "SQ0;"},
         {"extcm", "on", "delay", "delay", "fm", "nar"},
         [](const PanelState& s) {
             EXPECT_EQ(s.mode, 5);
             EXPECT_EQ(s.fmWide, 0);
         }},
    });
}

TEST(EntryModeKeys, f_speaks_the_frequency_or_the_other_one_behind_x) {
    auto repeaterOn2m = [](PanelFixture& p) {
        on2m(p);
        p.panel.state.repeaterOn = 1;
        p.panel.state.offsetDigits12 = "0600";
    };
    runKeyTable({
        {"F", none, {}, {"7", "point", "1", "mhz", "lsb"}},
        {"F Back", none, {}, {"7", "point", "1", "mhz", "lsb", "7", "point", "1", "mhz", "lsb"}},
        {"F Back J Back",
         none,
         {"FA007100000;"},
         {"7", "point", "1", "mhz", "lsb", "7", "point", "1", "mhz", "lsb", "7", "point", "1", "mhz", "lsb"}},
        {"F", inFmWithTone, {}, {"1", "4", "5", "point", "6", "mhz", "fm", "ctcss", "0", "1", "2"}},
        {"F", repeaterOn2m, {}, {"repeater", "1", "4", "5", "point", "6", "mhz", "fm"}},
        {"X F",
         repeaterOn2m,
         {},
         {"extcm", "on", "repeater", "tx", "1", "4", "5", "mhz", "fm"},
         [](const PanelState& s) {
             EXPECT_EQ(s.freqDisplayText, "145.600000");
             EXPECT_EQ(s.entryMode, 0);
         }},
        {"X F",
         [](PanelFixture& p) {
             p.panel.state.vfoBTarget = 1;
             p.panel.state.bandStack[4] = "11A007050000B0071000009990";
         },
         {},
         {"extcm", "on", "vfoa", "7", "point", "0", "5", "mhz", "lsb"}},
        // On 10 m the shift goes down whatever the sign: so does the frequency spoken.
        {"X F",
         [](PanelFixture& p) {
             auto& s = p.panel.state;
             s.band = 10, s.mode = 7, s.vfoAHz = 29620000, s.freqDisplayText = "29.620000";
             s.repeaterOn = 1, s.offsetSign10 = "+", s.offsetDigits10 = "0100";
         },
         {},
         {"extcm", "on", "repeater", "tx", "2", "9", "point", "5", "2", "mhz", "fm"}},
        {"X Shift+F", repeaterOn2m, {}, {"extcm", "on", "repeater", "tx", "1", "4", "5", "mhz", "fm"}},
        // Right after a recall, or when the tick counter wraps, F still answers.
        {"F", [](PanelFixture& p) { p.panel.state.tickCount = 0; }, {}, {"7", "point", "1", "mhz", "lsb"}},
    });
}

TEST(EntryModeKeys, the_vfo_swap_exchanges_the_band_entrys_frequencies_but_no_key_reaches_it) {
    PanelFixture panel;
    connectSession(panel);
    auto& state = panel.panel.state;
    state.bandStack[4] = "11A007050000B0071000009990";
    swapVfos(panel.panel);
    EXPECT_EQ(state.bandStack[4], "11A007100000B0070500009990");
    EXPECT_EQ(panel.commands(), std::vector<std::string>{"SV;"});
    EXPECT_EQ(panel.prompts(), std::vector<std::string>{"swop"});

    state.bandStack[12] = "57A145600000B-000006000881";  // a shift, not a second frequency
    state.band = 12;
    swapVfos(panel.panel);
    EXPECT_EQ(state.bandStack[12], "57A145600000B-000006000881");

    panel.clearRecords();  // in the extended layer S reads the S-meter
    typeKeys(panel, "X S");
    const std::vector<std::string> sent = panel.commands();
    EXPECT_EQ(std::count(sent.begin(), sent.end(), "SV;"), 0);
}

}  // namespace
}  // namespace vocapan::testing
