// A digit key: what it means depends on the entry open, in this order: the memory bank, the
// menu number and value, the offset digits, a channel to store or recall, a typed
// frequency, a band number after B, a tone code. With no entry open a digit does nothing.
#include "panel/digit_key.h"

#include "controls/band_recall.h"
#include "controls/band_stack.h"
#include "controls/frequency_entry.h"
#include "controls/memory_channels.h"
#include "panel/entry_modes.h"

namespace vocapan {

namespace {

constexpr int kBandPrefix = 1;
constexpr int kOffsetDigitsEntry = 6;
constexpr int kMenuNumberEntry = 8;
constexpr int kMenuValueEntry = 9;
constexpr int kBand10m = 10;  // the band prefix's 0

// After B: where the operator was is kept, then the band's entry is recalled.
void selectBandByDigit(Panel& panel, int digit) {
    auto& state = panel.state;
    storeBandStack(panel);
    state.band = digit == 0 ? kBand10m : digit;
    state.vfoBTarget = 0;
    recallBandEntry(panel);
    state.entryMode = 0;
}

}  // namespace

void onDigitKey(Panel& panel) {
    auto& state = panel.state;
    const bool entryOpen =
        state.entryMode != 0 || state.freqEntry != 0 || state.channelEntry != 0 || state.toneEntry != 0;
    if (!entryOpen) return;
    state.workText.clear();
    const int digit = state.keyCode - '0';
    if (state.bankDigitPending == -1) {
        chooseMemoryBank(panel);
    } else if (state.entryMode == kMenuNumberEntry) {
        typeMenuNumberDigit(panel);
    } else if (state.entryMode == kMenuValueEntry) {
        typeMenuValueDigit(panel);
    } else if (state.entryMode == kOffsetDigitsEntry) {
        typeOffsetDigit(panel);
    } else if (state.channelEntry == 1) {
        storeChannel(panel);
    } else if (state.channelEntry == 2 || state.quietRecall == 1) {
        recallChannel(panel);
    } else if (state.entryMode == 0 && state.freqEntry == 1) {
        typeFrequencyDigit(panel, digit);
    } else if (state.entryMode == kBandPrefix) {
        selectBandByDigit(panel, digit);
    } else if (state.toneEntry == 1) {
        typeToneDigit(panel);
    }
}

}  // namespace vocapan
