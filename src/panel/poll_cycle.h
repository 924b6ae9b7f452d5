// The radio poll driven by the 50 ms window timer: a send tick asks for the frequency or
// a meter, the next tick reads what arrived and hands it to the status lines and readouts.
#pragma once

#include "core/panel.h"

namespace vocapan {

// The window timer that drives the poll: identifier 1, a tick every 50 ms.
constexpr int kPollTimer = 1;
constexpr int kPollPeriodMs = 50;

void pollTick(Panel& panel);
// While a turn's words are played, takes the poll's tick when it is due and the radio's port
// is free: the radio is asked on at the poll's pace and the S-meter shown; what else is read
// waits for the read after the words.
void pollBetweenPrompts(Panel& panel);

}  // namespace vocapan
