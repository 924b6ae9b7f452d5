// The radio's band memory: each band keeps the frequency and mode it was last left on, so that
// a band select ("BS0nn") stores where the operator was and returns to where they were on the
// new band.
#pragma once

#include <array>
#include <string>

namespace ftxsim {

struct BandPlace {
    long long frequencyHz = 0;
    std::string modeCode;  // the character after "MD0"
};

class BandStack {
public:
    BandStack();

    // The radio's number of the band `frequencyHz` lies in; general coverage outside the
    // amateur bands.
    static int bandOf(long long frequencyHz);
    // Whether the radio has a band of that number ("BS0nn" with nn from 00 to 11, 15 or 16).
    static bool hasBand(int band);

    // Keeps `current` as the last place of its own band and answers the last place of `band`,
    // which must be a band the radio has.
    BandPlace change(const BandPlace& current, int band);

    static constexpr int kGeneralCoverage = 11;
    static constexpr int kBandCount = 17;  // band numbers 00 to 16; 12 to 14 are not the radio's

private:
    std::array<BandPlace, kBandCount> places_;
};

}  // namespace ftxsim
