#include "controls/band_stack.h"

#include "controls/frequency_ops.h"
#include "controls/repeater_offsets.h"
#include "core/number_text.h"
#include "core/panel_numbers.h"
#include "core/text_piece.h"
#include "memory/record_format.h"

namespace vocapan {

namespace {

constexpr int kReportLength = 11;  // "FA" and nine digits
constexpr int kLowestHfMode = 5;   // FM-N and above do not belong on the HF bands

std::string digitOf(int value) { return decimalText(value).substr(0, 1); }

// Two letters and nine digits, the form the band table can take a frequency from.
bool isWholeReport(const std::string& report) {
    if (report.size() != kReportLength) return false;
    return report.find_first_not_of("0123456789", 2) == std::string::npos;
}

}  // namespace

bool bandOfReport(Panel& panel) {
    auto& state = panel.state;
    const std::string& report = state.lastFreqReport;
    const std::string digits = report.size() >= 9 ? report.substr(report.size() - 9) : report;
    state.band = bandOfMhz(numberFromText(digits) / 1000000);
    if (state.band <= 9 && state.mode >= kLowestHfMode) return false;
    if (state.band <= 11 && state.mode == kC4fm) return false;
    return true;
}

void storeBandStack(Panel& panel) {
    auto& state = panel.state;
    if (!bandOfReport(panel)) return;
    // Only the bands with a repeater offset have a shift to keep.
    const bool shifted = state.repeaterOn == 1 && hasRepeaterOffset(state.band);
    const std::string head = (shifted ? "5" : digitOf(state.vfoBTarget)) + digitOf(state.mode);

    const std::string& report = state.lastFreqReport;
    if (!isWholeReport(report) || textPiece(report, 3, 3) == "000") {
        state.lastFreqReport = "FA001000000";
        return;
    }
    const std::string& entry = state.bandStack[static_cast<std::size_t>(state.band)];
    const std::string reported = report.substr(2);
    // The report moves the VFO in use; the other keeps what the entry holds.
    if (state.vfoBTarget == 1) {
        state.scratchText2 = head + "A" + textPiece(entry, 4, 9) + "B" + reported;
    } else {
        state.scratchText2 = head + "A" + reported + "B" + textPiece(entry, 14, 9);
    }
    if (shifted) appendRepeaterShift(panel);
    if (state.rawVfoHold == 1) return;
    state.bandStack[static_cast<std::size_t>(state.band)] =
        state.scratchText2 + toneField(state.toneCode) + digitOf(state.preampLevel);
}

void appendRepeaterShift(Panel& panel) {
    auto& state = panel.state;
    state.scratchText2 = textPiece(state.scratchText2, 1, 13);
    if (!hasRepeaterOffset(state.band)) return;
    const RepeaterOffset offset = workingOffset(state, state.band);
    state.scratchText2 += shiftField(offset.sign, offset.digits);
}

}  // namespace vocapan
