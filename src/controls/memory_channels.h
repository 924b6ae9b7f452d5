// Memory channels: ten banks of ten. A digit after C stores where the operator is into a
// channel (savmem.dat and memory.txt written at once); a digit after G, or U, recalls one:
// split or repeater shift, band, frequency, mode, tone and preamplifier put back on the radio.
#pragma once

#include "core/panel.h"

namespace vocapan {

// The digit in `keyCode` after B in a channel entry: it becomes the bank ("3", "channel").
void chooseMemoryBank(Panel& panel);

// The digit in `keyCode` after C: the current settings go into that channel of the bank in
// `bankDigitPending`, and the memory file is saved.
void storeChannel(Panel& panel);

// The digit in `keyCode` after G (or the slot U found): that channel of the bank in
// `bankDigitPending` is put on the radio. An empty or damaged channel is "invalid".
void recallChannel(Panel& panel);

}  // namespace vocapan
