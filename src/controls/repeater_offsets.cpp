#include "controls/repeater_offsets.h"

#include <array>
#include <string_view>

#include "core/number_text.h"

namespace vocapan {

namespace {

constexpr int kFirstOffsetBand = 10;
constexpr int kLastOffsetBand = 13;

struct OffsetFields {
    std::string ConfigState::*sign;
    std::string ConfigState::*digits;
    std::string ConfigState::*stdSign;
    std::string ConfigState::*stdDigits;
    std::string_view menu;
    bool inFiftyKhzSteps;
};

constexpr std::array<OffsetFields, 4> kOffsetFields{{
    {&ConfigState::offsetSign10, &ConfigState::offsetDigits10, &ConfigState::stdOffsetSign10,
     &ConfigState::stdOffsetDigits10, "EX010316", false},
    {&ConfigState::offsetSign11, &ConfigState::offsetDigits11, &ConfigState::stdOffsetSign11,
     &ConfigState::stdOffsetDigits11, "EX010317", false},
    {&ConfigState::offsetSign12, &ConfigState::offsetDigits12, &ConfigState::stdOffsetSign12,
     &ConfigState::stdOffsetDigits12, "EX010318", true},
    {&ConfigState::offsetSign13, &ConfigState::offsetDigits13, &ConfigState::stdOffsetSign13,
     &ConfigState::stdOffsetDigits13, "EX010319", true},
}};

const OffsetFields& fieldsOf(int band) { return kOffsetFields[static_cast<std::size_t>(band - kFirstOffsetBand)]; }

constexpr int kOffsetStepKhz = 50;

}  // namespace

bool hasRepeaterOffset(int band) { return band >= kFirstOffsetBand && band <= kLastOffsetBand; }

RepeaterOffset workingOffset(PanelState& state, int band) {
    const OffsetFields& fields = fieldsOf(band);
    return {state.*fields.sign, state.*fields.digits};
}

RepeaterOffset configuredOffset(PanelState& state, int band) {
    const OffsetFields& fields = fieldsOf(band);
    return {state.*fields.stdSign, state.*fields.stdDigits};
}

std::string offsetCommand(PanelState& state, int band) {
    if (!hasRepeaterOffset(band)) return {};
    const OffsetFields& fields = fieldsOf(band);
    const std::string& digits = state.*fields.digits;
    // The whole number of 50 kHz steps; an offset between steps is rounded down.
    const std::string value = fields.inFiftyKhzSteps ? zeroPadded(numberFromText(digits) / kOffsetStepKhz, 4) : digits;
    return std::string(fields.menu) + value;
}

std::string offsetTheRadioTakes(int band, const std::string& digits) {
    if (!hasRepeaterOffset(band) || !fieldsOf(band).inFiftyKhzSteps) return digits;
    const int khz = numberFromText(digits) / kOffsetStepKhz * kOffsetStepKhz;
    return zeroPadded(khz, static_cast<int>(digits.size()));
}

bool shiftsUp(int band, const std::string& sign) { return band != kFirstOffsetBand && sign == "+"; }

}  // namespace vocapan
