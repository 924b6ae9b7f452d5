// The listing "memory.txt" as the operator reads it: one line per stored channel, grouped by
// bank, saying frequencies, mode, repeater shift, split and tone.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "memory/memory_listing.h"

namespace vocapan {
namespace {

TEST(MemoryListing, channel_lines_say_frequencies_mode_shift_split_and_tone) {
    struct Case {
        int channel;
        std::string record;
        std::string line;
    };
    const std::vector<Case> cases = {
        {7, "0206A014074000B0140740009990", "Slot 7 A=14.074  B=14.074  USB       "},
        {2, "1101A007150000B0072000009990", "Slot 2 A=7.15  B=7.2  LSB  split"},
        {0, "5712A145600000B-000006000880", "Slot 0 A=145.6  FMW  Repeater  -600Khz          CTCSS=088"},
        {9, "5513A432100000B+000076007540", "Slot 9 A=432.1  FMN  Repeater  +7600Khz          DCS=754"},
        {4, "0512A145500000B1455000005020", "Slot 4 A=145.5  B=145.5  FMN          DCS=502"},
        {1, "0314A000000000B0001000000001", "Slot 1 A=0.0  B=0.1  CW          CTCSS=000"},
        {3, "0404A007100010B0071000109991", "Slot 3 A=7.10001  B=7.10001  AM       "},
        {5, "0612A144800000B1448000000000", "Slot 5 A=144.8  B=144.8  C4FM          CTCSS=000"},
        {6, "1304A007150000B0072000000882", "Slot 6 A=7.15  B=7.2  CW  split   CTCSS=088"},
        {8, "0212A144800000B1448000004990", "Slot 8 A=144.8  B=144.8  USB          CTCSS=499"},
    };
    for (const Case& c : cases) EXPECT_EQ(channelLine(c.channel, c.record), c.line);
}

TEST(MemoryListing, banks_with_stored_channels_are_listed_in_order) {
    std::array<std::string, 100> slots;
    slots.fill("9");
    slots[37] = "0206A014074000B0140740009990";
    slots[31] = "1101A007150000B0072000009990";
    slots[90] = "5712A145600000B-000006000880";
    slots[12] = "0206A01407400";  // damaged: not a channel the panel can recall

    EXPECT_EQ(memoryListingLines(slots), (std::vector<std::string>{
                                             "Memory Bank Information",
                                             "  ",
                                             "  ",
                                             "Bank3",
                                             "Slot 1 A=7.15  B=7.2  LSB  split",
                                             "Slot 7 A=14.074  B=14.074  USB       ",
                                             "  ",
                                             "Bank9",
                                             "Slot 0 A=145.6  FMW  Repeater  -600Khz          CTCSS=088",
                                         }));
}

TEST(MemoryListing, nothing_stored_says_empty) {
    std::array<std::string, 100> slots;
    slots.fill("9");
    slots[55] = "9206A014074000B0140740009990";
    EXPECT_EQ(memoryListingLines(slots), (std::vector<std::string>{"Memory Bank Information", "  ", "Empty"}));
}

}  // namespace
}  // namespace vocapan
