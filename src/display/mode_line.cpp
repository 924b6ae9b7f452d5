#include "display/mode_line.h"

#include <array>
#include <string_view>

#include "core/band_table.h"
#include "core/fonts.h"
#include "display/status_text.h"

namespace vocapan {

namespace {

// By mode number 1 to 7; index 0 unused. The blanks cover a longer name drawn before.
constexpr std::array<std::string_view, kModeCount + 1> kModeNames{
    "", "LSB    ", "USB    ", "CW      ", "AM     ", "FMN     ", "C4FM  ", "FM      ",
};

}  // namespace

void drawModeLine(Panel& panel) {
    auto& window = panel.platform.window;
    window.selectFont(kLargeFont);
    window.moveTo(50, 45);
    const auto& state = panel.state;
    const bool named = state.mode >= 1 && state.mode <= kModeCount;
    const std::string_view name = named ? kModeNames[static_cast<std::size_t>(state.mode)] : std::string_view();
    if (named) window.drawText(std::string(name));
    panel.state.statusLines[0] = statusText({name});
}

}  // namespace vocapan
