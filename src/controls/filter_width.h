// The receive filter width ("SH00" and the radio's two-digit width index), kept inside the
// range of the mode and remembered per mode family (SSB, CW); Up and Down in the width entry,
// with the CW narrow filter ("NA01") below 800 Hz.
#pragma once

#include "core/panel.h"

namespace vocapan {

// Bounds and sends `filterWidth`; says "max" or "min" at a limit unless `quietWidth` is set,
// and clears `quietWidth`.
void applyFilterWidth(Panel& panel);

// One width index wider or narrower; at a limit the index stays and its word is spoken.
void stepFilterWidthUp(Panel& panel);
void stepFilterWidthDown(Panel& panel);

}  // namespace vocapan
