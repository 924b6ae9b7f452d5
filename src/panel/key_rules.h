// The ordered key rules: what each key press does to the radio and what the operator hears.
#pragma once

#include "panel/panel.h"

namespace vocapan {

// Handles one key-down with Windows virtual-key code `code`.
void onKeyDown(Panel& panel, int code);

// Virtual-key codes the rules name.
namespace vk {
constexpr int kEnter = 13;
constexpr int kNumpad0 = 96;
constexpr int kNumpad9 = 105;
constexpr int kNumpadPoint = 110;
constexpr int kPoint = 190;
constexpr int kQ = 'Q';
}  // namespace vk

}  // namespace vocapan
