// The receive filter width ("SH00" and the radio's two-digit width index), kept inside the
// range of the mode and remembered per mode family (SSB, CW).
#pragma once

#include "core/panel.h"

namespace vocapan {

// Bounds and sends `filterWidth`; says "max" or "min" at a limit unless `quietWidth` is set,
// and clears `quietWidth`.
void applyFilterWidth(Panel& panel);

}  // namespace vocapan
