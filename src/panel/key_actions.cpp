// Not built yet: each of these keys does nothing audible and sends nothing until its operation lands.
#include "panel/key_actions.h"

namespace vocapan {

void toggleMonitor(Panel&) {}
void nextUsedSlot(Panel&) {}
void toggleTransmit(Panel&) {}
void selectLevel(Panel&) {}
void toggleDigital(Panel&) {}
void listOptions(Panel&) {}
void stepPreampKey(Panel&) {}
void toggleNotch(Panel&) {}
void toggleContour(Panel&) {}
void stepTuner(Panel&) {}
void openPower(Panel&) {}
void tune(Panel&) {}
void stepMode(Panel&) {}

}  // namespace vocapan
