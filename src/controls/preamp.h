// The preamplifier: sends the level the caller has set in `preampLevel` ("PA" + band group +
// level), says "preamp" and the new state, and redraws the function line.
#pragma once

#include <string>

#include "core/panel.h"

namespace vocapan {

// The preamplifier command of `level` on `band`'s group ("PA02" on HF, "PA11" on 2 m).
std::string preampCommand(int band, int level);

void applyPreamp(Panel& panel);

}  // namespace vocapan
