// Where each band starts before the operator has used it, and the mode commands by mode
// number. Band entries are 26 characters: kind, mode, "A" + VFO A, "B" + VFO B, tone, preamp.
#pragma once

#include <array>
#include <string_view>

namespace vocapan {

constexpr int kBandCount = 14;
constexpr int kModeCount = 7;

// Index 0 unused so that the index is the band number 1 to 14.
constexpr std::array<std::string_view, kBandCount + 1> kDefaultBandStack{
    "",
    "01A001900000B0019000009990",  // 160 m
    "01A003600000B0036000009990",  // 80 m
    "02A005400000B0054000009990",  // 60 m
    "01A007100000B0071000009990",  // 40 m
    "03A010100000B0100000009990",  // 30 m
    "02A014200000B0142000009991",  // 20 m
    "02A018100000B0181000009991",  // 17 m
    "02A021200000B0212000009991",  // 15 m
    "02A024890000B0248900009991",  // 12 m
    "02A028500000B0285000009991",  // 10 m
    "02A050150000B0501500009991",  // 6 m
    "05A145000000B1450000009990",  // 2 m
    "05A432000000B4320000009990",  // 70 cm
    "04A009670000B0096700009990",  // outside the amateur bands
};

// By mode number: 1 LSB, 2 USB, 3 CW, 4 AM, 5 FM-N, 6 C4FM, 7 FM.
constexpr std::array<std::string_view, kModeCount + 1> kModeCommands{
    "", "MD01", "MD02", "MD03", "MD05", "MD0B", "MD0H", "MD04",
};

}  // namespace vocapan
