// The relay port: other CAT software (a logger, a digital-mode program) works the radio
// through a second serial port. Its commands are forwarded to the radio one at a time and the
// radio's answers go back; frequency reports and mode changes also update the panel.
#pragma once

#include "core/panel.h"

namespace vocapan {

// Serves the relay port once; called on each send tick while a relay port is configured.
void relayPoll(Panel& panel);

}  // namespace vocapan
