#include "speech/readouts_meters.h"

#include <array>
#include <cmath>
#include <string>

#include "core/fonts.h"
#include "core/number_text.h"
#include "speech/prompt_player.h"

namespace vocapan {

namespace {

struct SUnit {
    int from;  // lowest meter value of the unit
    const char* prompt;
    const char* text;
};

// S-units by the radio's meter value 0 to 255, highest first.
constexpr std::array<SUnit, 10> kSUnits{{
    {121, "9.wav", "S9"},
    {109, "8.wav", "S8  "},
    {97, "7.wav", "S7  "},
    {83, "6.wav", "S6  "},
    {69, "5.wav", "S5  "},
    {55, "4.wav", "S4  "},
    {41, "3.wav", "S3  "},
    {21, "2.wav", "S2  "},
    {11, "1.wav", "S1  "},
    {-1000000, "0.wav", "S0  "},
}};

struct DecibelStep {
    int from;
    const char* text;
    const char* prompt;
};

// Decibels over S9, highest first; below the last step S9 is shown plain.
constexpr std::array<DecibelStep, 7> kDecibelSteps{{
    {248, "+60db", "60db"},
    {207, "+40db", "40db"},
    {184, "+30db", "30db"},
    {164, "+20db", "20db"},
    {154, "+15db", "15db"},
    {144, "+10db", "10db"},
    {132, "+5db", "5db"},
}};

// Blanks that clear a decibel figure left from an earlier reading.
const std::string kDecibelBlank(50, ' ');

// The SWR meter's scale is not linear: each band of readings is one whole number, with its
// own step per tenth.
struct SwrReading {
    const char* whole;
    int tenths;
};

SwrReading swrReading(int v) {
    if (v < 50) return {"1", 0};
    if (v < 120) return {"1", (v - 50) / 7};
    if (v < 160) return {"2", (v - 120) / 10};
    if (v < 180) return {"3", (v - 160) / 2};
    if (v < 200) return {"4", static_cast<int>(std::lround((v - 180) / 2.5))};
    return {"gt5", 0};
}

void drawDecibels(Panel& panel, int v) {
    auto& window = panel.platform.window;
    if (v < kDecibelSteps.back().from) {
        window.drawText(kDecibelBlank);
    } else {
        window.selectFont(kSmallFont);
        for (const DecibelStep& step : kDecibelSteps) {
            if (v >= step.from) {
                window.drawText(step.text);
                panel.state.meterText += step.text;
                playPrompt(panel, step.prompt);
                break;
            }
        }
    }
    window.selectFont(kLargeFont);
}

}  // namespace

void saySMeter(Panel& panel) {
    auto& window = panel.platform.window;
    const int v = panel.state.sMeter;
    window.moveTo(750, 45);
    playPrompt(panel, "s.wav");
    for (const SUnit& unit : kSUnits) {
        if (v < unit.from) continue;
        playPrompt(panel, unit.prompt);
        window.drawText(unit.text);
        panel.state.meterText = unit.text;  // kept as text beside the mode line's
        if (unit.from == kSUnits.front().from) drawDecibels(panel, v);
        return;
    }
}

void saySwr(Panel& panel) {
    auto& state = panel.state;
    if (state.tunerMode == 0 && state.txState == 0) return;
    if (state.terseReadout == 0) playPrompt(panel, "swr");
    const SwrReading reading = swrReading(numberFromText(state.swrText));
    state.swrTenths = decimalText(reading.tenths);
    playPrompt(panel, reading.whole);
    playPrompt(panel, "point");
    playPrompt(panel, state.swrTenths);
    if (state.terseReadout == 0) playPrompt(panel, "21");
    state.terseReadout = 1;
    if (state.swrOption == 1) state.swrOption = 2;
}

void sayMicLevel(Panel& panel) {
    auto& state = panel.state;
    if (state.micMeter == 1) {
        playPrompt(panel, "alc");
        state.micMeter = 2;
    }
    sayDigits(panel, decimalText(state.micPeak));
    state.tickCount = 0;
}

}  // namespace vocapan
