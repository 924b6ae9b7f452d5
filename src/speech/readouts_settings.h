// Spoken readouts of the settings the panel holds: frequency, mode, band, power, filter
// width and keyer speed. Each plays its prompts and returns; none talks to the radio.
#pragma once

#include "core/panel.h"

namespace vocapan {

// The frequency line's text in megahertz, trailing zeros unspoken; "nc" before any report.
void sayFrequency(Panel& panel);
void sayMode(Panel& panel);
// The band's name, then "metres" (none for general coverage).
void sayBand(Panel& panel);
// The power in watts.
void sayPower(Panel& panel);
// "bw", then the receive filter width: kHz with one decimal in SSB, Hz in the other modes.
void sayFilterWidth(Panel& panel);
// The keyer speed in words per minute.
void sayKeyerSpeed(Panel& panel);

}  // namespace vocapan
