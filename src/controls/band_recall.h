// Recalling a band's entry from the band stack: the band selected on the radio, and its
// frequency, mode, repeater shift, tone and preamplifier restored.
#pragma once

#include "core/panel.h"

namespace vocapan {

// Puts the entry of `band` into effect (band 15 means the general-coverage entry 14).
void recallBandEntry(Panel& panel);

}  // namespace vocapan
