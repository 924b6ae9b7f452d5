#include "network/rig_values.h"

#include <array>
#include <cstdlib>

#include "core/band_table.h"
#include "core/number_text.h"
#include "core/panel_numbers.h"

namespace vocapan {

namespace {

// By panel mode number; index 0 unused. AM and the FM modes keep the radio's fixed filters.
constexpr std::array<std::string_view, kModeCount + 1> kRigModeNames{"", "LSB", "USB", "CW", "AM", "FMN", "C4FM", "FM"};
// The data modes: the radio's audio path for data is the operator's concern, so each is the
// voice mode it rides on.
struct DataMode {
    std::string_view name;
    int mode;
};
constexpr std::array<DataMode, 3> kDataModes{{{"PKTLSB", kLsb}, {"PKTUSB", kUsb}, {"PKTFM", kFm}}};
constexpr std::array<int, kModeCount + 1> kFixedPassbands{0, 0, 0, 0, 6000, 9000, 12500, 16000};

constexpr int kSsbNarrowest = 9, kSsbWidest = 21;
constexpr int kCwNarrowest = 1, kCwWidest = 12;

// SSB indices 9 and 10 are 1.8 and 1.9 kHz, 11 to 19 are 2.1 to 2.9 kHz, 20 and 21 are 3.0
// and 3.1 kHz, as the filter-width readout speaks them.
int ssbWidthHz(int index) {
    if (index <= 10) return 1800 + (index - kSsbNarrowest) * 100;
    if (index >= 20) return 3000 + (index - 20) * 100;
    return 2000 + (index - 10) * 100;
}

// CW indices 1 to 10 are 50 to 500 Hz, 11 is 800 Hz and 12 is 1200 Hz.
int cwWidthHz(int index) {
    if (index == 11) return 800;
    if (index == kCwWidest) return 1200;
    return index * 50;
}

struct StrengthStep {
    int fromSMeter;
    int db;
};

// The S-meter readout's steps: S0 to S9 in 6 dB, then the decibels above S9.
constexpr std::array<StrengthStep, 17> kStrengthSteps{{
    {248, 60},
    {207, 40},
    {184, 30},
    {164, 20},
    {154, 15},
    {144, 10},
    {132, 5},
    {121, 0},
    {109, -6},
    {97, -12},
    {83, -18},
    {69, -24},
    {55, -30},
    {41, -36},
    {21, -42},
    {11, -48},
    {0, -54},
}};

}  // namespace

std::string_view rigModeName(int mode) {
    return mode >= 1 && mode <= kModeCount ? kRigModeNames[static_cast<std::size_t>(mode)] : "";
}

int panelModeOfRigName(std::string_view name) {
    for (int mode = 1; mode <= kModeCount; ++mode) {
        if (kRigModeNames[static_cast<std::size_t>(mode)] == name) return mode;
    }
    for (const auto& data : kDataModes) {
        if (data.name == name) return data.mode;
    }
    return 0;
}

std::string_view rigDataModeName(int mode) {
    for (const auto& data : kDataModes) {
        if (data.mode == mode) return data.name;
    }
    return {};
}

int receiveVfoHz(const PanelState& state) {
    const std::string& saved = state.splitSaveText;  // "A" and the nine digits of VFO A
    const bool known =
        saved.size() == 10 && saved[0] == 'A' && saved.find_first_not_of("0123456789", 1) == std::string::npos;
    if (state.vfoBTarget != 1 || !known) return state.vfoAHz;
    return numberFromText(std::string_view(saved).substr(1));
}

bool splitOn(const PanelState& state) { return state.vfoBTarget == 1 || state.programSplit != 0; }

int transmitVfoHz(const PanelState& state) { return state.programSplit != 0 ? state.programTxHz : state.vfoAHz; }

RigReading readingOf(PanelState& state) {
    if (state.rigDataMode != state.mode) state.rigDataMode = 0;
    RigReading reading;
    reading.receiveHz = receiveVfoHz(state);
    reading.transmitHz = transmitVfoHz(state);
    reading.split = splitOn(state);
    reading.mode = state.mode;
    reading.dataMode = state.rigDataMode;
    reading.passbandHz = passbandHz(state);
    reading.transmitting = state.txState > 0;
    return reading;
}

int passbandHz(int mode, int filterWidth) {
    if (mode == kLsb || mode == kUsb) return ssbWidthHz(filterWidth);
    if (mode == kCw) return cwWidthHz(filterWidth);
    return mode >= 1 && mode <= kModeCount ? kFixedPassbands[static_cast<std::size_t>(mode)] : 0;
}

int passbandHz(const PanelState& state) { return passbandHz(state.mode, state.filterWidth); }

int widthIndexForPassband(int mode, int hz) {
    const bool cw = mode == kCw;
    const int narrowest = cw ? kCwNarrowest : kSsbNarrowest;
    const int widest = cw ? kCwWidest : kSsbWidest;
    int best = narrowest;
    for (int index = narrowest; index <= widest; ++index) {
        const int width = cw ? cwWidthHz(index) : ssbWidthHz(index);
        const int bestWidth = cw ? cwWidthHz(best) : ssbWidthHz(best);
        if (std::abs(width - hz) < std::abs(bestWidth - hz)) best = index;
    }
    return best;
}

int strengthDb(int sMeter) {
    for (const auto& step : kStrengthSteps) {
        if (sMeter >= step.fromSMeter) return step.db;
    }
    return kStrengthSteps.back().db;
}

}  // namespace vocapan
