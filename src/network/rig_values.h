// The panel's settings in the rig-control protocol's terms: Hamlib's mode names for the
// panel's seven modes and the data modes on top of them, the two VFOs, the receive filter as a passband in hertz, the
// S-meter in decibels relative to S9.
#pragma once

#include <string_view>
#include <utility>
#include <vector>

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

// What a program reads of the radio: the panel's state, and on top of it what the programs
// have set and been answered for, until it is carried out.
struct RigReading {
    int receiveHz = 0;   // VFO A
    int transmitHz = 0;  // VFO B in split, else VFO A
    bool split = false;
    int mode = 0;
    int dataMode = 0;  // the panel mode a program set by its data-mode name; 0 none
    int passbandHz = 0;
    bool transmitting = false;
    std::vector<std::pair<int PanelState::*, int>> levels;  // settings set and not yet made
};
// The reading of the panel's state alone. A data-mode name is forgotten once the mode has
// changed since (a key, the radio's mode button, another program's plain mode).
RigReading readingOf(PanelState& state);

// The receive filter of the current mode in hertz: the width index in SSB and CW, the
// channel width of the radio's AM and FM filters.
int passbandHz(const PanelState& state);
// The same for `mode` with the width index `filterWidth` (used by SSB and CW only).
int passbandHz(int mode, int filterWidth);
// The width index of SSB or CW closest to `hz`.
int widthIndexForPassband(int mode, int hz);

// The S-meter reading in dB relative to S9 (S0 is -54), by the S-meter readout's steps.
int strengthDb(int sMeter);

}  // namespace vocapan
