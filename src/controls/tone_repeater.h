// FM repeater work: tone squelch by a CTCSS tone or DCS code ("CN", "CT", and the DCS menu
// "EX086"), and the repeater shift of the current band ("EX0103.." offset, "OS0n").
#pragma once

#include "core/panel.h"

namespace vocapan {

// Sends `toneCode` (a DCS code when `dcsSelected` is 1) and switches tone squelch on.
void applyTone(Panel& panel);

// Tone squelch back on, without a word, with the three-digit `toneCode` a band entry or the
// C4FM key kept: a DCS code (from 500 up) as "CN01" with "CT03", a CTCSS tone as "CN00"
// with "CT01". Sets `dcsSelected` by the code.
void resumeTone(Panel& panel);

// `repeaterOn` 1 switches the shift off with words, 2 silently; 0 switches it on with the
// band's configured offset.
void toggleRepeaterShift(Panel& panel);

}  // namespace vocapan
