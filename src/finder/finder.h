// The radio finder from start to end: greeting, search, the spoken result and the
// configuration of the talk program.
#pragma once

#include <string_view>

#include "finder/seek.h"

namespace portseek {

// The first line the operator's console shows.
inline constexpr std::string_view kBanner =
    "portseek 1.0 - finds the radio's COM port and speed. Part of Vocapan, free for every radio amateur.";

// Runs the whole program on the context's platform.
void runFinder(Seek& seek);

// Speaks how the search ended and, when the radio was found, writes the configuration.
void sayResult(Seek& seek);

}  // namespace portseek
