// The panel's network rig control: a TCP port (vocapan.cfg line 12) that digital-mode
// programs and loggers reach as Hamlib's "NET rigctl" radio. Served on the panel's one
// thread from the timer tick, never waiting on a program.
#pragma once

#include "core/panel.h"

namespace vocapan {

// Starts listening when the configuration asks for a port, on every interface only when
// the allow line, if there is one, lists addresses; a port that cannot be had is said once
// (a console line and a prompt) and leaves network rig control off.
void openNetwork(Panel& panel);

// Takes new connections, answers the whole lines that have arrived (up to a share of each
// program's per tick) and drops connections that misbehave; then carries out the latest set
// of each kind. After an answer it waits a few milliseconds for the program's next line, so
// that a program's burst of commands is served within one tick.
void serviceNetwork(Panel& panel);

// Between the prompts of what the panel says: takes new connections, answers the programs'
// lines, carries their sets out at once (their words are said after the phrase in hand) and
// lets the programs that said goodbye go.
void serveProgramsBetweenPrompts(Panel& panel);

// Closes every connection and the port.
void closeNetwork(Panel& panel);

}  // namespace vocapan
