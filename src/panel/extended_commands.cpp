// The second layer of keys behind X: antenna 1 or 2 ("EX030704n") for comparing them by the
// S-meter, the AGC ("GT0n"), the repeater offset entry, narrow or wide FM, the VFO swap
// ("SV"); and the F readout of the frequency, or of the repeater's transmit frequency.
#include <string>

#include "controls/mode_change.h"
#include "controls/repeater_offsets.h"
#include "core/key_codes.h"
#include "core/number_text.h"
#include "core/panel_numbers.h"
#include "core/text_piece.h"
#include "link/command.h"
#include "panel/entry_modes.h"
#include "speech/prompt_player.h"
#include "speech/readouts_settings.h"

namespace vocapan {

namespace {

constexpr int kAgcPrompts = 4;
constexpr const char* kAgcWords[kAgcPrompts + 1] = {"", "fast", "mid", "slow", "auto"};

std::string& currentEntry(PanelState& state) { return state.bandStack[static_cast<std::size_t>(state.band)]; }

bool isBandNumber(int band) { return band >= 1 && band <= 14; }

void speakEach(Panel& panel, const std::string& text) {
    for (const char c : text) playPrompt(panel, c == '.' ? "point" : std::string(1, c));
}

// Digits of a frequency in Hz with the point before the last six, for `sayFrequency`:
// "145.600000", "7.100000", "0.500000".
std::string megahertzText(std::string digits) {
    const std::size_t first = digits.find_first_not_of('0');
    digits = first == std::string::npos ? std::string() : digits.substr(first);
    if (digits.size() < 7) digits.insert(0, 7 - digits.size(), '0');
    digits.insert(digits.size() - 6, ".");
    return digits;
}

// The frequency the readout speaks in place of the displayed one: the transmit frequency of
// a repeater shift, or in split VFO A (the band entry's). Empty when neither applies.
std::string otherFrequency(Panel& panel) {
    auto& state = panel.state;
    if (state.repeaterOn == 1) {
        long long hz = state.vfoAHz;
        // Where the radio transmits: the offset its menu took, in the direction the shift
        // command gave.
        if (hasRepeaterOffset(state.band)) {
            const RepeaterOffset offset = workingOffset(state, state.band);
            const long long shift = numberFromText(offsetTheRadioTakes(state.band, offset.digits)) * 1000LL;
            hz += shiftsUp(state.band, offset.sign) ? shift : -shift;
        }
        return decimalText(hz);
    }
    if (state.vfoBTarget == 1 && isBandNumber(state.band)) {
        playPrompt(panel, "vfoa");
        return textPiece(currentEntry(state), 4, 9);
    }
    return {};
}

}  // namespace

void toggleExtendedMode(Panel& panel) {
    auto& state = panel.state;
    playPrompt(panel, "extcm");
    if (state.entryMode == kExtended) {
        state.entryMode = 0;
        playPrompt(panel, "off");
    } else {
        state.entryMode = kExtended;
        playPrompt(panel, "on");
    }
}

void switchAntenna(Panel& panel) {
    auto& state = panel.state;
    if (state.powerRangeLow == 0 || state.band == 12 || state.band == 13) {
        playPrompt(panel, "na");
        state.entryMode = 0;
        return;
    }
    playPrompt(panel, state.antenna2 == 0 ? "ant2" : "ant1");
    send(panel, state.antenna2 == 0 ? "EX0307041" : "EX0307040");
    state.antenna2 = 1 - state.antenna2;
    state.terseReadout = 2;  // S now reads the meter without its leading word
}

void stepAgc(Panel& panel) {
    auto& state = panel.state;
    state.agcMode = state.agcMode >= 1 && state.agcMode < kAgcPrompts ? state.agcMode + 1 : 1;
    send(panel, "GT0" + decimalText(state.agcMode));
    playPrompt(panel, "agc");
    playPrompt(panel, kAgcWords[state.agcMode]);
}

void openOffsetEntry(Panel& panel) {
    auto& state = panel.state;
    // Only the bands with a repeater offset have one to enter; X stays open elsewhere.
    if (!hasRepeaterOffset(state.band)) return;
    playPrompt(panel, "eofs");
    state.entryMode = kOffsetSignEntry;
    state.offsetText.clear();
}

void setOffsetSign(Panel& panel) {
    auto& state = panel.state;
    const bool plus = state.keyCode == vk::kPlus;
    state.offsetText = plus ? "+" : "-";
    playPrompt(panel, plus ? "plus" : "minus");
    state.entryMode = kOffsetDigitsEntry;
}

void toggleFmWidth(Panel& panel) {
    auto& state = panel.state;
    if (state.mode == kNarrowFm) {
        state.mode = kFm;
        state.fmWide = 1;
    } else if (state.mode == kFm) {
        state.mode = kNarrowFm;
        state.fmWide = 0;
    }
    applyMode(panel);
    sayMode(panel);
    state.entryMode = 0;
}

void swapVfos(Panel& panel) {
    auto& state = panel.state;
    if (!isBandNumber(state.band)) return;
    std::string& entry = currentEntry(state);
    const std::string vfoA = textPiece(entry, 4, 9);
    const std::string vfoB = textPiece(entry, 14, 9);
    // A repeater entry holds its shift where VFO B belongs: there is nothing to swap with.
    if (vfoA.size() != 9 || vfoB.find_first_not_of("0123456789") != std::string::npos || vfoB.size() != 9) {
        playPrompt(panel, "na");
        return;
    }
    playPrompt(panel, "swop");
    send(panel, "SV");
    entry.replace(3, 9, vfoB);
    entry[12] = 'B';
    entry.replace(13, 9, vfoA);
}

void sayFrequencyReadout(Panel& panel) {
    auto& state = panel.state;
    if (state.entryMode == kExtended) {
        const std::string other = otherFrequency(panel);
        if (!other.empty()) {
            state.workText = state.freqDisplayText;
            state.freqDisplayText = megahertzText(other);
            state.readoutOther = 1;
            sayFrequency(panel);
            state.readoutOther = 0;
            state.freqDisplayText = state.workText;
            sayMode(panel);
            state.entryMode = 0;
            return;
        }
    }
    state.entryMode = 0;
    sayFrequency(panel);
    sayMode(panel);
    if (state.toneEntry == 1) {
        const bool dcs = !state.toneCode.empty() && state.toneCode.front() > '4';
        playPrompt(panel, dcs ? "dcs" : "ctcss");
        speakEach(panel, textPiece(state.toneCode, 1, 3));
    }
}

}  // namespace vocapan
