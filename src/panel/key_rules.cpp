// The ordered key rules of the panel window. Each rule looks at the key and the state, and
// either ends the key or lets it go on to the next rule; the order is the behaviour, so it is
// one table, read from the top, with a name for every rule.
#include "panel/key_rules.h"

#include <array>
#include <string>

#include "controls/band_recall.h"
#include "controls/band_stack.h"
#include "controls/frequency_entry.h"
#include "controls/on_off.h"
#include "controls/steps.h"
#include "core/key_codes.h"
#include "core/number_text.h"
#include "core/panel_numbers.h"
#include "link/command.h"
#include "panel/digit_key.h"
#include "panel/entry_modes.h"
#include "panel/key_actions.h"
#include "speech/phrases.h"
#include "speech/prompt_player.h"
#include "speech/readouts_meters.h"
#include "speech/readouts_settings.h"

namespace vocapan {

namespace {

constexpr int kGeneralCoverageKey = 15;  // the band prefix's U; the recall maps it to entry 14

// The key as the transcript shows it: "*C/R" for Enter, "*." for either point key,
// "*a (1)" for pad 1 (the character of the key's code, then the digit), else "*" and the
// character of the key's code.
std::string keyLogLine(int code) {
    if (code == vk::kEnter) return "*C/R";
    if (code == vk::kPoint || code == vk::kNumpadPoint) return "*.";
    const std::string keyCharacter(1, static_cast<char>(code));
    if (vk::isNumpadDigit(code)) return "*" + keyCharacter + " (" + decimalText(code - vk::kNumpad0) + ")";
    return "*" + keyCharacter;
}

// --- Conditions: the key being handled and the state it meets ---

int key(const Panel& panel) { return panel.state.keyCode; }
bool keyIs(const Panel& panel, int code) { return key(panel) == code; }
bool entryIs(const Panel& panel, int mode) { return panel.state.entryMode == mode; }
bool isEnter(const Panel& panel) { return keyIs(panel, vk::kEnter); }
bool isDigitKey(const Panel& panel) { return vk::isDigit(key(panel)); }
bool isRightOrLeft(const Panel& panel) { return keyIs(panel, vk::kRight) || keyIs(panel, vk::kLeft); }
bool isUpOrDown(const Panel& panel) { return keyIs(panel, vk::kUp) || keyIs(panel, vk::kDown); }
bool isOneOf(const Panel& panel, std::initializer_list<int> codes) {
    for (const int code : codes)
        if (keyIs(panel, code)) return true;
    return false;
}

// --- Actions that belong to the key map itself ---

Then ends(Panel&, int) { return Then::End; }

Then takeKey(Panel& panel, int pressed) {
    auto& state = panel.state;
    state.keyCode = pressed;
    state.keyDown = 1;
    state.rawVfoHold = 0;
    return Then::Continue;
}

Then logKey(Panel& panel, int pressed) {
    writeDebugLine(panel, keyLogLine(pressed));
    return Then::Continue;
}

Then say(Panel& panel, const char* prompt) {
    playPrompt(panel, prompt);
    return Then::End;
}

Then quit(Panel& panel, int) {
    auto& state = panel.state;
    playPrompt(panel, "quit");
    if (state.connected == 0) {
        state.running = 0;
    } else {
        send(panel, "TX0");
        state.txState = 0;        // the transmitter is off now
        state.quitCountdown = 1;  // the second following frequency report ends the session
    }
    return Then::End;
}

// The band prefix's letter keys: where the operator was is kept, then the band's entry
// is recalled without the old tone.
// S closes the prefix only after the recall; the other letters close it before.
enum class PrefixCloses { BeforeRecall, AfterRecall };

Then recallLetterBand(Panel& panel, int band, PrefixCloses closes, bool sayBandWord = false) {
    auto& state = panel.state;
    storeBandStack(panel);
    state.toneCode = "999";
    if (closes == PrefixCloses::BeforeRecall) state.entryMode = 0;
    state.band = band;
    if (sayBandWord) playPrompt(panel, "band");
    recallBandEntry(panel);
    state.entryMode = 0;
    return Then::End;
}

Then sMeterOrBand13(Panel& panel, int) {
    auto& state = panel.state;
    if (entryIs(panel, kBandPrefix)) return recallLetterBand(panel, kBand70cm, PrefixCloses::AfterRecall);
    if (state.tuning == 1 || state.txState > 0) {
        saySwr(panel);
    } else {
        saySMeter(panel);
    }
    return Then::End;
}

Then bandOrBank(Panel& panel, int) {
    auto& state = panel.state;
    if (state.channelEntry > 0) {
        playPrompt(panel, "bank");
        state.bankDigitPending = -1;
    } else {
        state.entryMode = kBandPrefix;
        playPrompt(panel, "band");
        sayBand(panel);
    }
    return Then::End;
}

Then snapKey(Panel& panel, int) {
    playPrompt(panel, "0");
    playPrompt(panel, "ok");
    if (panel.state.mode == kCw) {
        send(panel, "ZI");
    } else {
        snapToKhz(panel);
    }
    return Then::End;
}

Then filterWidthKey(Panel& panel, int) {
    const int mode = panel.state.mode;
    if (mode == kAm || mode == kNarrowFm || mode == kFm) return Then::End;
    panel.state.entryMode = kFilterWidthEntry;
    sayFilterWidth(panel);
    return Then::End;
}

Then processorKey(Panel& panel, int) {
    const int mode = panel.state.mode;
    if (mode == kLsb || mode == kUsb) {
        toggleProcessor(panel);
    } else {
        playPrompt(panel, "na");
    }
    return Then::End;
}

Then functionKey(Panel& panel, int) {
    switch (key(panel)) {
        case vk::kF2:
            toggleAttenuator(panel);
            break;
        case vk::kF3:
            toggleNoiseBlanker(panel);
            break;
        case vk::kF4:
            toggleNoiseReduction(panel);
            break;
        default:
            break;
    }
    return Then::Continue;
}

Then breakInOrVox(Panel& panel, int) {
    if (panel.state.mode == kCw) {
        toggleBreakIn(panel);
    } else {
        toggleVox(panel);
    }
    return Then::Continue;
}

Then finishTypedFrequency(Panel& panel, int) {
    if (panel.state.freqEntry != 0) finishFrequencyEntry(panel);
    return Then::End;
}

// Adapters from an operation to a rule's action.
template <void (*Operation)(Panel&)>
Then andEnd(Panel& panel, int) {
    Operation(panel);
    return Then::End;
}

template <void (*Operation)(Panel&)>
Then andContinue(Panel& panel, int) {
    Operation(panel);
    return Then::Continue;
}

// --- The rules, in order ---

constexpr auto kRules = std::to_array<KeyRule>({
    // A letter is the same with or without Shift: Shift is never a key of its own, and
    // holding it does not hold back the key pressed with it.
    {"0a Shift only accompanies a key", [](const Panel&, int pressed) { return pressed == vk::kShift; }, ends},
    {"1 a held key acts once", [](const Panel& p, int) { return p.state.keyDown == 1; }, ends},
    {"2 the key is taken", [](const Panel&, int) { return true; }, takeKey},
    {"3 the key is written to the transcript", [](const Panel& p, int) { return p.state.debugLog == 1; }, logKey},
    {"4 Backspace says the last phrase again and sends nothing",
     [](const Panel& p, int) { return keyIs(p, vk::kBackspace); }, andEnd<sayLastPhraseAgain>},
    {"5 while tuning only S and T act",
     [](const Panel& p, int) {
         return p.state.tuning == 1 && !isOneOf(p, {'S', 'T'});
     },
     [](Panel& p, int) { return say(p, "ton"); }},
    {"6 an untyped tone code is dropped by another key",
     [](const Panel& p, int) {
         return p.state.toneEntry == 1 && p.state.toneCode == "999" && !isEnter(p) && !isDigitKey(p);
     },
     [](Panel& p, int) {
         p.state.toneEntry = 0;
         return Then::Continue;
     }},
    {"7 Q quits", [](const Panel& p, int) { return keyIs(p, 'Q'); }, quit},
    {"8 nothing acts before the radio is connected",
     [](const Panel& p, int) { return p.state.connected == 0 || p.state.vfoAHz == 0; },
     [](Panel& p, int) { return say(p, "nc"); }},
    {"8a a key other than J, Up, Down and Enter leaves the digital-mode entry",
     [](const Panel& p, int) {
         return entryIs(p, kDigitalEntry) && !isOneOf(p, {'J', vk::kUp, vk::kDown, vk::kEnter});
     },
     [](Panel& p, int) {
         p.state.entryMode = 0;
         return Then::Continue;
     }},
    {"9 band prefix X recalls 6 m", [](const Panel& p, int) { return entryIs(p, kBandPrefix) && keyIs(p, 'X'); },
     [](Panel& p, int) { return recallLetterBand(p, kBand6m, PrefixCloses::BeforeRecall); }},
    {"10 X opens or closes the extended layer", [](const Panel& p, int) { return keyIs(p, 'X'); },
     andEnd<toggleExtendedMode>},
    {"11 extended C switches the antenna", [](const Panel& p, int) { return keyIs(p, 'C') && entryIs(p, kExtended); },
     andEnd<switchAntenna>},
    {"12 a key other than S ends the antenna comparison",
     [](const Panel& p, int) { return p.state.terseReadout == 2 && !keyIs(p, 'S'); },
     [](Panel& p, int) {
         p.state.terseReadout = 0;
         p.state.entryMode = 0;
         return Then::Continue;
     }},
    {"13 S reads the meter, or band prefix S recalls 70 cm", [](const Panel& p, int) { return keyIs(p, 'S'); },
     sMeterOrBand13},
    {"14 extended A steps the AGC", [](const Panel& p, int) { return keyIs(p, 'A') && entryIs(p, kExtended); },
     andEnd<stepAgc>},
    {"15 Enter before an offset sign speaks the standard offset",
     [](const Panel& p, int) { return isEnter(p) && entryIs(p, kOffsetSignEntry); },
     [](Panel& p, int) { return announceStandardOffset(p) ? Then::End : Then::Continue; }},
    {"16 Enter after the offset digits checks and stores them",
     [](const Panel& p, int) { return isEnter(p) && entryIs(p, kOffsetDigitsEntry); },
     [](Panel& p, int) { return checkAndStoreOffset(p) ? Then::End : Then::Continue; }},
    {"17 extended O opens the offset entry", [](const Panel& p, int) { return keyIs(p, 'O') && entryIs(p, kExtended); },
     andEnd<openOffsetEntry>},
    {"18 Right and Left step the sub receiver's AF gain",
     [](const Panel& p, int) { return isRightOrLeft(p) && entryIs(p, kAfGainEntry); }, andEnd<stepSubAfGain>},
    {"19 Right and Left step the sub receiver's RF gain",
     [](const Panel& p, int) { return isRightOrLeft(p) && entryIs(p, kRfGainEntry); }, andEnd<stepSubRfGain>},
    {"20 another key only closes the extended layer; Space unkeys too",
     [](const Panel& p, int) {
         return entryIs(p, kExtended) && !isOneOf(p, {'M', 'F', 'S', 'X'});
     },
     [](Panel& p, int) {
         p.state.entryMode = 0;
         return keyIs(p, vk::kSpace) && p.state.txState > 0 ? Then::Continue : Then::End;
     }},
    {"21 F9 switches the monitor", [](const Panel& p, int) { return keyIs(p, vk::kF9); }, andContinue<toggleMonitor>},
    {"22 modifier keys do nothing",
     [](const Panel& p, int) { return isOneOf(p, {vk::kCtrl, vk::kInsert, vk::kLeftWindows}); }, ends},
    {"23 a key other than Up and Down stops mic-level metering",
     [](const Panel& p, int) { return p.state.micMeter > 0 && !isUpOrDown(p); },
     [](Panel& p, int) {
         stopMicMetering(p);
         return keyIs(p, vk::kF11) ? Then::End : Then::Continue;
     }},
    {"24 pad digits are the digits", [](const Panel& p, int) { return vk::isNumpadDigit(key(p)); },
     [](Panel& p, int) {
         p.state.keyCode = '0' + (p.state.keyCode - vk::kNumpad0);
         return Then::Continue;
     }},
    {"25 the pad point is the point", [](const Panel& p, int) { return keyIs(p, vk::kNumpadPoint); },
     [](Panel& p, int) {
         p.state.keyCode = vk::kPoint;
         return Then::Continue;
     }},
    {"26 another key closes the keyer-speed entry",
     [](const Panel& p, int) { return entryIs(p, kKeyerSpeedEntry) && !isOneOf(p, {'K', vk::kUp, vk::kDown}); },
     andContinue<closeKeyerSpeedEntry>},
    {"27 band prefix T recalls 2 m", [](const Panel& p, int) { return entryIs(p, kBandPrefix) && keyIs(p, 'T'); },
     [](Panel& p, int) { return recallLetterBand(p, kBand2m, PrefixCloses::BeforeRecall); }},
    {"28 band prefix U recalls general coverage",
     [](const Panel& p, int) { return entryIs(p, kBandPrefix) && keyIs(p, 'U'); },
     [](Panel& p, int) { return recallLetterBand(p, kGeneralCoverageKey, PrefixCloses::BeforeRecall, true); }},
    {"29 U recalls the next used memory slot", [](const Panel& p, int) { return keyIs(p, 'U'); }, andEnd<nextUsedSlot>},
    {"30 a recall is announced again; the bank is forgotten", [](const Panel&, int) { return true; },
     [](Panel& p, int) {
         p.state.quietRecall = 0;
         if (!isOneOf(p, {'S', 'F'})) p.state.memoryBank = kNoBank;
         return Then::Continue;
     }},
    {"31 B opens the band prefix, or the bank in a channel entry", [](const Panel& p, int) { return keyIs(p, 'B'); },
     bandOrBank},
    {"32 a key other than a digit ends the channel entry",
     [](const Panel& p, int) { return p.state.channelEntry > 0 && !isDigitKey(p); },
     [](Panel& p, int) {
         p.state.channelEntry = 0;
         p.state.bankDigitPending = 0;
         return Then::Continue;
     }},
    {"32a J opens the digital-mode entry when WSJT-X is listened to",
     [](const Panel& p, int) { return keyIs(p, 'J') && p.state.wsjtxListening == 1; }, andEnd<openDigitalEntry>},
    {"32b Up and Down step the calls WSJT-X heard",
     [](const Panel& p, int) { return entryIs(p, kDigitalEntry) && isUpOrDown(p); }, andEnd<stepDigitalChoice>},
    {"32c Enter answers the selected call in WSJT-X",
     [](const Panel& p, int) { return entryIs(p, kDigitalEntry) && isEnter(p); }, andEnd<answerDigitalChoice>},
    {"33 Space switches transmit", [](const Panel& p, int) { return keyIs(p, vk::kSpace); }, andEnd<toggleTransmit>},
    {"34 L selects the level", [](const Panel& p, int) { return keyIs(p, 'L'); }, andEnd<selectLevel>},
    {"35 K opens or closes the keyer-speed entry", [](const Panel& p, int) { return keyIs(p, 'K'); },
     andEnd<toggleKeyerSpeedEntry>},
    {"36 D switches digital voice", [](const Panel& p, int) { return keyIs(p, 'D'); }, andEnd<toggleDigital>},
    {"37 I switches the tone squelch", [](const Panel& p, int) { return keyIs(p, 'I'); }, andEnd<toggleToneSquelch>},
    {"38 H starts the spoken help", [](const Panel& p, int) { return keyIs(p, 'H'); },
     [](Panel& p, int) {
         playPromptAsync(p, "help.wav");
         return Then::End;
     }},
    {"39 N opens the menu entry", [](const Panel& p, int) { return keyIs(p, 'N') && p.state.toneEntry != 1; },
     andEnd<openMenuEntry>},
    {"40 Enter after the menu number", [](const Panel& p, int) { return isEnter(p) && entryIs(p, kMenuNumberEntry); },
     andEnd<finishMenuNumber>},
    {"41 Enter after the menu value", [](const Panel& p, int) { return isEnter(p) && entryIs(p, kMenuValueEntry); },
     andEnd<readOrWriteMenu>},
    {"42 O lists the options", [](const Panel& p, int) { return keyIs(p, 'O'); }, andEnd<listOptions>},
    {"43 C opens the channel store", [](const Panel& p, int) { return keyIs(p, 'C'); },
     [](Panel& p, int) {
         p.state.channelEntry = 1;
         return say(p, "sch");
     }},
    {"44 G opens the channel recall", [](const Panel& p, int) { return keyIs(p, 'G'); },
     [](Panel& p, int) {
         p.state.channelEntry = 2;
         return say(p, "gch");
     }},
    {"45 A opens the AF gain entry", [](const Panel& p, int) { return keyIs(p, 'A'); },
     [](Panel& p, int) {
         p.state.entryMode = kAfGainEntry;
         return say(p, "af");
     }},
    {"46 E opens the frequency entry", [](const Panel& p, int) { return keyIs(p, 'E'); },
     andContinue<openFrequencyEntry>},
    {"47 the point of a typed frequency", [](const Panel& p, int) { return keyIs(p, vk::kPoint); },
     andEnd<typeFrequencyPoint>},
    {"48 Enter after a tone code checks it",
     [](const Panel& p, int) { return isEnter(p) && p.state.toneEntry == 1 && p.state.freqEntry == 0; },
     andEnd<checkToneCode>},
    {"49 Enter after a typed frequency tunes it",
     [](const Panel& p, int) { return isEnter(p) && p.state.typedFreq != 999; }, finishTypedFrequency},
    {"50 V switches split", [](const Panel& p, int) { return keyIs(p, 'V'); }, andEnd<toggleSplit>},
    {"51 Z snaps to the kilohertz", [](const Panel& p, int) { return keyIs(p, 'Z'); }, snapKey},
    {"52 F1 steps the preamplifier", [](const Panel& p, int) { return keyIs(p, vk::kF1); }, andContinue<stepPreampKey>},
    {"53 F2 to F4 switch attenuator, noise blanker, noise reduction",
     [](const Panel& p, int) { return isOneOf(p, {vk::kF2, vk::kF3, vk::kF4}); }, functionKey},
    {"54 a digit", [](const Panel& p, int) { return isDigitKey(p); }, andEnd<onDigitKey>},
    {"55 F5 switches the notch", [](const Panel& p, int) { return keyIs(p, vk::kF5); }, andContinue<toggleNotch>},
    {"56 F6 switches the contour", [](const Panel& p, int) { return keyIs(p, vk::kF6); }, andEnd<toggleContour>},
    {"57 F7 switches the speech processor in SSB", [](const Panel& p, int) { return keyIs(p, vk::kF7); }, processorKey},
    {"58 F8 switches break-in in CW, else VOX", [](const Panel& p, int) { return keyIs(p, vk::kF8); }, breakInOrVox},
    {"59 F12 steps the tuner", [](const Panel& p, int) { return keyIs(p, vk::kF12); }, andEnd<stepTuner>},
    {"60 F speaks the frequency readout", [](const Panel& p, int) { return keyIs(p, 'F'); },
     andEnd<sayFrequencyReadout>},
    {"61 P opens the power entry", [](const Panel& p, int) { return keyIs(p, 'P'); }, andEnd<openPower>},
    {"62 F11 reads the mic gain and meters the mic", [](const Panel& p, int) { return keyIs(p, vk::kF11); },
     andEnd<openMicGain>},
    {"63 R opens the RF gain entry", [](const Panel& p, int) { return keyIs(p, 'R'); },
     [](Panel& p, int) {
         playPrompt(p, "rf");
         p.state.entryMode = kRfGainEntry;
         return Then::Continue;
     }},
    {"64 T tunes", [](const Panel& p, int) { return keyIs(p, 'T'); }, andEnd<tune>},
    {"65 W opens the filter width entry", [](const Panel& p, int) { return keyIs(p, 'W'); }, filterWidthKey},
    {"66 extended M swaps narrow FM and FM", [](const Panel& p, int) { return entryIs(p, kExtended); },
     andEnd<toggleFmWidth>},
    {"67 M steps the mode", [](const Panel& p, int) { return keyIs(p, 'M'); }, andEnd<stepMode>},
    {"68 Up", [](const Panel& p, int) { return keyIs(p, vk::kUp); }, andContinue<stepUp>},
    {"69 Down", [](const Panel& p, int) { return keyIs(p, vk::kDown); }, andContinue<stepDown>},
    {"70 the offset's sign",
     [](const Panel& p, int) { return entryIs(p, kOffsetSignEntry) && isOneOf(p, {vk::kPlus, vk::kMinus}); },
     andEnd<setOffsetSign>},
    {"71 an open entry keeps the frequency where it is",
     [](const Panel& p, int) { return !entryIs(p, 0) && !entryIs(p, kFilterWidthEntry); }, ends},
    {"72 the frequency is stepped and sent", [](const Panel&, int) { return true; }, andEnd<stepFrequencyAndSend>},
});

}  // namespace

std::span<const KeyRule> keyRules() { return kRules; }

void onKeyUp(Panel& panel, int code) {
    // Shift let go before the letter does not free the letter's auto-repeat.
    if (code != vk::kShift) panel.state.keyDown = 0;
}

void onKeyDown(Panel& panel, int code) {
    for (const KeyRule& rule : kRules) {
        if (!rule.applies(panel, code)) continue;
        if (rule.act(panel, code) == Then::End) return;
    }
}

}  // namespace vocapan
