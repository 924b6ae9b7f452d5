// A status line as text, for outputs that show the lines as words rather than pixels: the
// pieces the window draws, each run of blanks one space, no blanks at either end.
#pragma once

#include <array>
#include <initializer_list>
#include <string>
#include <string_view>

#include "core/display_state.h"

namespace vocapan {

std::string statusText(std::initializer_list<std::string_view> pieces);

// The three lines as the window shows them now: the mode with the meter reading drawn beside
// it, the frequency, the functions.
std::array<std::string, 3> shownStatusLines(const DisplayState& display);

}  // namespace vocapan
