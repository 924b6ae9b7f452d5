// Voice transmit switched on and off ("TX1", "TX0") in SSB and CW, with the SWR readout's
// option parked while the operator speaks.
#pragma once

#include "core/panel.h"

namespace vocapan {

// True in the modes the panel keys the transmitter in (LSB, USB, CW).
bool transmitAllowed(const PanelState& state);

// Receive to transmit or back: "tx", "on" then "TX1"; or "TX0" then "tx", "off".
void switchTransmit(Panel& panel);

}  // namespace vocapan
