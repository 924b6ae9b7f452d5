// The numbers the panel's state uses for modes, bands, entry modes and level targets, named
// once for every folder above.
#pragma once

namespace vocapan {

// `mode`
constexpr int kLsb = 1, kUsb = 2, kCw = 3, kAm = 4, kNarrowFm = 5, kC4fm = 6, kFm = 7;

// `band`: the amateur bands with rules of their own (repeater shifts, FM, the antenna
// switch); 14 is general coverage.
constexpr int kBand10m = 10, kBand6m = 11, kBand2m = 12, kBand70cm = 13;

// `entryMode`: what the last prefix key opened; 0 none.
constexpr int kBandPrefix = 1;
constexpr int kFilterWidthEntry = 2;
constexpr int kPowerEntry = 3;
constexpr int kRfGainEntry = 4;
constexpr int kOffsetSignEntry = 5;
constexpr int kOffsetDigitsEntry = 6;
constexpr int kAfGainEntry = 7;
constexpr int kMenuNumberEntry = 8;
constexpr int kMenuValueEntry = 9;
constexpr int kLevelEntry = 10;
constexpr int kKeyerSpeedEntry = 11;
constexpr int kMicGainEntry = 12;
constexpr int kExtended = 14;
constexpr int kDigitalEntry = 15;  // J: the calls WSJT-X heard

// `memoryBank` when no bank is chosen.
constexpr int kNoBank = 99;

}  // namespace vocapan
