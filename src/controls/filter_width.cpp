#include "controls/filter_width.h"

#include <algorithm>

#include "core/number_text.h"
#include "link/command.h"
#include "speech/prompt_player.h"

namespace vocapan {

namespace {

constexpr int kSsbNarrowest = 9;
constexpr int kSsbWidest = 21;
constexpr int kCwNarrowest = 1;
constexpr int kCwWidest = 12;
constexpr int kLargestIndex = 99;  // the command carries two digits

}  // namespace

void applyFilterWidth(Panel& panel) {
    auto& state = panel.state;
    const bool speakLimits = state.quietWidth == 0;
    if (state.mode == 1 || state.mode == 2) {
        state.filterWidth = std::clamp(state.filterWidth, kSsbNarrowest, kSsbWidest);
        state.ssbWidth = state.filterWidth;
        if (speakLimits && state.filterWidth == kSsbWidest) playPrompt(panel, "max");
        if (speakLimits && state.filterWidth == kSsbNarrowest) playPrompt(panel, "min");
    } else if (state.mode == 3) {
        state.filterWidth = std::clamp(state.filterWidth, kCwNarrowest, kCwWidest);
        state.cwWidth = state.filterWidth;
        if (speakLimits && state.filterWidth == kCwWidest) playPrompt(panel, "max");
    }
    if (speakLimits && state.filterWidth == 1) playPrompt(panel, "min");
    send(panel, "SH00" + zeroPadded(std::clamp(state.filterWidth, 0, kLargestIndex), 2));
    state.quietWidth = 0;
}

}  // namespace vocapan
