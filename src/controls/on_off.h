// The receive and transmit functions switched on and off from the keyboard: attenuator,
// noise blanker, noise reduction, speech processor, break-in and VOX.
#pragma once

#include "core/panel.h"

namespace vocapan {

void toggleAttenuator(Panel& panel);
void toggleNoiseBlanker(Panel& panel);
void toggleNoiseReduction(Panel& panel);
void toggleProcessor(Panel& panel);
void toggleBreakIn(Panel& panel);
void toggleVox(Panel& panel);

}  // namespace vocapan
