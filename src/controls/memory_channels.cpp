// Memory channels: the store writes the current band, frequencies, mode, split or repeater
// shift, tone and preamplifier into a 28-character record and saves the memory file; the
// recall puts a record back on the radio ("ST", "BS", "FA", "MD", "OS", "CN", "CT", "PA").
#include "controls/memory_channels.h"

#include "controls/band_select.h"
#include "controls/band_stack.h"
#include "controls/frequency_ops.h"
#include "controls/mode_change.h"
#include "controls/preamp.h"
#include "controls/repeater_offsets.h"
#include "controls/tone_repeater.h"
#include "core/number_text.h"
#include "core/panel_numbers.h"
#include "core/text_piece.h"
#include "link/command.h"
#include "memory/memory_file.h"
#include "memory/record_format.h"
#include "speech/prompt_player.h"

namespace vocapan {

namespace {

constexpr int kGeneralCoverage = 14;
constexpr int kDcsFrom = 500;  // codes from 500 up are DCS codes, below CTCSS tone numbers

int typedDigit(const Panel& panel) { return panel.state.keyCode - '0'; }

// Index into `memorySlots` of channel `digit` in the pending bank.
std::size_t slotIndex(const PanelState& state, int digit) {
    const int bank = state.bankDigitPending >= 0 && state.bankDigitPending <= 9 ? state.bankDigitPending : 0;
    return static_cast<std::size_t>(bank * 10 + digit);
}

bool isFm(int mode) { return mode == 5 || mode == 7; }

std::string digitText(int value) { return decimalText(value).substr(0, 1); }

// "B" and nine digits: a VFO B text a report has filled.
bool isVfoBText(const std::string& text) {
    return text.size() == 10 && text[0] == 'B' && text.find_first_not_of("0123456789", 1) == std::string::npos;
}

// "A" and VFO A, then "B" and VFO B or the repeater shift: the part of a record after the
// band number and before the tone.
std::string frequencyFields(Panel& panel, bool shifted) {
    auto& state = panel.state;
    if (state.band == kGeneralCoverage) {
        // Outside the amateur bands the frequency is the radio's own; in split VFO B keeps
        // the transmit frequency here too.
        const std::string digits = zeroPadded(state.vfoAHz, 9);
        const bool splitB = state.vfoBTarget == 1 && isVfoBText(state.vfoBText);
        return "A" + digits + (splitB ? state.vfoBText : "B" + digits);
    }
    const std::string& entry = state.bandStack[static_cast<std::size_t>(state.band)];
    state.vfoAText = textPiece(entry, 3, 10);
    if (shifted) {
        // The band's entry gives the frequency, the working offset the shift.
        state.scratchText2 = "5" + digitText(state.mode) + state.vfoAText + "B";
        appendRepeaterShift(panel);
        return state.scratchText2.substr(2);
    }
    // In split the VFO B report is the transmit frequency; before one has come, the band's
    // entry holds it.
    if (state.vfoBTarget == 0) {
        state.vfoBText = "B" + textPiece(state.vfoAText, 2, 9);
    } else if (!isVfoBText(state.vfoBText)) {
        state.vfoBText = textPiece(entry, 13, 10);
    }
    return state.vfoAText + state.vfoBText;
}

// The offset of a recalled repeater channel becomes the band's working offset and goes to
// the radio's offset menu.
void takeRecalledOffset(Panel& panel, const std::string& record) {
    auto& state = panel.state;
    if (!hasRepeaterOffset(state.band)) return;
    const RepeaterOffset working = workingOffset(state, state.band);
    working.sign = textPiece(record, 16, 1);
    working.digits = textPiece(record, 21, 4);
    send(panel, offsetCommand(state, state.band));
}

void restoreShift(Panel& panel, const std::string& record) {
    auto& state = panel.state;
    takeRecalledOffset(panel, record);
    state.repeaterOn = 0;
    // The same direction as the shift key gives the band, so that the channel transmits
    // where it did when it was stored.
    send(panel, shiftsUp(state.band, textPiece(record, 16, 1)) ? "OS01" : "OS02");
    // Said even by U's quiet recall: the operator must know the transmitter is shifted.
    playPrompt(panel, "repeater");
    playPrompt(panel, "on");
    state.repeaterOn = 1;
}

void restoreTone(Panel& panel, const std::string& record) {
    auto& state = panel.state;
    state.toneCode = textPiece(record, 25, 3);
    if (isFm(state.mode) && state.toneCode != kNoTone) {
        state.toneEntry = 1;
        state.dcsSelected = numberFromText(state.toneCode) >= kDcsFrom ? 1 : 0;
        state.toneApplying = 0;
        applyTone(panel);
    } else {
        state.toneEntry = 0;
        state.toneCode = kNoTone;
        send(panel, "CT00");
    }
}

// Nothing usable in the channel: the radio is not touched, and U has no bank to step in.
void refuseRecall(Panel& panel) {
    auto& state = panel.state;
    playPrompt(panel, "invalid");
    state.channelEntry = 0;
    state.memoryBank = kNoBank;
}

}  // namespace

void chooseMemoryBank(Panel& panel) {
    auto& state = panel.state;
    state.bankDigitPending = typedDigit(panel);
    sayDigit(panel, state.bankDigitPending);
    playPrompt(panel, "channel");
}

void storeChannel(Panel& panel) {
    auto& state = panel.state;
    const int digit = typedDigit(panel);
    sayDigit(panel, digit);
    // A shift belongs only to the bands that have a repeater offset; elsewhere the channel is
    // stored as simplex or split.
    const bool shifted = state.repeaterOn == 1 && hasRepeaterOffset(state.band);
    const std::string kind = shifted ? "5" : digitText(state.vfoBTarget);
    const std::string tone = state.toneEntry == 1 ? toneField(state.toneCode) : std::string(kNoTone);
    state.memorySlots[slotIndex(state, digit)] = kind + digitText(state.mode) + zeroPadded(state.band, 2) +
                                                 frequencyFields(panel, shifted) + tone + digitText(state.preampLevel);
    saveMemories(panel);
    playPrompt(panel, "ok");
    state.channelEntry = 0;
}

void recallChannel(Panel& panel) {
    auto& state = panel.state;
    const int digit = typedDigit(panel);
    sayDigit(panel, digit);
    const std::string record = state.memorySlots[slotIndex(state, digit)];
    state.memoryBank = state.bankDigitPending;
    state.memorySlot = digit;
    if (!isStoredChannel(record)) {
        refuseRecall(panel);
        return;
    }

    state.tickCount = 0;
    const char kind = record[0];
    // Split takes effect after both VFOs are set, so that VFO A's frequency goes to VFO A;
    // a repeater channel works without it.
    if (kind == '5') {
        endSplit(panel);
        state.repeaterOn = 1;
    } else if (kind == '1') {
        if (state.quietRecall != 1) playPrompt(panel, "split");
        send(panel, "ST1");
    } else {
        send(panel, "ST0");
    }
    state.vfoBTarget = 0;
    state.programSplit = 0;  // the channel's split is the operator's

    state.band = numberFromText(textPiece(record, 3, 2));
    selectBand(panel);
    state.splitSaveText = textPiece(record, 5, 10);
    send(panel, "FA" + textPiece(record, 6, 9));
    if (kind == '1') send(panel, "FB" + textPiece(record, 16, 9));  // the transmit frequency

    state.mode = record[1] - '0';
    state.memoryRecalled = 1;
    applyMode(panel);  // ends a shift still on; a repeater channel switches its own on again
    // Split only now: the old shift ending above must not take the channel's split with it.
    if (kind == '1') state.vfoBTarget = 1;
    if (kind == '5') restoreShift(panel, record);

    // A frequency report already on its way was asked for before the recall; the report
    // after it speaks the recalled frequency.
    state.skipFreqReport = 1;
    state.announceAfterRecall = 1;
    restoreTone(panel, record);

    const char preamp = record.back();
    state.preampLevel = preamp == '1' ? 1 : preamp == '2' ? 2 : 0;
    send(panel, preampCommand(state.band, state.preampLevel));
    state.channelEntry = 0;
}

}  // namespace vocapan
