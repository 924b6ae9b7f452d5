// The panel's turns: the handling of one message runs on a fiber of its own, and each sound it
// waits for (a prompt, the pause for the radio's answer) is played by the loop, which until
// the sound ends (or, through a serial server, the radio's answer is in) serves what cannot
// wait: the programs on the network and relay ports, WSJT-X, the web page, the braille
// display, and the keys that may pass the others.
#pragma once

#include <functional>

#include "core/panel.h"

namespace vocapan {

// Runs `work` as a turn and returns when it has ended, its words said. Inside a turn it only
// runs `work`.
void runTurn(Panel& panel, const std::function<void()>& work);

// Ends the phrase the turn said, and says, as a phrase of its own and in a turn of its own,
// what was kept for after it.
void endTurnPhrase(Panel& panel);

}  // namespace vocapan
