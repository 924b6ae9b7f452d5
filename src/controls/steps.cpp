// Up and Down by the entry mode the operator opened last: the frequency by 1 kHz (500 Hz in
// CW), the band, the filter width, power, RF and AF gain, the selected function's level,
// keyer speed and mic gain, each held in its limits with "max" or "min" at a limit.
#include "controls/steps.h"

#include "controls/band_step.h"
#include "controls/filter_width.h"
#include "controls/frequency_ops.h"
#include "controls/levels.h"
#include "core/panel_numbers.h"
#include "speech/prompt_player.h"

namespace vocapan {

namespace {

constexpr int kNoEntry = 0;

enum LevelTarget { kMonitor = 1, kNoiseBlanker = 2, kNoiseReduction = 3, kContour = 4, kProcessor = 5 };

// The value is put back inside `limit` with the limit word, when it went past it.
void holdAbove(Panel& panel, int& value, int above, int limit, const char* word) {
    if (value <= above) return;
    value = limit;
    playPrompt(panel, word);
}

void holdBelow(Panel& panel, int& value, int below, int limit, const char* word) {
    if (value >= below) return;
    value = limit;
    playPrompt(panel, word);
}

// The limit word after the command, whenever the value sits on the limit.
void sayAtLimit(Panel& panel, int value, int limit, const char* word) {
    if (value == limit) playPrompt(panel, word);
}

void frequencyStep(Panel& panel, int direction) {
    auto& state = panel.state;
    state.vfoAHz += direction * (state.mode == kCw ? 500 : 1000);
    if (direction < 0 && state.vfoAHz < kLowestTunedHz) state.vfoAHz = kLowestTunedHz;
}

// Watts: single steps up to 10 W, tens above. The low range runs 1 to 10 W, the high range
// 5 to 100 W, and 50 W at most on 2 m, 70 cm and outside the amateur bands.
void powerUp(Panel& panel) {
    auto& state = panel.state;
    state.powerLevel += state.powerLevel < 10 ? 1 : 10;
    if (state.powerRangeLow == 1) {
        if (state.band >= kBand2m) holdAbove(panel, state.powerLevel, 49, 50, "max");
        holdAbove(panel, state.powerLevel, 99, 100, "max");
    } else {
        holdAbove(panel, state.powerLevel, 9, 10, "max");
    }
    sendPower(panel);
}

void powerDown(Panel& panel) {
    auto& state = panel.state;
    state.powerLevel -= state.powerLevel <= 10 ? 1 : 10;
    const int lowest = state.powerRangeLow == 1 ? 5 : 1;
    if (state.powerLevel <= lowest) playPrompt(panel, "min");
    if (state.powerLevel < lowest) state.powerLevel = lowest;
    sendPower(panel);
}

void rfGainUp(Panel& panel) {
    auto& state = panel.state;
    state.rfGain += 20;
    if (state.rfGain > 240) state.rfGain = 255;
    sendRfGain(panel);
    sayAtLimit(panel, state.rfGain, 255, "max");
}

void rfGainDown(Panel& panel) {
    auto& state = panel.state;
    state.rfGain -= 20;
    if (state.rfGain < 20) state.rfGain = 0;
    sendRfGain(panel);  // says "min" at 0
}

void afGainStep(Panel& panel, int direction) {
    auto& state = panel.state;
    state.afGainMain += direction * 10;
    if (state.afGainMain > 250) state.afGainMain = 250;
    if (state.afGainMain < 0) state.afGainMain = 0;
    sendAfGain(panel);
    if (direction > 0) sayAtLimit(panel, state.afGainMain, 250, "max");
    if (direction < 0) sayAtLimit(panel, state.afGainMain, 0, "min");
}

void levelUp(Panel& panel) {
    auto& state = panel.state;
    switch (state.levelTarget) {
        case kMonitor:
            state.monitorLevel += 5;
            holdAbove(panel, state.monitorLevel, 99, 100, "max");
            sendMonitorLevel(panel);
            break;
        case kNoiseBlanker:
            holdAbove(panel, ++state.nbLevel, 9, 10, "max");
            sendNoiseBlankerLevel(panel);
            break;
        case kNoiseReduction:
            holdAbove(panel, ++state.nrLevel, 9, 10, "max");
            sendNoiseReductionLevel(panel);
            break;
        case kContour:
            state.contourFreq += 100;
            if (state.contourFreq > 3200) state.contourFreq = 3200;
            sendContour(panel);
            sayAtLimit(panel, state.contourFreq, 3200, "max");
            break;
        case kProcessor:
            state.procLevel += 10;
            holdAbove(panel, state.procLevel, 100, 100, "max");
            sendProcessorLevel(panel);
            break;
        default:
            break;
    }
}

void levelDown(Panel& panel) {
    auto& state = panel.state;
    switch (state.levelTarget) {
        case kMonitor:
            state.monitorLevel -= 5;
            holdBelow(panel, state.monitorLevel, 5, 1, "min");
            sendMonitorLevel(panel);
            break;
        case kNoiseBlanker:
            holdBelow(panel, --state.nbLevel, 2, 1, "min");
            sendNoiseBlankerLevel(panel);
            break;
        case kNoiseReduction:
            holdBelow(panel, --state.nrLevel, 2, 1, "min");
            sendNoiseReductionLevel(panel);
            break;
        case kContour:
            state.contourFreq -= 100;
            if (state.contourFreq < 100) state.contourFreq = 10;
            sendContour(panel);
            sayAtLimit(panel, state.contourFreq, 10, "min");
            break;
        case kProcessor:
            state.procLevel -= 10;
            holdBelow(panel, state.procLevel, 1, 0, "min");
            sendProcessorLevel(panel);
            break;
        default:
            break;
    }
}

void keyerSpeedStep(Panel& panel, int direction) {
    auto& state = panel.state;
    state.keyerSpeed += direction;
    if (state.keyerSpeed > 60) state.keyerSpeed = 60;
    if (state.keyerSpeed < 4) state.keyerSpeed = 4;
    if (direction > 0) sayAtLimit(panel, state.keyerSpeed, 60, "max");
    if (direction < 0) sayAtLimit(panel, state.keyerSpeed, 4, "min");
    sendKeyerSpeed(panel);
}

void micGainStep(Panel& panel, int direction) {
    auto& state = panel.state;
    state.micGain += direction;
    holdAbove(panel, state.micGain, 100, 100, "max");
    holdBelow(panel, state.micGain, 0, 0, "min");
    state.micPeak = 0;  // the peak of the old gain means nothing at the new one
    sendMicGain(panel);
}

}  // namespace

void stepUp(Panel& panel) {
    switch (panel.state.entryMode) {
        case kNoEntry:
            frequencyStep(panel, +1);  // the key rules send it
            break;
        case kBandPrefix:
            bandStepUp(panel);
            break;
        case kFilterWidthEntry:
            stepFilterWidthUp(panel);
            break;
        case kPowerEntry:
            powerUp(panel);
            break;
        case kRfGainEntry:
            rfGainUp(panel);
            break;
        case kAfGainEntry:
            afGainStep(panel, +1);
            break;
        case kLevelEntry:
            levelUp(panel);
            break;
        case kKeyerSpeedEntry:
            keyerSpeedStep(panel, +1);
            break;
        case kMicGainEntry:
            micGainStep(panel, +1);
            break;
        default:
            break;
    }
}

void stepDown(Panel& panel) {
    switch (panel.state.entryMode) {
        case kNoEntry:
            frequencyStep(panel, -1);
            break;
        case kBandPrefix:
            bandStepDown(panel);
            break;
        case kFilterWidthEntry:
            stepFilterWidthDown(panel);
            break;
        case kPowerEntry:
            powerDown(panel);
            break;
        case kRfGainEntry:
            rfGainDown(panel);
            break;
        case kAfGainEntry:
            afGainStep(panel, -1);
            break;
        case kLevelEntry:
            levelDown(panel);
            break;
        case kKeyerSpeedEntry:
            keyerSpeedStep(panel, -1);
            break;
        case kMicGainEntry:
            micGainStep(panel, -1);
            break;
        default:
            break;
    }
}

}  // namespace vocapan
