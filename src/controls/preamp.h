// The preamplifier: sends the level the caller has set in `preampLevel` ("PA" + band group +
// level), says "preamp" and the new state, and redraws the function line.
#pragma once

#include "core/panel.h"

namespace vocapan {

void applyPreamp(Panel& panel);

}  // namespace vocapan
