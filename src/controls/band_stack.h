// The band stack: where the operator was on each band. The store writes the last frequency
// report, the mode, VFO use, repeater shift, tone and preamplifier into the band's entry, so
// that returning to the band restores them.
#pragma once

#include "core/panel.h"

namespace vocapan {

// Sets `band` from the frequency of `lastFreqReport`. False when the mode does not suit that
// band (FM or C4FM on the HF bands, C4FM below 2 m).
bool bandOfReport(Panel& panel);

// Writes the current state into the entry of the band the last report lies in.
void storeBandStack(Panel& panel);

// Cuts the entry under construction in `scratchText2` after its "B" and, on the bands with a
// repeater offset, completes it with the band's shift sign, "0000" and the offset digits.
void appendRepeaterShift(Panel& panel);

}  // namespace vocapan
