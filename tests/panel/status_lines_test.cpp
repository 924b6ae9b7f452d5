// The three status lines of the panel window and what happens around them: each frequency
// report, each mode change, each change of a function.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>

#include "controls/mode_change.h"
#include "core/fonts.h"
#include "display/function_line.h"
#include "panel_fixture.h"
#include "panel_session.h"

namespace vocapan::testing {
namespace {

using Texts = std::vector<std::string>;
using Commands = std::vector<std::string>;
using Prompts = std::vector<std::string>;
using Setup = std::function<void(PanelState&)>;

const std::string kFrequencyTail(13, ' ');
const Texts kNoMarkers{"80,150:    ", "120,150:    "};

TEST(FrequencyLine, the_first_report_is_announced_whatever_its_form_and_not_decoded) {
    PanelFixture panel;
    startSession(panel);
    panel.clearRecords();
    deliver(panel, "FA14074000;");
    EXPECT_EQ(panel.prompts(), (Prompts{"7", "point", "1", "mhz", "lsb", "preamp", "off", "connected"}));
    EXPECT_EQ(panel.commands(), Commands{"PA00;"});
    EXPECT_EQ(panel.panel.state.connected, 1);
    EXPECT_EQ(panel.panel.state.vfoAHz, 7100000);
    EXPECT_TRUE(drawnAt(panel, 150).empty());
}

struct ReportCase {
    const char* name;
    int vfoBTarget;
    int repeaterOn;
    std::string report;
    std::string shown;
    int hz;
    std::string vfoText;  // vfoAText after an FA report, vfoBText after an FB report
    std::string lastReport;
    Texts markers;
};

TEST(FrequencyLine, each_report_is_drawn_after_its_markers_with_blanks_for_leading_zeros) {
    // clang-format off
    const std::vector<ReportCase> cases{
        {"20 m", 0, 0, "FA014074000;", " 14.074000", 14074000, "A014074000", "FA014074000", kNoMarkers},
        {"160 m", 0, 0, "FA001900000;", "  1.900000", 1900000, "A001900000", "FA001900000", kNoMarkers},
        {"70 cm", 0, 0, "FA432100000;", "432.100000", 432100000, "A432100000", "FA432100000", kNoMarkers},
        {"split", 1, 0, "FB007155000;", "  7.155000", 7155000, "B007155000", "FB007155000",
         {"80,150:B   ", "120,150:    "}},
        {"repeater shift", 0, 1, "FA145600000;", "145.600000", 145600000, "A145600000", "FA145600000",
         {"80,150:R   ", "120,150:    "}},
        {"repeater shift and split", 1, 1, "FB145500000;", "145.500000", 145500000, "B145500000", "FB145500000",
         {"80,150:R   "}},
    };
    // clang-format on
    for (const ReportCase& c : cases) {
        PanelFixture panel;
        connectSession(panel);
        auto& state = panel.panel.state;
        state.vfoBTarget = c.vfoBTarget;
        state.repeaterOn = c.repeaterOn;
        deliver(panel, c.report);
        Texts expected = c.markers;
        expected.push_back("285,150:" + c.shown);
        expected.push_back("385,150:" + kFrequencyTail);
        EXPECT_EQ(drawnAt(panel, 150), expected) << c.name;
        EXPECT_EQ(state.freqDisplayText, c.shown) << c.name;
        EXPECT_EQ(state.vfoAHz, c.hz) << c.name;
        EXPECT_EQ(c.report[1] == 'A' ? state.vfoAText : state.vfoBText, c.vfoText) << c.name;
        EXPECT_EQ(state.lastFreqReport, c.lastReport) << c.name;
        const auto frequency = std::find_if(panel.fake.window.drawn.begin(), panel.fake.window.drawn.end(),
                                            [](const auto& drawn) { return drawn.x == 285; });
        ASSERT_NE(frequency, panel.fake.window.drawn.end()) << c.name;
        EXPECT_EQ(frequency->font, kLargeFont) << c.name;
    }
}

TEST(FrequencyLine, a_report_without_its_terminator_in_place_changes_nothing) {
    PanelFixture panel;
    connectSession(panel);
    deliver(panel, "FA14074000;");
    deliver(panel, "FA0140740001;");
    deliver(panel, "FA000500000;");  // below 1 MHz: the poll's repair leaves no terminator
    EXPECT_TRUE(panel.fake.window.drawn.empty());
    EXPECT_EQ(panel.panel.state.vfoAHz, 7100000);
    EXPECT_EQ(panel.panel.state.bandStack[6], "02A014200000B0142000009991");
}

struct StoreCase {
    const char* name;
    Setup setup;
    std::string report;
    int band;
    std::string entry;  // the band's entry afterwards
};

TEST(FrequencyLine, each_report_is_kept_in_the_band_stack_of_its_band_unless_the_mode_does_not_suit_it) {
    // clang-format off
    const std::vector<StoreCase> cases{
        {"usb with the preamplifier", [](PanelState& s) { s.mode = 2, s.preampLevel = 1; }, "FA014074000;", 6,
         "02A014074000B0142000009991"},
        {"split moves vfo b", [](PanelState& s) { s.vfoBTarget = 1; }, "FB007155000;", 4,
         "11A007100000B0071550009990"},
        {"fm on 10 m", [](PanelState& s) { s.mode = 7; }, "FA029600000;", 10, "07A029600000B0285000009990"},
        {"repeater shift with its sign and offset",
         [](PanelState& s) {
             s.mode = 5, s.repeaterOn = 1, s.offsetSign12 = "-", s.offsetDigits12 = "0600", s.toneCode = "012";
         },
         "FA145600000;", 12, "55A145600000B-000006000120"},
        {"fm on 20 m", [](PanelState& s) { s.mode = 7; }, "FA014074000;", 6, "02A014200000B0142000009991"},
        {"fm-n on 12 m", [](PanelState& s) { s.mode = 5; }, "FA024900000;", 9, "02A024890000B0248900009991"},
        {"c4fm on 6 m", [](PanelState& s) { s.mode = 6; }, "FA050150000;", 11, "02A050150000B0501500009991"},
    };
    // clang-format on
    for (const StoreCase& c : cases) {
        PanelFixture panel;
        connectSession(panel);
        auto& state = panel.panel.state;
        c.setup(state);
        deliver(panel, c.report);
        EXPECT_EQ(state.band, c.band) << c.name;
        EXPECT_EQ(state.bandStack[static_cast<std::size_t>(c.band)], c.entry) << c.name;
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

struct RecallCase {
    const char* name;
    Setup setup;
    Prompts heard;
};

TEST(FrequencyLine, after_a_recall_the_next_report_alone_speaks_frequency_mode_and_preamp) {
    // clang-format off
    const std::vector<RecallCase> cases{
        {"usb, preamplifier 2", [](PanelState& s) { s.announceAfterRecall = 1, s.mode = 2, s.preampLevel = 2; },
         {"1", "4", "point", "0", "7", "4", "mhz", "usb", "preamp", "2", "on"}},
        {"lsb, no preamplifier", [](PanelState& s) { s.announceAfterRecall = 1, s.mode = 1, s.preampLevel = 0; },
         {"1", "4", "point", "0", "7", "4", "mhz", "lsb", "preamp", "off"}},
        {"quiet recall", [](PanelState& s) { s.announceAfterRecall = 1, s.quietRecall = 1; }, {}},
        {"no recall", [](PanelState&) {}, {}},
    };
    // clang-format on
    for (const RecallCase& c : cases) {
        PanelFixture panel;
        connectSession(panel);
        c.setup(panel.panel.state);
        deliver(panel, "FA014074000;");
        deliver(panel, "FA014074000;");
        EXPECT_EQ(panel.prompts(), c.heard) << c.name;
        EXPECT_EQ(panel.panel.state.announceAfterRecall, 0) << c.name;
    }
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
    // clang-format off
    const std::vector<ModeCase> cases{
        {1, "MD01;", "LSB    "}, {2, "MD02;", "USB    "}, {3, "MD03;", "CW      "}, {4, "MD05;", "AM     "},
        {5, "MD0B;", "FMN     "}, {6, "MD0H;", "C4FM  "}, {7, "MD04;", "FM      "},
    };
    // clang-format on
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

struct ModeChangeCase {
    const char* name;
    std::function<void(PanelFixture&)> setup;
    Commands sent;
    Prompts heard;
    std::string entryHead;  // kind and mode digit of the band's entry afterwards
    int squelchLevel;
};

// On 40 m unless the case moves to 2 m. A mode change always ends the repeater shift and tone
// squelch, never speaks a width limit, and retunes to the band entry except in FM and after a
// memory recall.
TEST(ModeLine, a_mode_change_retunes_to_the_band_entry_or_reads_the_squelch_back) {
    // clang-format off
    const std::vector<ModeChangeCase> cases{
        {"cw with a narrow width", [](PanelFixture& p) { p.panel.state.cwWidth = 10, p.panel.state.mode = 3; },
         {"MD03;", "NA01;", "FA007100000;", "SH0010;"}, {}, "03", 8},
        {"cw with a wide width", [](PanelFixture& p) { p.panel.state.cwWidth = 11, p.panel.state.mode = 3; },
         {"MD03;", "NA00;", "FA007100000;", "SH0011;"}, {}, "03", 8},
        {"usb at its widest", [](PanelFixture& p) { p.panel.state.ssbWidth = 21, p.panel.state.mode = 2; },
         {"MD02;", "NA00;", "FA007100000;", "SH0021;"}, {}, "02", 8},
        {"am keeps the width", [](PanelFixture& p) { p.panel.state.mode = 4; }, {"MD05;", "NA00;", "FA007100000;"},
         {}, "04", 8},
        {"after a memory recall",
         [](PanelFixture& p) { p.panel.state.memoryRecalled = 1, p.panel.state.mode = 2; }, {"MD02;", "NA00;"}, {},
         "01", 8},
        {"while the relay drives the radio",
         [](PanelFixture& p) { p.panel.state.rawVfoHold = 1, p.panel.state.mode = 2; }, {"NA00;"}, {}, "01", 8},
        {"fm reads the squelch past a late answer",
         [](PanelFixture& p) {
             p.radio.settings["SQ0"] = "015";
             p.radioPort.inbound = "SM0080;";
             p.panel.state.mode = 7;
         },
         {"MD04;", "NA00;", "SQ0;"}, {"delay", "delay"}, "01", 15},
        {"fm-n without a squelch answer",
         [](PanelFixture& p) {
             p.radio.options().silent = true;
             p.panel.state.mode = 5;
         },
         {"MD0B;", "NA00;", "SQ0;"}, {"delay", "delay"}, "01", 8},
        {"repeater shift and tone squelch end",
         [](PanelFixture& p) {
             auto& s = p.panel.state;
             s.band = 12, s.repeaterOn = 1, s.toneEntry = 1, s.toneCode = "012", s.mode = 6;
         },
         {"OS00;", "CT00;", "MD0H;", "NA00;", "FA145000000;"}, {"repeater", "off"}, "06", 8},
        {"repeater shift ends unheard in a quiet recall",
         [](PanelFixture& p) {
             auto& s = p.panel.state;
             s.band = 12, s.repeaterOn = 1, s.quietRecall = 1, s.mode = 6;
         },
         {"OS00;", "MD0H;", "NA00;", "FA145000000;"}, {}, "06", 8},
    };
    // clang-format on
    for (const ModeChangeCase& c : cases) {
        PanelFixture panel;
        connectSession(panel);
        c.setup(panel);
        applyMode(panel.panel);
        const auto& state = panel.panel.state;
        EXPECT_EQ(panel.commands(), c.sent) << c.name;
        EXPECT_EQ(panel.prompts(), c.heard) << c.name;
        EXPECT_EQ(state.bandStack[static_cast<std::size_t>(state.band)].substr(0, 2), c.entryHead) << c.name;
        EXPECT_EQ(state.squelchLevel, c.squelchLevel) << c.name;
        EXPECT_EQ(state.repeaterOn, 0) << c.name;
        EXPECT_EQ(state.toneEntry, 0) << c.name;
        EXPECT_EQ(state.toneCode, "999") << c.name;
    }
}

// The function line's fields from left to right with the blanks each leaves when off.
const std::vector<std::pair<int, int>> kFunctionFields{{40, 14}, {170, 4}, {240, 4}, {310, 3},  {360, 9},
                                                       {460, 8}, {550, 7}, {620, 5}, {690, 11}, {780, 30}};

// The whole line with `shown` in the fields it names (by x) and blanks elsewhere.
Texts functionLine(const std::map<int, std::string>& shown) {
    Texts line;
    for (const auto& [x, blanks] : kFunctionFields) {
        const auto field = shown.find(x);
        line.push_back(std::to_string(x) + ",250:" +
                       (field == shown.end() ? std::string(static_cast<std::size_t>(blanks), ' ') : field->second));
    }
    return line;
}

struct FunctionLineCase {
    const char* name;
    Setup setup;
    std::map<int, std::string> shown;
};

TEST(FunctionLine, each_function_shows_in_its_place_in_the_small_font_and_blanks_when_off) {
    // clang-format off
    const std::vector<FunctionLineCase> cases{
        {"everything off", [](PanelState&) {}, {}},
        {"every function in usb",
         [](PanelState& s) {
             s.preampLevel = 1, s.attOn = 1, s.nbOn = 1, s.nrOn = 1, s.notchOn = 1, s.contourOn = 1, s.procOn = 1;
             s.voxOn = 1, s.monitorOn = 1, s.toneCode = "088", s.mode = 2;
         },
         {{40, "preamp1"},
          {170, "att"},
          {240, "nb"},
          {310, "nr"},
          {360, "notch"},
          {460, "Cont."},
          {550, "spc"},
          {620, "vox"},
          {690, "mon"},
          {780, "ctcss=088" + std::string(13, ' ')}}},
        {"second preamplifier stage", [](PanelState& s) { s.preampLevel = 2; }, {{40, "preamp2"}}},
        {"cw shows neither processor nor vox",
         [](PanelState& s) { s.procOn = 1, s.voxOn = 1, s.breakInOn = 0, s.mode = 3; }, {}},
        {"cw shows break-in", [](PanelState& s) { s.procOn = 1, s.voxOn = 1, s.breakInOn = 1, s.mode = 3; },
         {{620, "bin "}}},
        {"break-in outside cw is not shown", [](PanelState& s) { s.breakInOn = 1, s.mode = 2; }, {}},
        {"processor in am is not shown", [](PanelState& s) { s.procOn = 1, s.mode = 4; }, {}},
        {"selected dcs code", [](PanelState& s) { s.toneCode = "523", s.dcsSelected = 1; },
         {{780, "dcs=523" + std::string(14, ' ')}}},
        {"dcs code not selected", [](PanelState& s) { s.toneCode = "523", s.dcsSelected = 0; },
         {{780, std::string(28, ' ')}}},
        {"no tone", [](PanelState& s) { s.toneCode = "999"; }, {}},
        {"tone code 000", [](PanelState& s) { s.toneCode = "000"; }, {}},
    };
    // clang-format on
    for (const FunctionLineCase& c : cases) {
        PanelFixture panel;
        connectSession(panel);
        c.setup(panel.panel.state);
        drawFunctionLine(panel.panel);
        EXPECT_EQ(drawnAt(panel, 250), functionLine(c.shown)) << c.name;
        for (const auto& drawn : panel.fake.window.drawn) EXPECT_EQ(drawn.font, kSmallFont) << c.name;
        panel.fake.window.drawText("after");
        EXPECT_EQ(panel.fake.window.drawn.back().font, kLargeFont) << c.name;
    }
}

}  // namespace
}  // namespace vocapan::testing
