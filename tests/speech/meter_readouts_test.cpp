// The meters as the operator hears and sees them: the S-meter figure and its words, the SWR
// on the radio's non-linear scale, and the mic-level peak.
#include <gtest/gtest.h>

#include "core/fonts.h"
#include "readout_bench.h"
#include "speech/readouts_meters.h"

namespace vocapan::testing {
namespace {

struct SMeterCase {
    int value;
    Words heard;
    std::vector<std::string> shown;  // texts drawn, in order
};

class SMeterReadout : public ::testing::TestWithParam<SMeterCase> {};

std::vector<std::string> drawnTexts(const ReadoutBench& bench) {
    std::vector<std::string> texts;
    for (const auto& drawn : bench.fake.window.drawn) texts.push_back(drawn.text);
    return texts;
}

TEST_P(SMeterReadout, speaks_the_s_unit_and_draws_it_at_the_meter_place) {
    const SMeterCase& c = GetParam();
    ReadoutBench bench;
    bench.state.sMeter = c.value;
    saySMeter(bench.panel);
    EXPECT_EQ(bench.words(), c.heard) << "meter " << c.value;
    EXPECT_EQ(drawnTexts(bench), c.shown) << "meter " << c.value;
    ASSERT_FALSE(bench.fake.window.drawn.empty());
    EXPECT_EQ(bench.fake.window.drawn.front().x, 750);
    EXPECT_EQ(bench.fake.window.drawn.front().y, 45);
}

const std::string kFiftyBlanks(50, ' ');

INSTANTIATE_TEST_SUITE_P(
    Cases, SMeterReadout,
    // both sides of every step of the meter's scale
    ::testing::Values(
        SMeterCase{0, {"s", "0"}, {"S0  "}}, SMeterCase{10, {"s", "0"}, {"S0  "}}, SMeterCase{11, {"s", "1"}, {"S1  "}},
        SMeterCase{20, {"s", "1"}, {"S1  "}}, SMeterCase{21, {"s", "2"}, {"S2  "}},
        SMeterCase{40, {"s", "2"}, {"S2  "}}, SMeterCase{41, {"s", "3"}, {"S3  "}},
        SMeterCase{54, {"s", "3"}, {"S3  "}}, SMeterCase{55, {"s", "4"}, {"S4  "}},
        SMeterCase{68, {"s", "4"}, {"S4  "}}, SMeterCase{69, {"s", "5"}, {"S5  "}},
        SMeterCase{82, {"s", "5"}, {"S5  "}}, SMeterCase{83, {"s", "6"}, {"S6  "}},
        SMeterCase{96, {"s", "6"}, {"S6  "}}, SMeterCase{97, {"s", "7"}, {"S7  "}},
        SMeterCase{108, {"s", "7"}, {"S7  "}}, SMeterCase{109, {"s", "8"}, {"S8  "}},
        SMeterCase{120, {"s", "8"}, {"S8  "}}, SMeterCase{121, {"s", "9"}, {"S9", kFiftyBlanks}},
        SMeterCase{131, {"s", "9"}, {"S9", kFiftyBlanks}}, SMeterCase{132, {"s", "9", "5db"}, {"S9", "+5db"}},
        SMeterCase{143, {"s", "9", "5db"}, {"S9", "+5db"}}, SMeterCase{144, {"s", "9", "10db"}, {"S9", "+10db"}},
        SMeterCase{153, {"s", "9", "10db"}, {"S9", "+10db"}}, SMeterCase{154, {"s", "9", "15db"}, {"S9", "+15db"}},
        SMeterCase{163, {"s", "9", "15db"}, {"S9", "+15db"}}, SMeterCase{164, {"s", "9", "20db"}, {"S9", "+20db"}},
        SMeterCase{183, {"s", "9", "20db"}, {"S9", "+20db"}}, SMeterCase{184, {"s", "9", "30db"}, {"S9", "+30db"}},
        SMeterCase{206, {"s", "9", "30db"}, {"S9", "+30db"}}, SMeterCase{207, {"s", "9", "40db"}, {"S9", "+40db"}},
        SMeterCase{247, {"s", "9", "40db"}, {"S9", "+40db"}}, SMeterCase{248, {"s", "9", "60db"}, {"S9", "+60db"}},
        SMeterCase{255, {"s", "9", "60db"}, {"S9", "+60db"}}));

TEST(SMeterFigure, the_decibel_field_follows_s9_and_the_large_font_is_selected_after_it) {
    // Plus decibels in the small font; a plain S9 clears the field in the font already chosen.
    const std::vector<std::pair<int, platform::FontSpec>> cases{{170, kSmallFont}, {125, kLargeFont}};
    for (const auto& [value, decibelFont] : cases) {
        ReadoutBench bench;
        bench.fake.window.selectFont(kLargeFont);
        bench.state.sMeter = value;
        saySMeter(bench.panel);
        const auto& drawn = bench.fake.window.drawn;
        ASSERT_EQ(drawn.size(), 2u) << "meter " << value;
        EXPECT_EQ(drawn[1].font, decibelFont) << "meter " << value;
        EXPECT_EQ(drawn[1].x, 750 + platform::fake::FakePanelWindow::kCharWidth * 2);  // right after "S9"
        EXPECT_EQ(drawn[1].y, 45);
        bench.fake.window.drawText("next");
        EXPECT_EQ(bench.fake.window.drawn.back().font, kLargeFont) << "meter " << value;
    }
}

TEST(SMeterFigure, under_the_silent_prompt_folder_the_figure_is_drawn_and_nothing_is_heard) {
    ReadoutBench bench;
    bench.state.waveDir = "xx";
    bench.state.sMeter = 140;
    saySMeter(bench.panel);
    EXPECT_EQ(bench.words(), Words{});
    EXPECT_TRUE(bench.fake.sound.played.empty()) << "no prompt file is looked for";
    EXPECT_EQ(drawnTexts(bench), (std::vector<std::string>{"S9", "+5db"}));
}

struct SwrCase {
    std::string reading;
    Words heard;  // the short form
};

class SwrReadout : public ::testing::TestWithParam<SwrCase> {};

TEST_P(SwrReadout, follows_the_meter_scale) {
    const SwrCase& c = GetParam();
    ReadoutBench bench;
    bench.state.txState = 1;
    bench.state.terseReadout = 1;
    bench.state.swrText = c.reading;
    saySwr(bench.panel);
    EXPECT_EQ(bench.words(), c.heard) << "reading " << c.reading;
}

INSTANTIATE_TEST_SUITE_P(Cases, SwrReadout,
                         ::testing::Values(SwrCase{"000", {"1", "point", "0"}}, SwrCase{"049", {"1", "point", "0"}},
                                           SwrCase{"050", {"1", "point", "0"}}, SwrCase{"056", {"1", "point", "0"}},
                                           SwrCase{"057", {"1", "point", "1"}}, SwrCase{"085", {"1", "point", "5"}},
                                           SwrCase{"119", {"1", "point", "9"}}, SwrCase{"120", {"2", "point", "0"}},
                                           SwrCase{"129", {"2", "point", "0"}}, SwrCase{"130", {"2", "point", "1"}},
                                           SwrCase{"159", {"2", "point", "3"}}, SwrCase{"160", {"3", "point", "0"}},
                                           SwrCase{"161", {"3", "point", "0"}}, SwrCase{"162", {"3", "point", "1"}},
                                           SwrCase{"179", {"3", "point", "9"}}, SwrCase{"180", {"4", "point", "0"}},
                                           // from 180 the tenths are rounded, not cut: 182 is 4.1, 187 is 4.3
                                           SwrCase{"181", {"4", "point", "0"}}, SwrCase{"182", {"4", "point", "1"}},
                                           SwrCase{"184", {"4", "point", "2"}}, SwrCase{"187", {"4", "point", "3"}},
                                           SwrCase{"199", {"4", "point", "8"}}, SwrCase{"200", {"gt5", "point", "0"}},
                                           SwrCase{"abc", {"1", "point", "0"}}));

TEST(SwrReadoutForms, the_first_reading_is_long_and_later_ones_short) {
    ReadoutBench bench;
    bench.state.tunerMode = 1;
    bench.state.swrOption = 1;
    bench.state.swrText = "085";
    saySwr(bench.panel);
    saySwr(bench.panel);
    EXPECT_EQ(bench.words(), (Words{"swr", "1", "point", "5", "21", "1", "point", "5"}));
    EXPECT_EQ(bench.state.swrTenths, "5");
    EXPECT_EQ(bench.state.swrOption, 2);
}

TEST(SwrReadoutForms, while_receiving_without_the_tuner_nothing_is_said) {
    ReadoutBench bench;
    bench.state.swrText = "085";
    saySwr(bench.panel);
    EXPECT_EQ(bench.words(), Words{});
    EXPECT_EQ(bench.state.terseReadout, 0);
}

TEST(MicLevelReadout, alc_is_said_once_then_only_the_peak) {
    ReadoutBench bench;
    bench.state.micMeter = 1;
    bench.state.micPeak = 42;
    bench.state.tickCount = 15;
    sayMicLevel(bench.panel);
    bench.state.micPeak = 107;
    sayMicLevel(bench.panel);
    EXPECT_EQ(bench.words(), (Words{"alc", "4", "2", "1", "0", "7"}));
    EXPECT_EQ(bench.state.micMeter, 2);
    EXPECT_EQ(bench.state.tickCount, 0);
}

}  // namespace
}  // namespace vocapan::testing
