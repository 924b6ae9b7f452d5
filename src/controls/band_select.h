// Band selection on the radio ("BS" and the radio's band number), announced unless a band
// step is about to announce the band's settings itself; and the mode written back into the
// current band's entry of the band stack.
#pragma once

#include "core/panel.h"

namespace vocapan {

// Sends the band-select command of `band`, says the band unless `terseReadout` is set, and
// leaves `terseReadout` at 0.
void selectBand(Panel& panel);

// Puts the digit of `mode` into the current band's entry (not while the relay drives the radio).
void storeBandMode(Panel& panel);

}  // namespace vocapan
