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
constexpr int kLargestIndex = 99;    // the command carries two digits
constexpr int kCwNarrowWidest = 10;  // 500 Hz; from 800 Hz up the wide filter is in line

bool isSsb(int mode) { return mode == 1 || mode == 2; }
bool isCw(int mode) { return mode == 3; }

}  // namespace

void applyFilterWidth(Panel& panel) {
    auto& state = panel.state;
    const bool speakLimits = state.quietWidth == 0;
    if (isSsb(state.mode)) {
        state.filterWidth = std::clamp(state.filterWidth, kSsbNarrowest, kSsbWidest);
        state.ssbWidth = state.filterWidth;
        if (speakLimits && state.filterWidth == kSsbWidest) playPrompt(panel, "max");
        if (speakLimits && state.filterWidth == kSsbNarrowest) playPrompt(panel, "min");
    } else if (isCw(state.mode)) {
        state.filterWidth = std::clamp(state.filterWidth, kCwNarrowest, kCwWidest);
        state.cwWidth = state.filterWidth;
        if (speakLimits && state.filterWidth == kCwWidest) playPrompt(panel, "max");
    } else {
        // The other modes have no range of their own; the index stays one the command can carry.
        state.filterWidth = std::clamp(state.filterWidth, 0, kLargestIndex);
    }
    if (speakLimits && state.filterWidth == 1) playPrompt(panel, "min");
    send(panel, "SH00" + zeroPadded(state.filterWidth, 2));
    state.quietWidth = 0;
}

void stepFilterWidthUp(Panel& panel) {
    auto& state = panel.state;
    state.quietWidth = 0;
    if (isSsb(state.mode) && state.filterWidth == kSsbWidest) state.filterWidth = kSsbWidest - 1;
    if (isCw(state.mode) && state.filterWidth > kCwWidest) state.filterWidth = kCwWidest;
    ++state.filterWidth;
    if (isCw(state.mode) && state.filterWidth == kCwNarrowWidest + 1) send(panel, "NA00");
    applyFilterWidth(panel);
}

void stepFilterWidthDown(Panel& panel) {
    auto& state = panel.state;
    state.quietWidth = 0;
    if (isSsb(state.mode) && state.filterWidth == kSsbNarrowest) state.filterWidth = kSsbNarrowest + 1;
    if (isCw(state.mode) && state.filterWidth < kCwNarrowest) state.filterWidth = kCwNarrowest - 1;
    --state.filterWidth;
    if (isCw(state.mode) && state.filterWidth == kCwNarrowWidest) send(panel, "NA01");
    applyFilterWidth(panel);
}

}  // namespace vocapan
