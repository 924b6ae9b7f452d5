// The levels a program can read and set through the rig-control protocol: S-meter strength,
// power, AF and RF gain, squelch, keyer speed and mic gain, as Hamlib scales them (0 to 1,
// or whole units for the S-meter in dB and the keyer speed in words per minute).
#pragma once

#include <string>
#include <string_view>

#include "core/panel.h"
#include "network/rig_protocol.h"

namespace vocapan {

// The level's value as the protocol writes it.
RigAnswer readLevel(const Panel& panel, std::string_view name);
// Sets the level on the radio ("PC", "AG0", "RG0", "SQ0", "KS", "MG") and in the panel.
RigAnswer writeLevel(Panel& panel, std::string_view name, std::string_view value);

}  // namespace vocapan
