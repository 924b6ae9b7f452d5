#include "speech/readouts_settings.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

#include "core/number_text.h"
#include "core/text_piece.h"
#include "speech/prompt_player.h"

namespace vocapan {

namespace {

// By mode number 1 to 7; index 0 unused.
constexpr std::array<std::array<std::string_view, 2>, 8> kModePrompts{{
    {},
    {"lsb.wav", ""},
    {"usb.wav", ""},
    {"cw.wav", ""},
    {"am.wav", ""},
    {"fm.wav", "nar.wav"},
    {"c4fm.wav", ""},
    {"fm.wav", ""},
}};

// By band number 1 to 14; index 0 has no name of its own.
constexpr std::array<std::string_view, 15> kBandPrompts{
    "", "160", "80", "60", "40", "30", "20", "17", "15", "12", "10", "6", "2", "70", "un",
};
constexpr int kGeneralCoverage = 14;

// The last position of the frequency text that is ever spoken.
constexpr int kLastSpokenPosition = 11;

bool allZero(std::string_view digits) { return numberFromText(digits) == 0; }

void play(Panel& panel, std::string_view name) { playPrompt(panel, std::string(name)); }

// The whole kilohertz of an SSB width index: 1.8 kHz at 9 up to 3.1 kHz at 21.
struct SsbWidth {
    const char* whole;
    std::string tenth;
};

SsbWidth ssbWidth(int index) {
    const std::string figure = decimalText(index);
    const std::string lastDigit = figure.substr(figure.size() - 1);
    if (index == 9) return {"1.wav", "8"};
    if (index == 10) return {"1.wav", "9"};
    if (index == 20) return {"3.wav", "0"};
    if (index == 21) return {"3.wav", "1"};
    if (index < 11) return {"1.wav", lastDigit};
    if (index < 20) return {"2.wav", lastDigit};
    return {"3.wav", lastDigit};
}

}  // namespace

void sayFrequency(Panel& panel) {
    auto& state = panel.state;
    if (state.quietRecall == 1) return;
    state.sayText = state.freqDisplayText;
    if (state.sayText.empty()) {
        playPrompt(panel, "nc");
        return;
    }
    state.scratchIndex2 = findText(state.sayText, ".");

    if (state.vfoBTarget == 0 && state.repeaterOn == 1) playPrompt(panel, "repeater");
    if (state.readoutOther == 1 && state.repeaterOn == 1) playPrompt(panel, "tx");
    if (state.vfoBTarget == 1 && state.repeaterOn == 0 && state.readoutOther == 0) playPrompt(panel, "vfob");

    const int point = state.scratchIndex2 > 0 ? state.scratchIndex2 : static_cast<int>(state.sayText.size()) + 1;
    sayDigits(panel, textPiece(state.sayText, 1, point - 1));

    const std::string& text = state.sayText;
    if (text.size() >= 6 && text.compare(text.size() - 6, 6, "000000") == 0) {
        playPrompt(panel, "mhz");
        return;
    }
    playPrompt(panel, "point");
    const int last = std::min<int>(kLastSpokenPosition, static_cast<int>(text.size()));
    for (state.scratchIndex = point + 1; state.scratchIndex <= last; ++state.scratchIndex) {
        sayDigits(panel, textPiece(text, state.scratchIndex, 1));
        if (allZero(textPiece(text, state.scratchIndex + 1, last - state.scratchIndex))) break;
    }
    playPrompt(panel, "mhz");
}

void sayMode(Panel& panel) {
    const auto& state = panel.state;
    if (state.quietRecall == 1 || state.mode < 1 || state.mode > 7) return;
    for (const std::string_view prompt : kModePrompts[static_cast<std::size_t>(state.mode)]) {
        if (!prompt.empty()) play(panel, prompt);
    }
}

void sayBand(Panel& panel) {
    const int band = panel.state.band;
    if (band >= 1 && band <= kGeneralCoverage) play(panel, kBandPrompts[static_cast<std::size_t>(band)]);
    if (band < kGeneralCoverage) playPrompt(panel, "metres");
}

void sayPower(Panel& panel) {
    sayDigits(panel, decimalText(panel.state.powerLevel).substr(0, 3));
    playPrompt(panel, "watts");
}

void sayFilterWidth(Panel& panel) {
    auto& state = panel.state;
    const int index = state.filterWidth;
    playPrompt(panel, "bw");
    if (state.mode == 1 || state.mode == 2) {
        const SsbWidth width = ssbWidth(index);
        state.sayText = width.tenth;
        playPrompt(panel, width.whole);
        playPrompt(panel, "point");
        playPrompt(panel, state.sayText + ".wav");
        playPrompt(panel, "khz");
        return;
    }
    // The other modes speak hertz: 50 Hz per index step, except the two wide CW filters.
    if (index == 11) {
        sayDigits(panel, "800");
    } else if (index == 12) {
        sayDigits(panel, "1200");
    } else {
        state.scratchIndex = index / 2;
        if (state.scratchIndex > 0) playPrompt(panel, decimalText(state.scratchIndex));
        playPrompt(panel, index % 2 == 0 ? "0" : "5");
        playPrompt(panel, "0");
    }
    playPrompt(panel, "hz");
}

void sayKeyerSpeed(Panel& panel) {
    auto& state = panel.state;
    state.scratchIndex = state.keyerSpeed;
    if (state.scratchIndex >= 10) sayDigit(panel, state.scratchIndex / 10);
    sayDigit(panel, state.scratchIndex % 10);
    playPrompt(panel, "wpm");
}

}  // namespace vocapan
