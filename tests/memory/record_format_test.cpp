// Which band entries and memory records the panel takes as places it may put the radio on.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "memory/record_format.h"

namespace vocapan {
namespace {

struct Case {
    std::string text;
    bool valid;
};

TEST(RecordFormat, band_entries_are_taken_only_whole) {
    const std::vector<Case> cases = {
        {"02A014200000B0142000009991", true},   // simplex USB 20 m
        {"13A010100000B0101200000000", true},   // split CW, tone code 000
        {"55A145600000B-000006000881", true},   // repeater shift down 600 kHz, tone 088
        {"57A029620000B+000001007541", true},   // repeater shift up, DCS 754
        {"55A145600000B 000006000880", true},   // no sign on the configuration's line
        {"55A145600000B0000000000880", true},   // a short repeater line: sign "0", offset "0"
        {"55A145600000B-00000 6 0880", true},   // offset characters as the configuration gave them
        {"72A014200000B0142000009991", false},  // no such kind
        {"08A014200000B0142000009991", false},  // no such mode
        {"02B014200000B0142000009991", false},  // VFO letters swapped
        {"02A01420000 B0142000009991", false},  // blank in a frequency
        {"02A014200000B+000006009991", false},  // shift where VFO B belongs
        {"55A145600000B0145600000881", false},  // repeater kind with a frequency where the shift belongs
        {"55A145600000B-010006000881", false},
        {"02A014200000B01420000099x1", false},   // tone not digits
        {"02A014200000B0142000009993", false},   // no preamplifier level 3
        {"02A014200000B014200000999", false},    // short
        {"02A014200000B01420000099910", false},  // long
        {"", false},
        {"9", false},
    };
    for (const Case& c : cases) EXPECT_EQ(isBandEntry(c.text), c.valid) << '"' << c.text << '"';
}

TEST(RecordFormat, memory_records_are_band_entries_with_a_band_number) {
    const std::vector<Case> cases = {
        {"0206A014074000B0140740009990", true},
        {"1101A007150000B0072000000122", true},
        {"5712A145600000B-000006000881", true},
        {"5712A145600000B 000006000880", true},  // written with a blank sign, listed as "-"
        {"0214A009670000B0096700009990", true},
        {"0200A014074000B0140740009990", false},   // band 0
        {"0215A014074000B0140740009990", false},   // band 15
        {"0206A014074000B014074000999", false},    // short
        {"0206A014074000B01407400099900", false},  // long
        {"5712A145600000B-0000060008", false},     // repeater record cut after the offset
        {"9", false},
        {"", false},
    };
    for (const Case& c : cases) EXPECT_EQ(isStoredChannel(c.text), c.valid) << '"' << c.text << '"';
}

TEST(RecordFormat, a_channel_is_empty_when_it_begins_with_9_or_holds_nothing) {
    EXPECT_TRUE(isEmptyChannel("9"));
    EXPECT_TRUE(isEmptyChannel("9206A014074000B0140740009990"));
    EXPECT_TRUE(isEmptyChannel(""));
    EXPECT_FALSE(isEmptyChannel("0206A014074000B0140740009990"));
}

TEST(RecordFormat, tone_and_shift_fields_keep_the_fixed_width_whatever_the_state_holds) {
    EXPECT_EQ(toneField("088"), "088");
    EXPECT_EQ(toneField("754"), "754");
    EXPECT_EQ(toneField("12"), "999");  // still being typed
    EXPECT_EQ(toneField(""), "999");
    EXPECT_EQ(toneField("1234"), "999");
    EXPECT_EQ(shiftField("-", "0600"), "-00000600");
    EXPECT_EQ(shiftField("", "0600"), " 00000600");
    EXPECT_EQ(shiftField("+", "0"), "+00000000");
    EXPECT_EQ(shiftField("+", "06"), "+00000006");
}

}  // namespace
}  // namespace vocapan
