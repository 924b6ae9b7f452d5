// A digit key goes to the entry that is open, in this order: the memory bank after B, the
// menu number and value, the repeater offset, a channel store or recall, a typed frequency,
// the band by number after B, a tone code. With no entry open a digit does nothing.
#include "panel/digit_key.h"

#include "controls/band_recall.h"
#include "controls/band_stack.h"
#include "controls/frequency_entry.h"
#include "controls/memory_channels.h"
#include "core/panel_numbers.h"
#include "panel/entry_modes.h"

namespace vocapan {

namespace {

constexpr int kChannelStore = 1;
constexpr int kChannelRecall = 2;

bool anyEntryOpen(const PanelState& state) {
    return state.entryMode != 0 || state.freqEntry != 0 || state.channelEntry != 0 || state.toneEntry != 0;
}

// B then a digit: where the operator was is kept, and the band's entry is recalled ("0" is
// 10 m). A split still on is ended by the recall, on the radio too.
void recallBandByNumber(Panel& panel, int digit) {
    auto& state = panel.state;
    storeBandStack(panel);
    state.band = digit == 0 ? kBand10m : digit;
    recallBandEntry(panel);
    state.entryMode = 0;
}

}  // namespace

void onDigitKey(Panel& panel) {
    auto& state = panel.state;
    if (!anyEntryOpen(state)) return;
    const int digit = state.keyCode - '0';
    state.workText.clear();

    if (state.bankDigitPending == -1) {
        chooseMemoryBank(panel);
    } else if (state.entryMode == kMenuNumberEntry) {
        typeMenuNumberDigit(panel);
    } else if (state.entryMode == kMenuValueEntry) {
        typeMenuValueDigit(panel);
    } else if (state.entryMode == kOffsetDigitsEntry) {
        typeOffsetDigit(panel);
    } else if (state.channelEntry == kChannelStore) {
        storeChannel(panel);
    } else if (state.channelEntry == kChannelRecall || state.quietRecall == 1) {
        recallChannel(panel);
    } else if (state.entryMode == 0 && state.freqEntry == 1) {
        typeFrequencyDigit(panel, digit);
    } else if (state.entryMode == kBandPrefix) {
        recallBandByNumber(panel, digit);
    } else if (state.toneEntry == 1) {
        typeToneDigit(panel);
    }
}

}  // namespace vocapan
