// Up and Down, the panel's one knob: they step whatever the last prefix key selected (band,
// filter width, power, gains, levels, keyer speed, mic gain), or the frequency by 1 kHz.
#pragma once

#include "core/panel.h"

namespace vocapan {

void stepUp(Panel& panel);
void stepDown(Panel& panel);

}  // namespace vocapan
