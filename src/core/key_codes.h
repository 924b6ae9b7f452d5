// Windows virtual-key codes of the keys the panel reacts to. Letters are their upper-case
// character codes ('A' to 'Z') and main-keyboard digits '0' to '9'.
#pragma once

namespace vocapan::vk {

constexpr int kBackspace = 8;
constexpr int kEnter = 13;
constexpr int kShift = 16;
constexpr int kCtrl = 17;
constexpr int kSpace = 32;
constexpr int kPageUp = 33;
constexpr int kPageDown = 34;
constexpr int kLeft = 37;
constexpr int kUp = 38;
constexpr int kRight = 39;
constexpr int kDown = 40;
constexpr int kInsert = 45;
constexpr int kLeftWindows = 91;
constexpr int kNumpad0 = 96;
constexpr int kNumpad9 = 105;
constexpr int kNumpadPoint = 110;
constexpr int kF1 = 112;
constexpr int kF2 = 113;
constexpr int kF3 = 114;
constexpr int kF4 = 115;
constexpr int kF5 = 116;
constexpr int kF6 = 117;
constexpr int kF7 = 118;
constexpr int kF8 = 119;
constexpr int kF9 = 120;
constexpr int kF11 = 122;
constexpr int kF12 = 123;
constexpr int kPlus = 187;  // the "=" / "+" key
constexpr int kMinus = 189;
constexpr int kPoint = 190;

constexpr bool isDigit(int code) { return code >= '0' && code <= '9'; }
constexpr bool isNumpadDigit(int code) { return code >= kNumpad0 && code <= kNumpad9; }

}  // namespace vocapan::vk
