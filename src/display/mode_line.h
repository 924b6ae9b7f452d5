// The mode line of the panel window (50, 45, large font): the name of the current mode.
#pragma once

#include "core/panel.h"

namespace vocapan {

// Draws the name of `mode`; a mode number outside the table draws nothing.
void drawModeLine(Panel& panel);

}  // namespace vocapan
