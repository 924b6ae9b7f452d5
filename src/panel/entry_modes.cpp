// Entry modes typed after a prefix key: the repeater offset, the sub receiver's gains
// ("AG1", "RG1"), the mic gain with mic-level metering ("MG"), the keyer speed ("KS", "BI"),
// the radio's menu ("EX" number and value) and the tone squelch code ("CN", "CT").
#include "panel/entry_modes.h"

#include <string>

#include "controls/mode_change.h"
#include "controls/repeater_offsets.h"
#include "controls/tone_repeater.h"
#include "core/key_codes.h"
#include "core/number_text.h"
#include "core/panel_numbers.h"
#include "core/text_piece.h"
#include "display/function_line.h"
#include "link/command.h"
#include "speech/prompt_player.h"
#include "speech/readouts_meters.h"
#include "speech/readouts_settings.h"

namespace vocapan {

namespace {

constexpr std::size_t kMenuNumberLength = 6;
constexpr int kGainStep = 10;
constexpr int kGainTop = 255;
constexpr int kDcsFrom = 500;

int typedDigit(const Panel& panel) { return panel.state.keyCode - '0'; }

// The digit is added to `text` and spoken.
void typeDigitInto(Panel& panel, std::string& text) {
    const int digit = typedDigit(panel);
    text = limitText(text + decimalText(digit));
    sayDigit(panel, digit);
}

void speakEach(Panel& panel, const std::string& text) {
    for (const char c : text) playPrompt(panel, c == '.' ? "point" : std::string(1, c));
}

// "plus" or "minus", then the offset's characters from `from` on, then "khz".
void sayOffset(Panel& panel, const std::string& offset, int from) {
    playPrompt(panel, textPiece(offset, 1, 1) == "+" ? "plus" : "minus");
    speakEach(panel, textPiece(offset, from, kTextLimit));
    playPrompt(panel, "khz");
}

// The value after "XX" in `replyText` (three characters), or `current` when the radio's
// answer does not hold it.
int valueAfter(const PanelState& state, const char* letters, int current) {
    const int found = findText(state.replyText, letters);
    return found > 0 ? numberFromText(textPiece(state.replyText, found + 2, 3)) : current;
}

// Right raises by ten up to the top, Left lowers by ten down to 0; "max" or "min" at the end.
void stepSubGain(Panel& panel, int& gain, const std::string& command) {
    const bool up = panel.state.keyCode == vk::kRight;
    if (up) {
        gain += kGainStep;
        if (gain > 250) gain = kGainTop;
    } else {
        gain -= kGainStep;
        if (gain < kGainStep) gain = 0;
    }
    send(panel, command + zeroPadded(gain, 3));
    if (up && gain > 249) playPrompt(panel, "max");
    if (!up && gain == 0) playPrompt(panel, "min");
}

// The mode the keyer-speed entry replaced comes back, and break-in if it was on.
void restoreKeyerMode(Panel& panel) {
    auto& state = panel.state;
    state.entryMode = 0;
    state.mode = state.savedMode;
    applyMode(panel);
}

void restoreBreakIn(Panel& panel) {
    if (panel.state.breakInOn == 1) send(panel, "BI1");
}

// A code the radio's menus know: tone numbers 0 to 49, DCS codes 500 to 503 and 700 to 803,
// typed with one to three digits.
bool isToneCode(const std::string& code) {
    if (code.empty() || code.size() > 3) return false;
    const int value = numberFromText(code);
    return value < 50 || (value >= 500 && value <= 503) || (value >= 700 && value <= 803);
}

}  // namespace

// --- Repeater offset ---

bool announceStandardOffset(Panel& panel) {
    auto& state = panel.state;
    if (state.repeaterOn == 1) {
        playPrompt(panel, "rio");
        state.entryMode = 0;
        return true;
    }
    state.offsetText.clear();
    if (hasRepeaterOffset(state.band)) {
        const RepeaterOffset standard = configuredOffset(state, state.band);
        state.offsetText = standard.sign + offsetTheRadioTakes(state.band, standard.digits);
    }
    sayBand(panel);
    playPrompt(panel, "std");
    sayOffset(panel, state.offsetText, textPiece(state.offsetText, 2, 1) == "0" ? 3 : 2);
    state.entryMode = 0;
    return false;
}

bool checkAndStoreOffset(Panel& panel) {
    auto& state = panel.state;
    std::string& offset = state.offsetText;
    if (offset.size() < 4 || offset.size() > 5) {
        playPrompt(panel, "ofs");
        playPrompt(panel, "invalid");
        state.entryMode = 0;
        return true;
    }
    // What the band's offset menu can hold is what is stored and spoken.
    offset = offset.substr(0, 1) + offsetTheRadioTakes(state.band, offset.substr(1));
    sayBand(panel);
    playPrompt(panel, "ofs");
    sayOffset(panel, offset, 2);
    if (offset.size() == 4) offset.insert(1, "0");  // +600 is +0600
    if (hasRepeaterOffset(state.band)) {
        const RepeaterOffset standard = configuredOffset(state, state.band);
        standard.sign = offset.substr(0, 1);
        standard.digits = offset.substr(1, 4);
    }
    state.entryMode = 0;
    return false;
}

void typeOffsetDigit(Panel& panel) { typeDigitInto(panel, panel.state.offsetText); }

// --- Sub receiver gains ---

void stepSubAfGain(Panel& panel) { stepSubGain(panel, panel.state.afGainSub, "AG1"); }
void stepSubRfGain(Panel& panel) { stepSubGain(panel, panel.state.rfGainSub, "RG1"); }

// --- Mic gain and mic-level metering ---

void openMicGain(Panel& panel) {
    auto& state = panel.state;
    playPrompt(panel, "micgain");
    state.entryMode = kMicGainEntry;
    state.tickCount = 0;
    playPrompt(panel, "lev");
    query(panel, "MG");
    state.micGain = valueAfter(state, "MG", state.micGain);
    state.micPeak = state.micGain;
    state.micMeter = -1;
    sayMicLevel(panel);
    pauseForReply(panel);
    state.micPeak = 0;
    state.micMeter = 1;  // the poll now asks for the mic level and keeps its peak
}

void stopMicMetering(Panel& panel) {
    auto& state = panel.state;
    state.micMeter = -1;
    playPrompt(panel, "micgain");
    playPrompt(panel, "lev");
    state.micPeak = state.micGain;
    sayMicLevel(panel);
    state.micMeter = 0;
    state.micPeak = 0;
    playPrompt(panel, "off");
}

// --- Keyer speed ---

void toggleKeyerSpeedEntry(Panel& panel) {
    auto& state = panel.state;
    playPrompt(panel, "ks");
    if (state.entryMode == kKeyerSpeedEntry) {
        restoreKeyerMode(panel);
        playPrompt(panel, "off");
        sayKeyerSpeed(panel);
        restoreBreakIn(panel);
        return;
    }
    // The speed is set in CW with break-in off, so the operator can try it on the key.
    state.savedMode = state.mode;
    state.mode = kCw;
    applyMode(panel);
    state.entryMode = kKeyerSpeedEntry;
    query(panel, "KS");
    state.keyerSpeed = valueAfter(state, "KS", state.keyerSpeed);
    playPrompt(panel, "on");
    send(panel, "BI0");
    sayKeyerSpeed(panel);
}

void closeKeyerSpeedEntry(Panel& panel) {
    restoreKeyerMode(panel);
    restoreBreakIn(panel);
}

// --- The radio's menu ---

void openMenuEntry(Panel& panel) {
    auto& state = panel.state;
    state.entryMode = kMenuNumberEntry;
    state.menuNumber.clear();
    playPrompt(panel, "mn");
}

void finishMenuNumber(Panel& panel) {
    auto& state = panel.state;
    state.entryMode = kMenuValueEntry;
    if (state.menuNumber.size() != kMenuNumberLength) {
        playPrompt(panel, "invalid");
        state.entryMode = 0;
        return;
    }
    playPrompt(panel, "mp");
    state.menuValue.clear();
}

void readOrWriteMenu(Panel& panel) {
    auto& state = panel.state;
    // The poll must not take the menu's answer away from the read below.
    state.pollHold = 1;
    if (state.menuValue.empty()) {
        pauseForReply(panel);
        readReply(panel);  // what was still waiting would hide the answer
        send(panel, "EX" + state.menuNumber);
        pauseForReply(panel);
        readReply(panel);
        const int end = findText(state.replyText, ";");
        if (end > 0) speakEach(panel, textPiece(state.replyText, 9, end - 9));
    } else {
        send(panel, "EX" + state.menuNumber + state.menuValue);
        playPrompt(panel, "ok");
    }
    state.entryMode = 0;
    state.pollHold = 0;
}

void typeMenuNumberDigit(Panel& panel) { typeDigitInto(panel, panel.state.menuNumber); }
void typeMenuValueDigit(Panel& panel) { typeDigitInto(panel, panel.state.menuValue); }

// --- Tone squelch ---

void toggleToneSquelch(Panel& panel) {
    auto& state = panel.state;
    if (state.mode != kNarrowFm && state.mode != kFm) {
        playPrompt(panel, "wrong");
        playPrompt(panel, "mode");
        return;
    }
    state.freqEntry = 0;
    state.entryMode = 0;
    if (state.toneEntry == 1) {
        send(panel, "CT00");
        state.toneEntry = 0;
        const bool dcs = !state.toneCode.empty() && state.toneCode.front() > '4' && state.dcsSelected == 1;
        playPrompt(panel, dcs ? "dcs" : "ctcss");
        playPrompt(panel, "off");
        state.toneCode = "999";
        return;
    }
    playPrompt(panel, "ecd");
    state.toneEntry = 1;
    state.toneCode.clear();
}

void checkToneCode(Panel& panel) {
    auto& state = panel.state;
    state.dcsSelected = 0;
    if (!isToneCode(state.toneCode)) {
        playPrompt(panel, "invalid");
        state.toneEntry = 0;
        state.toneCode = "999";
        drawFunctionLine(panel);
        return;
    }
    // The radio's tone command and the stored records take the code in three digits.
    const int value = numberFromText(state.toneCode);
    state.toneCode = zeroPadded(value, 3);
    state.toneApplying = 1;
    if (value >= kDcsFrom) state.dcsSelected = 1;
    applyTone(panel);
    state.toneApplying = 0;
}

void typeToneDigit(Panel& panel) { typeDigitInto(panel, panel.state.toneCode); }

}  // namespace vocapan
