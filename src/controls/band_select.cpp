#include "controls/band_select.h"

#include <array>
#include <string_view>

#include "core/band_table.h"
#include "core/number_text.h"
#include "link/command.h"
#include "speech/readouts_settings.h"

namespace vocapan {

namespace {

// The radio numbers its bands 00 to 11, 15 and 16; index is the panel's band number.
constexpr std::array<std::string_view, kBandCount + 1> kBandSelectCommands{
    "",      "BS000", "BS001", "BS002", "BS003", "BS004", "BS005", "BS006",
    "BS007", "BS008", "BS009", "BS010", "BS015", "BS016", "BS011",
};

bool isBand(int band) { return band >= 1 && band <= kBandCount; }

}  // namespace

void selectBand(Panel& panel) {
    auto& state = panel.state;
    // A band number outside the table has no command; the radio is left where it is.
    if (isBand(state.band)) send(panel, std::string(kBandSelectCommands[static_cast<std::size_t>(state.band)]));
    if (state.terseReadout == 0) sayBand(panel);
    state.terseReadout = 0;
}

void storeBandMode(Panel& panel) {
    auto& state = panel.state;
    if (state.rawVfoHold == 1 || !isBand(state.band)) return;
    std::string& entry = state.bandStack[static_cast<std::size_t>(state.band)];
    if (entry.size() < 2 || state.mode < 0 || state.mode > 9) return;
    entry[1] = decimalText(state.mode).front();
}

}  // namespace vocapan
