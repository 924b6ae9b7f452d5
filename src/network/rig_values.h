// The panel's settings in the rig-control protocol's terms: Hamlib's mode names for the
// panel's seven modes and the data modes on top of them, the two VFOs, the receive filter as a passband in hertz, the
// S-meter in decibels relative to S9.
#pragma once

#include <string_view>

#include "core/panel_state.h"

namespace vocapan {

// Hamlib's name of panel mode 1 to 7 ("LSB", "USB", "CW", "AM", "FMN", "C4FM", "FM").
std::string_view rigModeName(int mode);
// The panel's mode number of a Hamlib mode name; 0 for a mode the panel does not work in.
// The data modes ("PKTUSB", "PKTLSB", "PKTFM") are the voice modes they ride on.
int panelModeOfRigName(std::string_view name);
// Hamlib's data-mode name riding on panel mode `mode` ("PKTUSB" for USB); empty for none.
std::string_view rigDataModeName(int mode);

// VFO A, the receive VFO: in split the panel works VFO B, and VFO A stays where split began.
int receiveVfoHz(const PanelState& state);
// Split on, the operator's or a program's.
bool splitOn(const PanelState& state);
// Where the transmitter works: VFO B in split (the panel's frequency in the operator's, the
// program's own in a program's), VFO A without.
int transmitVfoHz(const PanelState& state);

// The receive filter of the current mode in hertz: the width index in SSB and CW, the
// channel width of the radio's AM and FM filters.
int passbandHz(const PanelState& state);
// The width index of SSB or CW closest to `hz`.
int widthIndexForPassband(int mode, int hz);

// The S-meter reading in dB relative to S9 (S0 is -54), by the S-meter readout's steps.
int strengthDb(int sMeter);

}  // namespace vocapan
