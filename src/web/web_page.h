// The panel as a web page (vocapan.cfg line 18): the status lines, every phrase the panel
// says and the panel's keys, for the operator's own screen reader, braille display or phone.
// Served from the panel's loop and between the prompts of what it says, never waiting; the
// keys pressed on a page wait in the state for the loop to hand them to the key handling, as
// the window's keys are.
#pragma once

#include "core/panel.h"

namespace vocapan {

// Starts serving when line 18 asks for it; a wrong line or a port in use is said once (a
// console line and a prompt). The console shows the address to open.
void openWebPage(Panel& panel);

// Answers the pages, sends them the status lines when they have changed, and lets pages that
// have gone go: a transmitter a page keyed is switched off when it goes. Says a new code for
// another computer. What it says is kept for after the phrase in hand.
void serveWebPage(Panel& panel);

// Closes every page and the port.
void closeWebPage(Panel& panel);

}  // namespace vocapan
