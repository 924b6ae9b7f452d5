#include "controls/mode_change.h"

#include <array>

#include "controls/band_select.h"
#include "controls/filter_width.h"
#include "controls/frequency_ops.h"
#include "controls/tone_repeater.h"
#include "core/band_table.h"
#include "core/number_text.h"
#include "core/panel_numbers.h"
#include "core/text_piece.h"
#include "display/function_line.h"
#include "display/mode_line.h"
#include "link/command.h"

namespace vocapan {

namespace {

constexpr int kCwNarrowBelow = 11;  // CW width indices below this use the narrow filter

enum class WidthSource { Ssb, Cw, Unchanged };

// Where each mode takes its filter width from, by mode number 1 to 7; index 0 unused.
constexpr std::array<WidthSource, kModeCount + 1> kWidthSources{
    WidthSource::Unchanged, WidthSource::Ssb,       WidthSource::Ssb,       WidthSource::Cw,
    WidthSource::Unchanged, WidthSource::Unchanged, WidthSource::Unchanged, WidthSource::Unchanged,
};

bool isFm(int mode) { return mode == 5 || mode == 7; }

// The squelch of an FM mode as the radio holds it; without an answer the old level stays.
void readSquelch(Panel& panel) {
    auto& state = panel.state;
    readReply(panel);  // anything still waiting would hide the answer
    pauseForReply(panel);
    send(panel, "SQ0");
    pauseForReply(panel);
    readReply(panel);
    const int found = findText(state.replyText, "SQ");
    if (found > 0) state.squelchLevel = numberFromText(textPiece(state.replyText, found + 3, 3));
}

// The band entry's frequency and, in SSB and CW, its filter width; the mode goes back into
// the entry.
void restoreBandEntry(Panel& panel) {
    auto& state = panel.state;
    if (state.band >= 1 && state.band <= kBandCount) {
        state.vfoAHz = numberFromText(textPiece(state.bandStack[static_cast<std::size_t>(state.band)], 4, 9));
        sendFrequency(panel);
    }
    if (state.mode >= 1 && state.mode <= kCw) applyFilterWidth(panel);
    storeBandMode(panel);
}

}  // namespace

void applyMode(Panel& panel) {
    auto& state = panel.state;
    // The panel's own mode change is not spoken again when the radio shows it; a mode other
    // software sets through the relay is.
    if (state.rawVfoHold != 1) state.heardMode = state.mode;
    state.quietWidth = 1;

    if (state.repeaterOn == 1) toggleRepeaterShift(panel);
    if (state.toneEntry == 1) {
        send(panel, "CT00");
        state.toneCode = "999";
        state.toneEntry = 0;
    }

    // A mode number outside the table has no command and no name; nothing is sent for it.
    const bool known = state.mode >= 1 && state.mode <= kModeCount;
    drawModeLine(panel);
    if (known) {
        const WidthSource width = kWidthSources[static_cast<std::size_t>(state.mode)];
        state.workText = state.modeCommand[static_cast<std::size_t>(state.mode)];
        if (width == WidthSource::Ssb) state.filterWidth = state.ssbWidth;
        if (width == WidthSource::Cw) state.filterWidth = state.cwWidth;
        if (state.rawVfoHold != 1) sendCommand(panel);
    }
    send(panel, state.mode == kCw && state.filterWidth < kCwNarrowBelow ? "NA01" : "NA00");
    drawFunctionLine(panel);

    if (isFm(state.mode)) {
        readSquelch(panel);
        return;
    }
    // After a memory recall, or while other software drives the radio through the relay, the
    // radio stays where it was put; the band entry would take it elsewhere.
    if (state.memoryRecalled != 1 && state.rawVfoHold != 1) restoreBandEntry(panel);
}

int modeOfCommand(const PanelState& state, const std::string& modeCommand) {
    for (int mode = 1; mode <= kModeCount; ++mode) {
        if (state.modeCommand[static_cast<std::size_t>(mode)] == modeCommand) return mode;
    }
    return 0;
}

}  // namespace vocapan
