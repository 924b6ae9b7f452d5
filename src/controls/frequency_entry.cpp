// Tuning from the keyboard: the step keys ("FA" and nine digits, or the FM squelch "SQ0nnn"),
// the snap to a whole kilohertz, a frequency typed in megahertz after E, and split on VFO B
// ("ST1"/"ST0").
#include "controls/frequency_entry.h"

#include <algorithm>
#include "controls/levels.h"

#include "controls/band_select.h"
#include "controls/band_stack.h"
#include "controls/frequency_ops.h"
#include "controls/mode_change.h"
#include "controls/preamp.h"
#include "controls/tone_repeater.h"
#include "core/key_codes.h"
#include "core/number_text.h"
#include "core/panel_numbers.h"
#include "core/text_piece.h"
#include "link/command.h"
#include "speech/prompt_player.h"

namespace vocapan {

namespace {

constexpr int kHighestTypedMhz = 449;
constexpr int kNoTypedFrequency = 999;
// A tenth digit makes a typed frequency too long to send; it stays too long from there.
constexpr int kLongestTypedFrequency = 99999999;
constexpr int kTooLongTypedFrequency = 1000000000;

bool isFm(int mode) { return mode == kNarrowFm || mode == kFm; }
bool isVhfOrUhf(int band) { return band == kBand2m || band == kBand70cm; }

void switchRepeaterShiftOff(Panel& panel) {
    if (panel.state.repeaterOn == 1) toggleRepeaterShift(panel);
}

void stepFrequency(Panel& panel, int hz) {
    auto& state = panel.state;
    state.vfoAHz += hz;
    if (hz < 0) state.vfoAHz = std::max(state.vfoAHz, kLowestTunedHz);
}

// In FM Right and Left set the squelch: single steps low down, tens higher up.
void stepSquelch(Panel& panel, int direction) {
    auto& state = panel.state;
    int& level = state.squelchLevel;
    if (direction > 0) {
        level += level < 20 ? 1 : 10;
        if (level > 255) {
            level = 255;
            playPrompt(panel, "max");
        }
    } else {
        if (level == 245) level = 240;
        level -= level < 30 ? 1 : 10;
        if (level < 1) {
            level = 0;
            playPrompt(panel, "0");
        }
    }
    sendSquelch(panel);
}

// Step keys change the frequency; false when the key set the squelch instead.
bool stepByKey(Panel& panel) {
    auto& state = panel.state;
    switch (state.keyCode) {
        case vk::kPlus:
            stepFrequency(panel, 1000000);
            switchRepeaterShiftOff(panel);
            break;
        case vk::kMinus:
            stepFrequency(panel, -1000000);
            switchRepeaterShiftOff(panel);
            break;
        case vk::kPageUp:
            if (state.mode > kCw && isVhfOrUhf(state.band)) {
                stepFrequency(panel, 12500);  // the FM channel raster of 2 m and 70 cm
                switchRepeaterShiftOff(panel);
            } else {
                stepFrequency(panel, 10000);
            }
            break;
        case vk::kPageDown:
            if (state.mode == kNarrowFm && isVhfOrUhf(state.band)) {
                stepFrequency(panel, -12500);
                switchRepeaterShiftOff(panel);
            } else {
                stepFrequency(panel, -10000);
            }
            break;
        case vk::kRight:
        case vk::kLeft: {
            const int direction = state.keyCode == vk::kRight ? 1 : -1;
            if (isFm(state.mode)) {
                stepSquelch(panel, direction);
                return false;
            }
            stepFrequency(panel, direction * (state.mode == kCw ? 10 : 100));
            break;
        }
        default:
            break;
    }
    return true;
}

// The entry is dropped whole: nothing typed counts any more.
void resetFrequencyEntry(Panel& panel) {
    auto& state = panel.state;
    state.entryMode = 0;
    state.typedFreq = 0;
    state.freqEntry = 0;
    state.pointTyped = 0;
}

// The band the typed megahertz lie in. Tone squelch ends with the old band, and split ends
// outside the amateur bands.
void bandOfTypedMhz(Panel& panel) {
    auto& state = panel.state;
    state.band = kGeneralCoverageBand;
    if (state.toneEntry == 1) {
        send(panel, "CT00");
        state.toneEntry = 0;
        state.toneCode = "999";
    }
    state.band = bandOfMhz(state.typedFreq);
    if (state.band == kGeneralCoverageBand) endSplit(panel);
}

void leaveForTypedBand(Panel& panel) {
    storeBandStack(panel);
    bandOfTypedMhz(panel);
    panel.state.typedBand = panel.state.band;
}

// The typed band's mode, and its split when the band was left in split; the radio is told
// when split changes, so that VFO A and B mean the same to both.
void takeBandMode(Panel& panel) {
    auto& state = panel.state;
    const std::string& entry = state.bandStack[static_cast<std::size_t>(state.band)];
    state.mode = numberFromText(textPiece(entry, 2, 1));
    const int split = textPiece(entry, 1, 1) == "1" ? 1 : 0;
    if (split != state.vfoBTarget) {
        send(panel, split == 1 ? "ST1" : "ST0");
        state.programSplit = 0;  // the band's own split takes over
    }
    state.vfoBTarget = split;
    applyMode(panel);
}

// The typed digits as a frequency command: one or two megahertz digits get leading zeros,
// the rest is filled with zeros to nine digits. Empty when it cannot be a frequency.
std::string typedFrequencyCommand(Panel& panel) {
    auto& state = panel.state;
    std::string digits = decimalText(state.typedFreq);
    if (state.typedMhzDigits == 1) digits.insert(0, "00");
    if (state.typedMhzDigits == 2) digits.insert(0, "0");
    state.pointTyped = 0;
    std::string command = "FA" + digits;
    if (command.size() > 11 || state.typedMhzDigits > 3) return {};
    command.resize(11, '0');
    return command;
}

// The band entry's VFO-B frequency becomes `digits`; the rest of the entry stays as it is.
void writeVfoBIntoBandEntry(Panel& panel, const std::string& digits) {
    auto& state = panel.state;
    if (state.rawVfoHold == 1 || state.band < 1 || state.band > kGeneralCoverageBand) return;
    std::string& entry = state.bandStack[static_cast<std::size_t>(state.band)];
    if (entry.size() < 22 || digits.size() != 9) return;
    entry.replace(13, 9, digits);
}

void splitOn(Panel& panel) {
    auto& state = panel.state;
    playPrompt(panel, "split");
    const std::string& last = state.lastFreqCommand;
    // The VFO and frequency last sent; before any frequency command, VFO A where it is.
    state.splitSaveText = last.size() == 12 ? last.substr(1, 10) : "A" + zeroPadded(state.vfoAHz, 9);
    send(panel, "ST1");
    writeVfoBIntoBandEntry(panel, state.splitSaveText.substr(1));
    send(panel, "F" + state.splitSaveText);  // goes out as "FB": VFO B starts where A was
}

// Split off: VFO A back where it was when split began; the band entry keeps what VFO B
// last reported.
void splitOff(Panel& panel) {
    auto& state = panel.state;
    state.vfoBTarget = 0;
    send(panel, "ST0");
    send(panel, "F" + state.splitSaveText);
    if (state.vfoBText.size() == 10) writeVfoBIntoBandEntry(panel, state.vfoBText.substr(1));
}

}  // namespace

void stepFrequencyAndSend(Panel& panel) {
    if (!stepByKey(panel)) return;
    send(panel, "FA" + zeroPadded(panel.state.vfoAHz, 9));
}

void snapToKhz(Panel& panel) {
    auto& state = panel.state;
    const int below = state.vfoAHz % 1000;
    state.vfoAHz -= below;
    if (state.mode == kUsb) {
        state.vfoAHz += 1000;  // the next kilohertz above
    } else if (below == 0) {
        state.vfoAHz -= 1000;  // already whole: the one below
    }
    sendFrequency(panel);
}

void openFrequencyEntry(Panel& panel) {
    auto& state = panel.state;
    state.typedFreq = 0;
    state.entryMode = 0;
    playPrompt(panel, "EF");
    state.typedMhzDigits = 0;
    state.freqEntry = 1;
    state.pointTyped = 0;
}

void typeFrequencyDigit(Panel& panel, int digit) {
    auto& state = panel.state;
    if (state.pointTyped == 0) ++state.typedMhzDigits;
    if (state.typedFreq <= kLongestTypedFrequency) {
        state.typedFreq = state.typedFreq * 10 + digit;
    } else {
        state.typedFreq = kTooLongTypedFrequency;
    }
    sayDigit(panel, digit);
}

void typeFrequencyPoint(Panel& panel) {
    auto& state = panel.state;
    // A point with no entry open, or a second point, is refused like a wrong frequency.
    const bool misplaced = state.freqEntry == 0 || state.pointTyped == 1;
    if (misplaced || state.typedFreq > kHighestTypedMhz || state.typedFreq < 1) {
        playPrompt(panel, "invalid");
        resetFrequencyEntry(panel);
        return;
    }
    leaveForTypedBand(panel);
    state.pointTyped = 1;
    playPrompt(panel, "point");
}

void finishFrequencyEntry(Panel& panel) {
    auto& state = panel.state;
    state.tickCount = 0;
    state.freqEntry = 0;
    if (state.pointTyped == 0) leaveForTypedBand(panel);
    state.band = state.typedBand;
    selectBand(panel);
    takeBandMode(panel);
    // So few digits in FM are an AM broadcast frequency.
    if (state.typedFreq < 25 && isFm(state.mode)) {
        state.mode = kAm;
        applyMode(panel);
    }
    const std::string command = typedFrequencyCommand(panel);
    if (command.empty()) {
        playPrompt(panel, "invalid");
        state.typedMhzDigits = 0;
        return;
    }
    send(panel, command);
    state.skipFreqReport = 1;  // the next report may still be of the frequency left
    state.band = state.typedBand;
    const std::string& entry = state.bandStack[static_cast<std::size_t>(state.band)];
    const std::string preamp = textPiece(entry, 26, 1);
    state.preampLevel = preamp == "1" ? 1 : preamp == "2" ? 2 : 0;
    applyPreamp(panel);
    playPrompt(panel, "ok");
}

void toggleSplit(Panel& panel) {
    auto& state = panel.state;
    if (state.programSplit != 0) {
        endProgramSplit(panel);
        return;
    }
    if (state.band == kGeneralCoverageBand) {
        playPrompt(panel, "split");
        playPrompt(panel, "invalid");
        return;
    }
    state.entryMode = 0;
    // On 10 m and above, FM works repeaters: V switches the repeater shift instead.
    if (state.band >= kBand10m && state.mode >= kNarrowFm) {
        toggleRepeaterShift(panel);
        return;
    }
    state.vfoBTarget = 1 - state.vfoBTarget;
    if (state.vfoBTarget == 1) {
        splitOn(panel);
    } else {
        splitOff(panel);
        playPrompt(panel, "split");
        playPrompt(panel, "off");
    }
}

void startProgramSplit(Panel& panel, int connection, int txHz) {
    auto& state = panel.state;
    playPrompt(panel, "split");
    send(panel, "ST1");
    send(panel, "FB" + zeroPadded(txHz, 9));
    state.programTxHz = txHz;
    state.programSplit = connection;
}

void endProgramSplit(Panel& panel) {
    auto& state = panel.state;
    send(panel, "ST0");
    state.programSplit = 0;
    state.programTxHz = 0;
    playPrompt(panel, "split");
    playPrompt(panel, "off");
}

}  // namespace vocapan
