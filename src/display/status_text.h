// A status line as text, for outputs that show the lines as words rather than pixels: the
// pieces the window draws, each run of blanks one space, no blanks at either end.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace vocapan {

std::string statusText(std::initializer_list<std::string_view> pieces);

}  // namespace vocapan
