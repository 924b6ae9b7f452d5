// Spoken readouts of the radio's meters: the S-meter (also drawn as a figure in the window),
// the SWR in its long and short forms, and the mic-level peak while the mic gain is set.
#pragma once

#include "core/panel.h"

namespace vocapan {

// "s" and the S unit, decibels above S9; draws the figure at (750, 45).
void saySMeter(Panel& panel);
// The SWR with one decimal; "swr" ... "21" around it only on the first reading.
void saySwr(Panel& panel);
// "alc" once after metering is switched on, then the digits of the peak.
void sayMicLevel(Panel& panel);

}  // namespace vocapan
