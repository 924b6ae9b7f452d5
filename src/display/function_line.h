// The function line of the panel window (y = 250, small font): preamplifier, attenuator,
// noise blanker and reduction, notch, contour, processor, VOX or break-in, monitor, tone.
#pragma once

#include "core/panel.h"

namespace vocapan {

// Redraws every field, blanking those that are off, and leaves the large font selected.
void drawFunctionLine(Panel& panel);

}  // namespace vocapan
