// The operator's braille display, in every voice: the status lines as the window shows them,
// kept current, and each phrase the panel says, as its words. The display is fed and never
// waited on; without BRLTTY nothing is said and nothing waits.
#pragma once

#include "core/panel.h"

namespace vocapan {

// Starts the display once the window is open; from then on every phrase said goes to it.
void openBraille(Panel& panel);
// Hands the display the status lines when they have changed.
void showStatusInBraille(Panel& panel);

}  // namespace vocapan
