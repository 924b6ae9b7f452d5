// Start-up of the panel before the radio is queried: window texts, debug transcript, start
// values, band table, memory banks, the CAT port, and VFO A selected on the radio ("VS0").
#pragma once

#include <string>

#include "core/panel.h"

namespace vocapan {

void initialisePanel(Panel& panel);

// Opens a serial port the way the panel always does: closed first, opened at `baudRate`,
// reads returning at once, then the panel's line format. The network slot starts a new
// connection to the serial server instead, made without waiting for it.
void openPanelPort(Panel& panel, int comNumber);

// The serial server as the operator wrote it: "HOST:PORT", an IPv6 address in brackets.
std::string remoteAddressText(const ConfigState& config);

}  // namespace vocapan
