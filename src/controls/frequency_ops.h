// Sending VFO A's frequency to the radio ("FA" and nine digits) and the band a frequency
// lies in.
#pragma once

#include "core/panel.h"

namespace vocapan {

constexpr int kGeneralCoverageBand = 14;

// Sends `vfoAHz` as "FA" with nine digits; a frequency of 0 sends nothing.
void sendFrequency(Panel& panel);

// The band number 1 to 13 of an amateur band by its whole megahertz, 14 for anything else.
int bandOfMhz(int mhz);

}  // namespace vocapan
