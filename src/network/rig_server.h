// The panel's network rig control: a TCP port (vocapan.cfg line 12) that digital-mode
// programs and loggers reach as Hamlib's "NET rigctl" radio. Served on the panel's one
// thread from the timer tick, never waiting on a program.
#pragma once

#include "core/panel.h"

namespace vocapan {

// Starts listening when the configuration asks for a port; a port that cannot be had leaves
// network rig control off.
void openNetwork(Panel& panel);

// Takes new connections, answers every whole line that has arrived and drops connections
// that misbehave. After an answer it waits a few milliseconds for the program's next line,
// so that a program's burst of commands is served within one tick.
void serviceNetwork(Panel& panel);

// Closes every connection and the port.
void closeNetwork(Panel& panel);

}  // namespace vocapan
