// One port under test: opened at the speed being tried, asked for the radio's frequency,
// and closed again.
#pragma once

#include "finder/seek.h"

namespace portseek {

// Opens port `tryPort` at `tryBaud`, 8 data bits, no parity, one stop bit. False when the
// port does not exist, is in use, or refuses the settings; the port is then left closed.
bool openTryPort(Seek& seek);
void closeTryPort(Seek& seek);
// Sends ";;;" then "FA;", each followed by the pause of the "delay" prompt, reads one answer
// into `probeReply`, and sets `searchResult` to 1 when the radio answered with "FA", else 0.
// On a closed port nothing is sent or read, and the radio simply does not answer.
void probeRadio(Seek& seek);

}  // namespace portseek
