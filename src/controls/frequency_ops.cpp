#include "controls/frequency_ops.h"

#include <array>

#include "core/number_text.h"
#include "link/command.h"

namespace vocapan {

namespace {

struct BandRange {
    int lowMhz;
    int highMhz;
    int band;
};

constexpr std::array<BandRange, 13> kBandRanges{{
    {1, 1, 1},
    {3, 3, 2},
    {5, 5, 3},
    {7, 7, 4},
    {10, 10, 5},
    {14, 14, 6},
    {18, 18, 7},
    {21, 21, 8},
    {24, 24, 9},
    {28, 29, 10},
    {50, 54, 11},
    {144, 148, 12},
    {420, 449, 13},
}};

// A command shorter than this carries no frequency worth sending.
constexpr std::size_t kShortestFrequencyCommand = 6;

}  // namespace

void sendFrequency(Panel& panel) {
    auto& state = panel.state;
    std::string command = "FA";
    if (state.vfoAHz < 100000000) command += "0";
    if (state.vfoAHz < 10000000) command += "0";
    command += decimalText(state.vfoAHz);
    if (command.size() < kShortestFrequencyCommand) return;
    send(panel, command);
}

void endSplit(Panel& panel) {
    if (panel.state.vfoBTarget != 1) return;
    panel.state.vfoBTarget = 0;
    send(panel, "ST0");
}

int bandOfMhz(int mhz) {
    for (const BandRange& range : kBandRanges) {
        if (mhz >= range.lowMhz && mhz <= range.highMhz) return range.band;
    }
    return kGeneralCoverageBand;
}

std::string bandEntryFrequencyText(const std::string& entry) {
    const std::string vfoA = entry.size() >= 12 ? entry.substr(3, 9) : std::string(9, '0');
    std::string mhz = vfoA.substr(0, 3);
    for (int dropped = 0; dropped < 2 && mhz.front() == '0'; ++dropped) mhz.erase(0, 1);
    return mhz + "." + vfoA.substr(3, 6);
}

}  // namespace vocapan
