// Tuning from the keyboard: the frequency step keys, snap to the kilohertz, the direct
// frequency entry in megahertz and split operation on VFO B.
#pragma once

#include "core/panel.h"

namespace vocapan {

// The step keys ("=", "-", Page Up/Down, Right, Left) change the frequency, or in FM the
// squelch; every key that reaches here sends the current frequency.
void stepFrequencyAndSend(Panel& panel);
// Z outside CW: the frequency to the whole kilohertz.
void snapToKhz(Panel& panel);
// E: a frequency in megahertz is typed.
void openFrequencyEntry(Panel& panel);
// A digit 0 to 9 in the frequency entry.
void typeFrequencyDigit(Panel& panel, int digit);
// "." in the frequency entry.
void typeFrequencyPoint(Panel& panel);
// Enter in the frequency entry: the typed frequency is tuned.
void finishFrequencyEntry(Panel& panel);
// V: split on or off; a split a program switched on goes off.
void toggleSplit(Panel& panel);
// Split switched on by the program on `connection` ("ST1", VFO B to `txHz` by "FB"),
// spoken "split": the panel goes on working VFO A.
void startProgramSplit(Panel& panel, int connection, int txHz);
// The split a program switched on ends ("ST0"), spoken "split off".
void endProgramSplit(Panel& panel);

}  // namespace vocapan
