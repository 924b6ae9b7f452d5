#include "network/rig_levels.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <optional>

#include "controls/levels.h"
#include "core/number_text.h"
#include "core/panel_numbers.h"
#include "network/rig_values.h"

namespace vocapan {

namespace {

struct PowerRange {
    int scale;  // the watts that make a level of 1
    int lowest;
    int highest;
};

// The power range of the radio's power command on the current band.
PowerRange powerRange(const PanelState& state) {
    if (state.powerRangeLow == 0) return {10, 1, 10};
    return {100, 5, state.band >= kBand2m ? 50 : 100};
}

struct LevelRule {
    std::string_view name;
    bool whole;              // written as a whole number, not a fraction
    int PanelState::*field;  // the panel's copy of the setting
    double scale;            // the field's value that makes a level of 1
    int lowest, highest;     // the field's range as the radio takes it
    void (*send)(Panel&);    // puts the field on the radio
};

constexpr std::array<LevelRule, 6> kLevelRules{{
    {"AF", false, &PanelState::afGainMain, 255, 0, 250, sendAfGain},
    {"RF", false, &PanelState::rfGain, 255, 0, 255, sendRfGain},
    {"SQL", false, &PanelState::squelchLevel, 255, 0, 255, sendSquelch},
    {"KEYSPD", true, &PanelState::keyerSpeed, 1, 4, 60, sendKeyerSpeed},
    {"MICGAIN", false, &PanelState::micGain, 100, 0, 100, sendMicGain},
    // The power's range by the power range and band.
    {"RFPOWER", false, &PanelState::powerLevel, 0, 0, 0, sendPower},
}};

const LevelRule* levelRule(std::string_view name) {
    const auto found =
        std::find_if(kLevelRules.begin(), kLevelRules.end(), [&](const auto& r) { return r.name == name; });
    return found == kLevelRules.end() ? nullptr : &*found;
}

std::string fractionText(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6f", value);
    return text;
}

RigAnswer valueAnswer(std::string text) { return {kRigOk, {{"", std::move(text)}}}; }

}  // namespace

RigAnswer readLevel(const PanelState& state, const RigReading& reading, std::string_view name) {
    if (name == "STRENGTH") return valueAnswer(decimalText(strengthDb(state.sMeter)));
    const LevelRule* rule = levelRule(name);
    if (rule == nullptr) return {kRigInvalid, {}};
    int value = state.*(rule->field);
    for (const auto& [field, setting] : reading.levels) {
        if (field == rule->field) value = setting;
    }
    if (rule->whole) return valueAnswer(decimalText(value));
    const double scale = rule->scale > 0 ? rule->scale : powerRange(state).scale;
    return valueAnswer(fractionText(value / scale));
}

int checkLevelChange(const PanelState& state, std::string_view name, std::string_view valueText, LevelChange& change) {
    if (name == "STRENGTH") return kRigUnavailable;
    const LevelRule* rule = levelRule(name);
    const std::optional<double> value = decimalFromText(valueText);
    if (rule == nullptr || !value) return kRigInvalid;

    const bool power = rule->scale == 0;
    const PowerRange range = powerRange(state);
    const double scale = power ? range.scale : rule->scale;
    const int lowest = power ? range.lowest : rule->lowest;
    const int highest = power ? range.highest : rule->highest;
    if (rule->whole ? (*value < lowest || *value > highest) : (*value < 0 || *value > 1)) return kRigInvalid;

    change.field = rule->field;
    change.setting = std::clamp(static_cast<int>(std::lround(*value * (rule->whole ? 1 : scale))), lowest, highest);
    change.send = rule->send;
    return kRigOk;
}

void makeLevelChange(Panel& panel, const LevelChange& change) {
    panel.state.*(change.field) = change.setting;
    change.send(panel);
}

}  // namespace vocapan
