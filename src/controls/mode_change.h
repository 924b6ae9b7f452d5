// A new mode put into effect: the mode line of the panel window (50, 45), the mode command
// ("MD0n"), the narrow filter ("NA0n"), and then the squelch read back in FM or the band's
// frequency and filter width restored in the other modes.
#pragma once

#include <string>

#include "core/panel.h"

namespace vocapan {

// Puts `mode` into effect; a mode change always ends the repeater shift and tone squelch.
void applyMode(Panel& panel);

// The panel's mode number of a mode command or answer ("MD04" is FM, mode 7), 0 for a mode
// the panel does not work in.
int modeOfCommand(const PanelState& state, const std::string& modeCommand);

}  // namespace vocapan
