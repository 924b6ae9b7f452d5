// What a connected program does to the radio goes through the panel's own operations: a
// frequency ("FA"), a mode ("MD0n" and the mode line), the filter width ("SH00"), split
// ("ST") and transmit ("TX"). While a program drives the radio the band table is left as the
// operator last had it, as with the relay port; the operator hears each change briefly.
#pragma once

#include <string>

#include "core/panel.h"

namespace vocapan {

// Tunes the VFO in use to `hz`; the radio's next report draws and speaks it.
void tuneFromProgram(Panel& panel, int hz);
// Tunes VFO A, the receive VFO, to `hz`. In the operator's split the panel works VFO B, so
// VFO A is set by its own command and quietly: the panel shows and speaks VFO B, as with the
// V key. In a program's split the panel works VFO A, the program's dial.
void tuneReceiveVfoFromProgram(Panel& panel, int hz);
// Tunes VFO B, the transmit VFO, to `hz`: quietly in a program's split, switching that on
// first when split is off; in the operator's split VFO B is the panel's frequency.
void tuneTransmitVfoFromProgram(Panel& panel, int hz);
// Puts `mode` into effect and, for SSB and CW with `passbandHz` above 0, the filter closest
// to that width.
void changeModeFromProgram(Panel& panel, int mode, int passbandHz);
// Split on (the program's, VFO B starting on VFO A's frequency) or off (the program's, or the
// operator's as the V key switches it).
void switchSplitFromProgram(Panel& panel, bool on);
// Transmit on or off, as the Space key switches it.
void switchTransmitFromProgram(Panel& panel, bool on);

// Why the panel refuses split in its present state: true on the general-coverage band and
// where V works the repeater shift instead (FM and C4FM from 10 m up).
bool splitRefused(const PanelState& state);

}  // namespace vocapan
