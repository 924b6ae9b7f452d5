// The keys that act at once: monitor ("ML0n"), the next used memory channel, transmit
// ("TX1"/"TX0"), the level selection, C4FM digital voice, the spoken options list, the
// preamplifier, notch ("BC0n"), contour ("CO0000n"), the tuner ("AC"), the power ("PC"), the
// mode step, and the two-press tune sequence.
#include "panel/key_actions.h"

#include <array>
#include <string>

#include "controls/frequency_ops.h"
#include "controls/levels.h"
#include "controls/mode_change.h"
#include "controls/preamp.h"
#include "controls/tone_repeater.h"
#include "controls/transmit.h"
#include "core/number_text.h"
#include "core/panel_numbers.h"
#include "core/text_piece.h"
#include "link/command.h"
#include "memory/record_format.h"
#include "panel/digit_key.h"
#include "panel/wsjtx_link.h"
#include "speech/prompt_player.h"
#include "speech/reader_voice.h"
#include "speech/readouts_settings.h"

namespace vocapan {

namespace {

constexpr int kInternalTunerTopHz = 60000000;
constexpr int kCitizensBandHz = 27000000;  // FM is offered from here up
constexpr int kTuneBeeps = 6;
constexpr int kTunerSettlePauses = 5;

// Names of the functions L selects, by `levelTarget` 1 to 5.
constexpr std::array<const char*, 6> kLevelNames = {"", "mon", "nb", "nr", "co", "spc"};

bool isSsb(int mode) { return mode == kLsb || mode == kUsb; }

void sayOn(Panel& panel, const char* name) {
    playPrompt(panel, name);
    playPrompt(panel, "on");
}

// "PC" and the power: the character after the letters is the range, the three after it the
// watts. An answer without the letters keeps the old value.
void readPower(Panel& panel) {
    auto& state = panel.state;
    const int found = findText(state.replyText, "PC");
    if (found > 0) state.powerLevel = numberFromText(textPiece(state.replyText, found + 3, 3));
}

// --- Tune ---

// The internal tuner runs once; true when the sequence goes on to a carrier.
bool runInternalTuner(Panel& panel) {
    auto& state = panel.state;
    if (state.vfoAHz > kInternalTunerTopHz) {
        playPrompt(panel, "atu");
        playPrompt(panel, "na");
        state.tunerMode = 3;  // the carrier instead, and the tuner back on at the end
        return true;
    }
    if (state.atuEngaged == 0) {
        send(panel, "AC100");
        state.atuEngaged = 1;
    }
    send(panel, "AC103");
    state.tickCount = 0;
    for (int beep = 0; beep < kTuneBeeps; ++beep) playPrompt(panel, "beep");
    playPrompt(panel, "ok");
    if (state.tunerMode == 0) {
        playPrompt(panel, "tune");
        return false;
    }
    return true;
}

// Low power and a steady carrier mode, for the operator to key with the microphone.
void setUpCarrier(Panel& panel) {
    auto& state = panel.state;
    send(panel, "PC");
    pauseForReply(panel);
    pauseForReply(panel);
    readReply(panel);
    readPower(panel);
    if (state.tunerMode == 2 && state.atuEngaged == 0) {
        playPrompt(panel, "atu");
        playPrompt(panel, "is");
        playPrompt(panel, "off");
    }
    send(panel, state.powerRangeLow == 1 ? "PC2010" : "PC1005");
    const int hz = state.vfoAHz;
    send(panel, state.powerRangeLow == 1 ? "MD05" : "MD0B");
    state.vfoAHz = hz;
    sendFrequency(panel);
    state.txState = 1;  // the meter poll now asks for the SWR
    playPrompt(panel, "ptthold");
    if (state.swrOption == 0) playPrompt(panel, "swrwiths");
}

void endTune(Panel& panel) {
    auto& state = panel.state;
    playPrompt(panel, "off");
    state.terseReadout = 0;
    state.txState = 0;
    if (state.tunerMode > 0) {
        send(panel, "TX0");
        if (state.tunerMode == 3) state.tunerMode = 0;
        for (int pause = 0; pause < kTunerSettlePauses; ++pause) pauseForReply(panel);
        sendPower(panel);
        applyMode(panel);
    }
    state.tuning = 0;
}

}  // namespace

void toggleMonitor(Panel& panel) {
    auto& state = panel.state;
    playPrompt(panel, "mon");
    if (state.monitorOn == 0) {
        state.monitorOn = 1;
        state.levelTarget = 1;
        playPrompt(panel, "on");
        send(panel, "ML01");
    } else {
        state.monitorOn = 0;
        playPrompt(panel, "off");
        state.levelTarget = 0;
        send(panel, "ML00");
    }
}

void nextUsedSlot(Panel& panel) {
    auto& state = panel.state;
    if (state.memoryBank == kNoBank) {
        playPrompt(panel, "ncs");
        return;
    }
    const int bank = state.memoryBank;
    for (int looked = 0; looked < 10; ++looked) {
        state.memorySlot = (state.memorySlot + 1) % 10;
        if (!isStoredChannel(state.memorySlots[static_cast<std::size_t>(bank * 10 + state.memorySlot)])) continue;
        state.keyCode = '0' + state.memorySlot;
        playPrompt(panel, "channel");
        state.bankDigitPending = bank;
        state.channelEntry = 2;
        state.quietRecall = 1;
        onDigitKey(panel);
        return;
    }
    // The bank holds nothing that can be recalled any more.
    playPrompt(panel, "invalid");
    state.memoryBank = kNoBank;
}

void toggleTransmit(Panel& panel) {
    auto& state = panel.state;
    // WSJT-X stops at once too, right behind the radio, so that it neither goes on nor keys the
    // radio again at its next period; the radio is unkeyed whether or not the panel keyed it.
    // The words come once both have been told.
    if (wsjtxMayTransmit(state)) {
        ++state.sayLater;
        if (state.txState > 0) {
            silenceReader(panel);
            switchTransmit(panel);
        } else {
            send(panel, "TX0");
            playPrompt(panel, "tx");
            playPrompt(panel, "off");
        }
        haltWsjtx(panel);
        --state.sayLater;
        sayLaterPrompts(panel);
        return;
    }
    // Keying is for SSB and CW only, but a keyed transmitter always unkeys, whatever mode a
    // key stepped to meanwhile.
    if (state.txState == 0 && !transmitAllowed(state)) {
        playPrompt(panel, "na");
        return;
    }
    // Unkeying is heard at once, not behind what the screen reader is still saying.
    if (state.txState > 0) silenceReader(panel);
    switchTransmit(panel);
}

void selectLevel(Panel& panel) {
    auto& state = panel.state;
    if (state.levelTarget > 0 && state.levelTarget < static_cast<int>(kLevelNames.size())) {
        state.entryMode = kLevelEntry;
        playPrompt(panel, kLevelNames[static_cast<std::size_t>(state.levelTarget)]);
    }
    playPrompt(panel, "lev");
}

void toggleDigital(Panel& panel) {
    auto& state = panel.state;
    if (state.mode < kNarrowFm) return;
    if (state.mode == kC4fm) {
        state.mode = state.fmWide == 1 ? kFm : kNarrowFm;
        applyMode(panel);
        // A code that was still being typed is no tone to bring back; a DCS code comes back
        // as DCS.
        if (toneField(state.savedToneCode) != kNoTone) {
            state.toneCode = state.savedToneCode;
            state.toneEntry = 1;
            resumeTone(panel);
        }
    } else {
        state.savedToneCode = state.toneCode;
        state.mode = kC4fm;
        applyMode(panel);
    }
    sayMode(panel);
}

void listOptions(Panel& panel) {
    auto& state = panel.state;
    playPrompt(panel, "options");
    if (state.preampLevel > 0) {
        playPrompt(panel, "preamp");
        sayOn(panel, state.preampLevel == 1 ? "1" : "2");
    }
    if (state.attOn == 1) sayOn(panel, "at");
    if (state.nbOn == 1) sayOn(panel, "nb");
    if (state.nrOn == 1) sayOn(panel, "nr");
    if (state.notchOn == 1) sayOn(panel, "notch");
    if (state.contourOn == 1) sayOn(panel, "co");
    if (state.procOn == 1 && isSsb(state.mode)) sayOn(panel, "spc");
    if (state.breakInOn == 1 && state.mode == kCw) sayOn(panel, "bkin");
    if (state.voxOn == 1) sayOn(panel, "vox");
    if (state.monitorOn == 1) sayOn(panel, "mon");
    if (state.toneCode != kNoTone) {
        playPrompt(panel, !state.toneCode.empty() && state.toneCode.front() > '3' ? "dcs" : "ctcss");
        for (const char c : state.toneCode) playPrompt(panel, std::string(1, c));
    }
    playPrompt(panel, state.antenna2 == 0 ? "ant1" : "ant2");
    playPrompt(panel, "tuner");
    playPrompt(panel, "is");
    playPrompt(panel, state.tunerMode == 0 ? "on" : state.tunerMode == 1 ? "off" : "both");
}

void stepPreampKey(Panel& panel) {
    auto& state = panel.state;
    const int levels = state.band <= 11 ? 3 : 2;  // VHF and UHF have one stage
    state.preampLevel = (state.preampLevel + 1) % levels;
    applyPreamp(panel);
}

void toggleNotch(Panel& panel) {
    auto& state = panel.state;
    playPrompt(panel, "notch");
    playPrompt(panel, state.notchOn == 0 ? "on" : "off");
    send(panel, state.notchOn == 0 ? "BC01" : "BC00");
    state.notchOn = 1 - state.notchOn;
}

void toggleContour(Panel& panel) {
    auto& state = panel.state;
    if (state.mode == kCw) {
        playPrompt(panel, "na");
        return;
    }
    state.levelTarget = 4;
    playPrompt(panel, "co");
    if (state.contourOn == 0) {
        state.contourOn = 1;
        playPrompt(panel, "on");
        send(panel, "CO00001");
    } else {
        state.contourOn = 0;
        playPrompt(panel, "off");
        state.levelTarget = 0;
        send(panel, "CO00000");
    }
}

void stepTuner(Panel& panel) {
    auto& state = panel.state;
    state.atuEngaged = 0;
    playPrompt(panel, "tuner");
    if (state.tunerMode == 1) {
        send(panel, "AC100");
        playPrompt(panel, "on");
        state.tunerMode = 0;
    } else if (state.tunerMode == 0) {
        send(panel, "AC100");
        playPrompt(panel, "both");
        state.tunerMode = 2;
    } else {
        send(panel, "AC000");
        playPrompt(panel, "off");
        state.tunerMode = 1;
    }
}

void openPower(Panel& panel) {
    auto& state = panel.state;
    query(panel, "PC");
    readPower(panel);
    playPrompt(panel, "Power");
    state.entryMode = kPowerEntry;
    sayPower(panel);
}

void tune(Panel& panel) {
    auto& state = panel.state;
    playPrompt(panel, "tune");
    if (state.tuning == 1) {
        endTune(panel);
        return;
    }
    playPrompt(panel, "on");
    state.tuning = 1;
    const bool internalTuner = state.tunerMode == 0 || state.tunerMode == 2;
    if (internalTuner && !runInternalTuner(panel)) {
        endTune(panel);  // the tuner has done the work; nothing is left switched on
        return;
    }
    setUpCarrier(panel);
}

void stepMode(Panel& panel) {
    auto& state = panel.state;
    int mode = state.mode + 1;
    if (state.fmWide == 1 ? mode == 8 : mode > kNarrowFm) mode = kLsb;
    if (mode == kC4fm) mode = kLsb;  // digital voice is D's alone, even from narrow FM
    if (mode == kNarrowFm && state.band <= 9) mode = kLsb;
    if (mode > kAm && state.vfoAHz < kCitizensBandHz) mode = kLsb;
    if (mode == kNarrowFm && state.fmWide == 1) mode = kFm;
    if (mode == kFm && state.fmWide == 0) mode = kNarrowFm;
    state.mode = mode;
    applyMode(panel);
    sayMode(panel);
}

}  // namespace vocapan
