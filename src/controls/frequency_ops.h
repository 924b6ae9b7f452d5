// Sending VFO A's frequency to the radio ("FA" and nine digits), ending split ("ST0") and
// the band a frequency lies in.
#pragma once

#include <string>

#include "core/panel.h"

namespace vocapan {

constexpr int kGeneralCoverageBand = 14;
// No key tunes the radio below 1 MHz.
constexpr int kLowestTunedHz = 1000000;

// Sends `vfoAHz` as "FA" with nine digits; a frequency of 0 sends nothing.
void sendFrequency(Panel& panel);

// Split ends in the panel and at the radio ("ST0"), so that the radio never transmits on a
// VFO B the panel no longer shows; nothing is sent when split was off.
void endSplit(Panel& panel);

// The band number 1 to 13 of an amateur band by its whole megahertz, 14 for anything else.
int bandOfMhz(int mhz);

// The frequency text of a band entry as the frequency line shows it: the MHz part without
// leading zeros (at least one digit), ".", the six digits below it ("7.100000").
std::string bandEntryFrequencyText(const std::string& entry);

}  // namespace vocapan
