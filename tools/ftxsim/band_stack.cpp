// The bands of the FTX family by the radio's own numbers, their edges and the places a radio
// fresh from the factory starts them on.
#include "ftxsim/band_stack.h"

#include <algorithm>

namespace ftxsim {

namespace {

struct Band {
    int number;
    long long lowHz;  // band edges, the widest any region allows
    long long highHz;
    long long startHz;  // where a fresh radio opens the band
    const char* startMode;
};

constexpr auto kBands = std::to_array<Band>({
    {0, 1800000, 2000000, 1800000, "1"},
    {1, 3500000, 4000000, 3500000, "1"},
    {2, 5060000, 5450000, 5357000, "2"},
    {3, 7000000, 7300000, 7000000, "1"},
    {4, 10100000, 10150000, 10100000, "2"},
    {5, 14000000, 14350000, 14000000, "2"},
    {6, 18068000, 18168000, 18068000, "2"},
    {7, 21000000, 21450000, 21000000, "2"},
    {8, 24890000, 24990000, 24890000, "2"},
    {9, 28000000, 29700000, 28000000, "2"},
    {10, 50000000, 54000000, 50000000, "2"},
    {15, 144000000, 148000000, 144000000, "4"},
    {16, 420000000, 450000000, 430000000, "4"},
});

constexpr long long kGeneralCoverageStartHz = 15000000;  // a broadcast time signal

}  // namespace

BandStack::BandStack() {
    places_[kGeneralCoverage] = {kGeneralCoverageStartHz, "5"};
    for (const auto& band : kBands) places_[static_cast<std::size_t>(band.number)] = {band.startHz, band.startMode};
}

int BandStack::bandOf(long long frequencyHz) {
    const auto found = std::find_if(kBands.begin(), kBands.end(), [&](const Band& band) {
        return frequencyHz >= band.lowHz && frequencyHz <= band.highHz;
    });
    return found == kBands.end() ? kGeneralCoverage : found->number;
}

bool BandStack::hasBand(int band) {
    return band == kGeneralCoverage ||
           std::any_of(kBands.begin(), kBands.end(), [&](const Band& known) { return known.number == band; });
}

BandPlace BandStack::change(const BandPlace& current, int band) {
    places_[static_cast<std::size_t>(bandOf(current.frequencyHz))] = current;
    return places_[static_cast<std::size_t>(band)];
}

}  // namespace ftxsim
