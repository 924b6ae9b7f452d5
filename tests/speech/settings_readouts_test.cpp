// What the operator hears when asking for the frequency, mode, band, power, filter width and
// keyer speed.
#include <gtest/gtest.h>

#include "readout_bench.h"
#include "speech/readouts_settings.h"

namespace vocapan::testing {
namespace {

struct FrequencyCase {
    std::string shown;
    int vfoBTarget;
    int repeaterOn;
    int readoutOther;
    Words heard;
};

class FrequencyReadout : public ::testing::TestWithParam<FrequencyCase> {};

TEST_P(FrequencyReadout, speaks_megahertz_without_trailing_zeros_and_with_its_leading_words) {
    const FrequencyCase& c = GetParam();
    ReadoutBench bench;
    bench.state.freqDisplayText = c.shown;
    bench.state.vfoBTarget = c.vfoBTarget;
    bench.state.repeaterOn = c.repeaterOn;
    bench.state.readoutOther = c.readoutOther;
    sayFrequency(bench.panel);
    EXPECT_EQ(bench.words(), c.heard) << "frequency text '" << c.shown << "'";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FrequencyReadout,
    ::testing::Values(FrequencyCase{" 14.074000", 0, 0, 0, {"1", "4", "point", "0", "7", "4", "mhz"}},
                      FrequencyCase{"145.500000", 0, 0, 0, {"1", "4", "5", "point", "5", "mhz"}},
                      FrequencyCase{"  7.000000", 0, 0, 0, {"7", "mhz"}},
                      FrequencyCase{"430.012500", 0, 0, 0, {"4", "3", "0", "point", "0", "1", "2", "5", "mhz"}},
                      FrequencyCase{"  3.500000", 0, 0, 0, {"3", "point", "5", "mhz"}},
                      FrequencyCase{" 14.000000", 0, 0, 0, {"1", "4", "mhz"}},
                      FrequencyCase{"  1.900001", 0, 0, 0, {"1", "point", "9", "0", "0", "0", "0", "1", "mhz"}},
                      // the band table's text before the first report has no leading blanks
                      FrequencyCase{"7.100000", 0, 0, 0, {"7", "point", "1", "mhz"}},
                      FrequencyCase{" 14.074000", 1, 0, 0, {"vfob", "1", "4", "point", "0", "7", "4", "mhz"}},
                      FrequencyCase{"145.600000", 0, 1, 0, {"repeater", "1", "4", "5", "point", "6", "mhz"}},
                      FrequencyCase{"145.600000", 0, 1, 1, {"repeater", "tx", "1", "4", "5", "point", "6", "mhz"}},
                      FrequencyCase{"145.600000", 1, 1, 1, {"tx", "1", "4", "5", "point", "6", "mhz"}},
                      FrequencyCase{"145.600000", 1, 1, 0, {"1", "4", "5", "point", "6", "mhz"}},
                      FrequencyCase{" 14.074000", 0, 0, 1, {"1", "4", "point", "0", "7", "4", "mhz"}},
                      FrequencyCase{" 14.074000", 1, 0, 1, {"1", "4", "point", "0", "7", "4", "mhz"}}));

TEST(FrequencyReadoutStates, before_the_first_report_only_not_connected_is_heard) {
    ReadoutBench bench;
    sayFrequency(bench.panel);
    EXPECT_EQ(bench.words(), Words{"nc"});
}

TEST(FrequencyReadoutStates, a_quiet_recall_says_nothing_and_keeps_the_working_text) {
    ReadoutBench bench;
    bench.state.freqDisplayText = " 14.074000";
    bench.state.sayText = "earlier";
    bench.state.quietRecall = 1;
    sayFrequency(bench.panel);
    sayMode(bench.panel);
    EXPECT_EQ(bench.words(), Words{});
    EXPECT_EQ(bench.state.sayText, "earlier");
}

TEST(ModeReadout, every_mode_has_its_words_and_narrow_fm_adds_nar) {
    const std::vector<Words> byMode{{}, {"lsb"}, {"usb"}, {"cw"}, {"am"}, {"fm", "nar"}, {"c4fm"}, {"fm"}, {}};
    for (int mode = 0; mode <= 8; ++mode) {
        ReadoutBench bench;
        bench.state.mode = mode;
        sayMode(bench.panel);
        EXPECT_EQ(bench.words(), byMode[static_cast<std::size_t>(mode)]) << "mode " << mode;
    }
}

TEST(BandReadout, every_band_is_named_in_metres_and_general_coverage_without) {
    const std::vector<Words> byBand{
        {"metres"},       {"160", "metres"}, {"80", "metres"}, {"60", "metres"}, {"40", "metres"},
        {"30", "metres"}, {"20", "metres"},  {"17", "metres"}, {"15", "metres"}, {"12", "metres"},
        {"10", "metres"}, {"6", "metres"},   {"2", "metres"},  {"70", "metres"}, {"un"},
    };
    for (int band = 0; band <= 14; ++band) {
        ReadoutBench bench;
        bench.state.band = band;
        sayBand(bench.panel);
        EXPECT_EQ(bench.words(), byBand[static_cast<std::size_t>(band)]) << "band " << band;
    }
}

TEST(PowerAndKeyerReadouts, speak_the_digits_then_the_unit) {
    const std::vector<std::pair<int, Words>> power{
        {5, {"5", "watts"}}, {50, {"5", "0", "watts"}}, {100, {"1", "0", "0", "watts"}}};
    for (const auto& [watts, heard] : power) {
        ReadoutBench bench;
        bench.state.powerLevel = watts;
        sayPower(bench.panel);
        EXPECT_EQ(bench.words(), heard) << watts << " W";
    }
    const std::vector<std::pair<int, Words>> keyer{{25, {"2", "5", "wpm"}},
                                                   {8, {"8", "wpm"}},
                                                   {60, {"6", "0", "wpm"}},
                                                   {4, {"4", "wpm"}},
                                                   {10, {"1", "0", "wpm"}}};
    for (const auto& [wpm, heard] : keyer) {
        ReadoutBench bench;
        bench.state.keyerSpeed = wpm;
        sayKeyerSpeed(bench.panel);
        EXPECT_EQ(bench.words(), heard) << wpm << " wpm";
    }
}

struct WidthCase {
    int mode;
    int index;
    Words heard;
};

class WidthReadout : public ::testing::TestWithParam<WidthCase> {};

TEST_P(WidthReadout, speaks_kilohertz_in_ssb_and_hertz_otherwise) {
    const WidthCase& c = GetParam();
    ReadoutBench bench;
    bench.state.mode = c.mode;
    bench.state.filterWidth = c.index;
    sayFilterWidth(bench.panel);
    EXPECT_EQ(bench.words(), c.heard) << "mode " << c.mode << " index " << c.index;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WidthReadout,
    ::testing::Values(
        WidthCase{1, 9, {"bw", "1", "point", "8", "khz"}}, WidthCase{2, 10, {"bw", "1", "point", "9", "khz"}},
        WidthCase{2, 11, {"bw", "2", "point", "1", "khz"}}, WidthCase{2, 14, {"bw", "2", "point", "4", "khz"}},
        WidthCase{1, 19, {"bw", "2", "point", "9", "khz"}}, WidthCase{2, 20, {"bw", "3", "point", "0", "khz"}},
        WidthCase{2, 21, {"bw", "3", "point", "1", "khz"}}, WidthCase{3, 1, {"bw", "5", "0", "hz"}},
        WidthCase{3, 2, {"bw", "1", "0", "0", "hz"}}, WidthCase{3, 7, {"bw", "3", "5", "0", "hz"}},
        WidthCase{3, 9, {"bw", "4", "5", "0", "hz"}}, WidthCase{3, 10, {"bw", "5", "0", "0", "hz"}},
        WidthCase{3, 11, {"bw", "8", "0", "0", "hz"}}, WidthCase{3, 12, {"bw", "1", "2", "0", "0", "hz"}},
        WidthCase{4, 20, {"bw", "10", "0", "0", "hz"}}, WidthCase{4, 0, {"bw", "0", "0", "hz"}}));

TEST(WidthReadoutState, the_ssb_tenth_is_left_in_the_working_text) {
    ReadoutBench bench;
    bench.state.mode = 2;
    bench.state.filterWidth = 14;
    sayFilterWidth(bench.panel);
    EXPECT_EQ(bench.state.sayText, "4");
}

}  // namespace
}  // namespace vocapan::testing
