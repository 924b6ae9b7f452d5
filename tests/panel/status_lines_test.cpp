// The three status lines of the panel window and what happens around them: each frequency
// report, each mode change, each change of a function.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <tuple>

#include "display/fonts.h"
#include "display/function_line.h"
#include "display/mode_line.h"
#include "panel_fixture.h"
#include "panel_session.h"

namespace vocapan::testing {
namespace {

using Texts = std::vector<std::string>;
using Commands = std::vector<std::string>;
using Prompts = std::vector<std::string>;

const std::string kFrequencyTail(13, ' ');

TEST(FrequencyLine, a_report_is_drawn_with_blanks_for_leading_zeros) {
    PanelFixture panel;
    connectSession(panel);
    deliver(panel, "FA014074000;");
    EXPECT_EQ(drawnAt(panel, 150),
              (Texts{"80,150:    ", "120,150:    ", "285,150: 14.074000", "385,150:" + kFrequencyTail}));
    const auto& state = panel.panel.state;
    EXPECT_EQ(state.vfoAHz, 14074000);
    EXPECT_EQ(state.vfoAText, "A014074000");
    EXPECT_EQ(state.freqDisplayText, " 14.074000");
    EXPECT_EQ(state.lastFreqReport, "FA014074000");
    const auto frequency = std::find_if(panel.fake.window.drawn.begin(), panel.fake.window.drawn.end(),
                                        [](const auto& drawn) { return drawn.x == 285; });
    EXPECT_EQ(frequency->font, kLargeFont);
}

TEST(FrequencyLine, display_texts_keep_ten_characters) {
    const std::vector<std::pair<std::string, std::string>> cases{
        {"FA001900000;", "  1.900000"}, {"FA432100000;", "432.100000"}, {"FB145500000;", "145.500000"}};
    for (const auto& [report, shown] : cases) {
        PanelFixture panel;
        connectSession(panel);
        deliver(panel, report);
        EXPECT_EQ(panel.panel.state.freqDisplayText, shown) << report;
    }
}

TEST(FrequencyLine, a_report_without_its_terminator_in_place_changes_nothing) {
    PanelFixture panel;
    connectSession(panel);
    deliver(panel, "FA14074000;");
    deliver(panel, "FA0140740001;");
    EXPECT_TRUE(panel.fake.window.drawn.empty());
    EXPECT_EQ(panel.panel.state.vfoAHz, 7100000);
    EXPECT_EQ(panel.panel.state.bandStack[6], "02A014200000B0142000009991");
}

TEST(FrequencyLine, the_report_is_stored_in_the_band_stack_of_its_band) {
    PanelFixture panel;
    connectSession(panel);
    auto& state = panel.panel.state;
    state.mode = 2;
    state.preampLevel = 1;
    deliver(panel, "FA014074000;");
    EXPECT_EQ(state.band, 6);
    EXPECT_EQ(state.bandStack[6], "02A014074000B0142000009991");
}

TEST(FrequencyLine, on_vfo_b_the_report_moves_the_b_frequency_of_the_entry) {
    PanelFixture panel;
    connectSession(panel);
    auto& state = panel.panel.state;
    state.vfoBTarget = 1;
    deliver(panel, "FB007155000;");
    EXPECT_EQ(state.bandStack[4], "11A007100000B0071550009990");
    EXPECT_EQ(state.vfoBText, "B007155000");
}

TEST(FrequencyLine, fm_on_hf_and_c4fm_below_2_metres_are_not_stored) {
    const std::vector<std::tuple<int, std::string, int>> cases{
        {7, "FA014074000;", 6}, {5, "FA024900000;", 9}, {6, "FA050150000;", 11}};
    for (const auto& [mode, report, band] : cases) {
        PanelFixture panel;
        connectSession(panel);
        auto& state = panel.panel.state;
        const std::string entry = state.bandStack[static_cast<std::size_t>(band)];
        state.mode = mode;
        deliver(panel, report);
        EXPECT_EQ(state.bandStack[static_cast<std::size_t>(band)], entry) << report << " mode " << mode;
        EXPECT_EQ(state.band, band);
    }
}

TEST(FrequencyLine, fm_on_10_metres_is_stored) {
    PanelFixture panel;
    connectSession(panel);
    panel.panel.state.mode = 7;
    deliver(panel, "FA029600000;");
    EXPECT_EQ(panel.panel.state.bandStack[10], "07A029600000B0285000009990");
}

TEST(FrequencyLine, a_repeater_shift_is_stored_with_its_sign_and_offset) {
    PanelFixture panel;
    connectSession(panel);
    auto& state = panel.panel.state;
    state.mode = 5;
    state.repeaterOn = 1;
    state.offsetSign12 = "-";
    state.offsetDigits12 = "0600";
    state.toneCode = "012";
    deliver(panel, "FA145600000;");
    EXPECT_EQ(state.bandStack[12], "55A145600000B-000006000120");
}

struct MarkerCase {
    int vfoBTarget;
    int repeaterOn;
    Texts drawn;
};

TEST(FrequencyLine, the_markers_show_split_and_repeater_shift) {
    const std::vector<MarkerCase> cases{
        {0, 0, {"80,150:    ", "120,150:    "}},
        {1, 0, {"80,150:B   ", "120,150:    "}},
        {0, 1, {"80,150:R   ", "120,150:    "}},
        {1, 1, {"80,150:R   "}},
    };
    for (const MarkerCase& c : cases) {
        PanelFixture panel;
        connectSession(panel);
        panel.panel.state.vfoBTarget = c.vfoBTarget;
        panel.panel.state.repeaterOn = c.repeaterOn;
        deliver(panel, "FA145600000;");
        Texts drawn = drawnAt(panel, 150);
        drawn.resize(drawn.size() - 2);  // the frequency itself
        EXPECT_EQ(drawn, c.drawn) << "split " << c.vfoBTarget << " repeater " << c.repeaterOn;
    }
}

TEST(FrequencyLine, a_report_to_be_skipped_is_dropped_once) {
    PanelFixture panel;
    connectSession(panel);
    panel.panel.state.skipFreqReport = 1;
    deliver(panel, "FA014074000;");
    EXPECT_TRUE(panel.fake.window.drawn.empty());
    deliver(panel, "FA014074000;");
    EXPECT_FALSE(drawnAt(panel, 150).empty());
}

TEST(FrequencyLine, after_a_recall_the_next_report_speaks_frequency_mode_and_preamp) {
    PanelFixture panel;
    connectSession(panel);
    auto& state = panel.panel.state;
    state.announceAfterRecall = 1;
    state.mode = 2;
    state.preampLevel = 2;
    deliver(panel, "FA014074000;");
    deliver(panel, "FA014074000;");  // said once only
    EXPECT_EQ(panel.prompts(), (Prompts{"1", "4", "point", "0", "7", "4", "mhz", "usb", "preamp", "2", "on"}));
}

TEST(FrequencyLine, after_a_quiet_recall_the_report_says_nothing) {
    PanelFixture panel;
    connectSession(panel);
    panel.panel.state.announceAfterRecall = 1;
    panel.panel.state.quietRecall = 1;
    deliver(panel, "FA014074000;");
    EXPECT_EQ(panel.prompts(), Prompts{});
}

TEST(FrequencyLine, the_quit_key_ends_the_session_on_the_second_report_after_saving) {
    PanelFixture panel;
    connectSession(panel);
    auto& state = panel.panel.state;
    state.running = 1;
    state.quitCountdown = 1;
    std::filesystem::remove("savmem.dat");
    deliver(panel, "FA014074000;");
    EXPECT_EQ(state.running, 1);
    EXPECT_EQ(state.quitCountdown, 2);
    EXPECT_FALSE(fileExists("savmem.dat"));
    deliver(panel, "FA014074000;");
    EXPECT_EQ(state.running, 0);
    EXPECT_EQ(state.quitCountdown, 0);
    EXPECT_EQ(fileLines("savmem.dat").size(), 115u);
}

struct ModeCase {
    int mode;
    std::string command;
    std::string shown;
};

TEST(ModeLine, each_mode_sends_its_command_and_draws_its_name) {
    const std::vector<ModeCase> cases{
        {1, "MD01;", "LSB    "}, {2, "MD02;", "USB    "}, {3, "MD03;", "CW      "}, {4, "MD05;", "AM     "},
        {5, "MD0B;", "FMN     "}, {6, "MD0H;", "C4FM  "}, {7, "MD04;", "FM      "},
    };
    for (const ModeCase& c : cases) {
        PanelFixture panel;
        connectSession(panel);
        panel.panel.state.mode = c.mode;
        applyMode(panel.panel);
        const Commands sent = panel.commands();
        ASSERT_FALSE(sent.empty());
        EXPECT_EQ(sent.front(), c.command) << "mode " << c.mode;
        const auto& first = panel.fake.window.drawn.front();
        EXPECT_EQ(first.text, c.shown);
        EXPECT_EQ(first.x, 50);
        EXPECT_EQ(first.y, 45);
        EXPECT_EQ(first.font, kLargeFont);
    }
}

TEST(ModeLine, ssb_and_cw_restore_the_band_frequency_and_their_own_width) {
    PanelFixture panel;
    connectSession(panel);
    auto& state = panel.panel.state;
    state.ssbWidth = 21;
    state.cwWidth = 10;
    state.mode = 3;
    applyMode(panel.panel);
    state.mode = 2;
    applyMode(panel.panel);
    state.mode = 4;
    applyMode(panel.panel);
    EXPECT_EQ(panel.commands(), (Commands{"MD03;", "NA01;", "FA007100000;", "SH0010;",  //
                                          "MD02;", "NA00;", "FA007100000;", "SH0021;",  //
                                          "MD05;", "NA00;", "FA007100000;"}));
    EXPECT_EQ(state.bandStack[4].substr(0, 2), "04");
    EXPECT_EQ(panel.prompts(), Prompts{});  // a mode change never speaks a width limit
}

TEST(ModeLine, cw_with_a_wide_filter_switches_the_narrow_filter_off) {
    PanelFixture panel;
    connectSession(panel);
    panel.panel.state.cwWidth = 11;
    panel.panel.state.mode = 3;
    applyMode(panel.panel);
    EXPECT_EQ(panel.commands()[1], "NA00;");
}

TEST(ModeLine, after_a_memory_recall_the_band_entry_is_not_restored) {
    PanelFixture panel;
    connectSession(panel);
    panel.panel.state.memoryRecalled = 1;
    panel.panel.state.mode = 2;
    applyMode(panel.panel);
    EXPECT_EQ(panel.commands(), (Commands{"MD02;", "NA00;"}));
}

TEST(ModeLine, fm_reads_the_squelch_back_instead_of_retuning) {
    PanelFixture panel;
    connectSession(panel);
    panel.radio.settings["SQ0"] = "015";
    panel.radioPort.inbound = "SM0080;";  // a late answer still waiting
    panel.panel.state.mode = 7;
    applyMode(panel.panel);
    EXPECT_EQ(panel.commands(), (Commands{"MD04;", "NA00;", "SQ0;"}));
    EXPECT_EQ(panel.panel.state.squelchLevel, 15);
    EXPECT_EQ(panel.prompts(), (Prompts{"delay", "delay"}));
}

TEST(ModeLine, fm_without_a_squelch_answer_keeps_the_level) {
    PanelFixture panel;
    connectSession(panel);
    panel.radio.options().silent = true;
    panel.panel.state.mode = 5;
    applyMode(panel.panel);
    EXPECT_EQ(panel.panel.state.squelchLevel, 8);
}

TEST(ModeLine, a_mode_change_ends_the_repeater_shift_and_tone_squelch) {
    PanelFixture panel;
    connectSession(panel);
    auto& state = panel.panel.state;
    state.band = 12;
    state.repeaterOn = 1;
    state.toneEntry = 1;
    state.toneCode = "012";
    state.mode = 6;
    applyMode(panel.panel);
    EXPECT_EQ(panel.commands(), (Commands{"OS00;", "CT00;", "MD0H;", "NA00;", "FA145000000;"}));
    EXPECT_EQ(panel.prompts(), (Prompts{"repeater", "off"}));
    EXPECT_EQ(state.repeaterOn, 0);
    EXPECT_EQ(state.toneCode, "999");
    EXPECT_EQ(state.toneEntry, 0);
}

TEST(ModeLine, while_the_relay_drives_the_radio_neither_mode_nor_band_entry_is_sent) {
    PanelFixture panel;
    connectSession(panel);
    panel.panel.state.rawVfoHold = 1;
    panel.panel.state.mode = 2;
    applyMode(panel.panel);
    EXPECT_EQ(panel.commands(), (Commands{"NA00;"}));
    EXPECT_EQ(panel.panel.state.bandStack[4].substr(0, 2), "01");
}

const Texts kBlankFunctionLine{
    "40,250:" + std::string(14, ' '), "170,250:    ", "240,250:    ", "310,250:   ",
    "360,250:" + std::string(9, ' '),  "460,250:" + std::string(8, ' '), "550,250:" + std::string(7, ' '),
    "620,250:     ",                   "690,250:" + std::string(11, ' '), "780,250:" + std::string(30, ' '),
};

TEST(FunctionLine, with_everything_off_every_field_is_blank_in_the_small_font) {
    PanelFixture panel;
    connectSession(panel);
    drawFunctionLine(panel.panel);
    EXPECT_EQ(drawnAt(panel, 250), kBlankFunctionLine);
    for (const auto& drawn : panel.fake.window.drawn) EXPECT_EQ(drawn.font, kSmallFont);
    panel.fake.window.drawText("after");
    EXPECT_EQ(panel.fake.window.drawn.back().font, kLargeFont);
}

TEST(FunctionLine, every_function_shows_its_name_in_its_place) {
    PanelFixture panel;
    connectSession(panel);
    auto& state = panel.panel.state;
    state.preampLevel = 1;
    state.attOn = 1;
    state.nbOn = 1;
    state.nrOn = 1;
    state.notchOn = 1;
    state.contourOn = 1;
    state.procOn = 1;
    state.voxOn = 1;
    state.monitorOn = 1;
    state.toneCode = "088";
    state.mode = 2;
    drawFunctionLine(panel.panel);
    EXPECT_EQ(drawnAt(panel, 250),
              (Texts{"40,250:preamp1", "170,250:att", "240,250:nb", "310,250:nr", "360,250:notch", "460,250:Cont.",
                     "550,250:spc", "620,250:vox", "690,250:mon", "780,250:ctcss=088" + std::string(13, ' ')}));
}

TEST(FunctionLine, the_processor_shows_only_in_ssb_and_break_in_replaces_vox_in_cw) {
    PanelFixture panel;
    connectSession(panel);
    auto& state = panel.panel.state;
    state.procOn = 1;
    state.voxOn = 1;
    state.breakInOn = 0;
    state.mode = 3;
    drawFunctionLine(panel.panel);
    state.breakInOn = 1;
    drawFunctionLine(panel.panel);
    const Texts line = drawnAt(panel, 250);
    EXPECT_EQ(line[6], "550,250:" + std::string(7, ' '));
    EXPECT_EQ(line[7], "620,250:     ");
    EXPECT_EQ(line[17], "620,250:bin ");
}

TEST(FunctionLine, the_tone_field_shows_ctcss_or_a_selected_dcs_code) {
    const std::vector<std::tuple<std::string, int, std::string>> cases{
        {"088", 0, "ctcss=088" + std::string(13, ' ')},
        {"523", 1, "dcs=523" + std::string(14, ' ')},
        {"523", 0, std::string(28, ' ')},
        {"999", 0, std::string(30, ' ')},
        {"000", 0, std::string(30, ' ')},
    };
    for (const auto& [code, dcs, shown] : cases) {
        PanelFixture panel;
        connectSession(panel);
        panel.panel.state.toneCode = code;
        panel.panel.state.dcsSelected = dcs;
        drawFunctionLine(panel.panel);
        EXPECT_EQ(drawnAt(panel, 250).back(), "780,250:" + shown) << code << " dcs " << dcs;
    }
}

}  // namespace
}  // namespace vocapan::testing
