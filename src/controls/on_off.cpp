// Not built yet: each of these keys does nothing audible and sends nothing until its operation lands.
#include "controls/on_off.h"

namespace vocapan {

void toggleAttenuator(Panel&) {}
void toggleNoiseBlanker(Panel&) {}
void toggleNoiseReduction(Panel&) {}
void toggleProcessor(Panel&) {}
void toggleBreakIn(Panel&) {}
void toggleVox(Panel&) {}

}  // namespace vocapan
