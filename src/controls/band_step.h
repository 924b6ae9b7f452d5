// Up and Down after B: the next band up or down, wrapping at the radio's highest band, with
// where the operator was kept in the old band's entry and the new band's entry recalled.
#pragma once

#include <string>

#include "core/panel.h"

namespace vocapan {

// The band number of the radio's highest band by its name ("10", "6", "2", "7"); 70 cm for
// any other name.
int topBandNumber(const std::string& topBand);

void bandStepUp(Panel& panel);
void bandStepDown(Panel& panel);

}  // namespace vocapan
