// The keys that act at once: monitor, next used memory slot, transmit, level selection,
// digital voice, the options listing, preamplifier, notch, contour, tuner, power, tune and
// the mode step.
#pragma once

#include "core/panel.h"

namespace vocapan {

void toggleMonitor(Panel& panel);   // F9
void nextUsedSlot(Panel& panel);    // U
void toggleTransmit(Panel& panel);  // Space
void selectLevel(Panel& panel);     // L
void toggleDigital(Panel& panel);   // D
void listOptions(Panel& panel);     // O
void stepPreampKey(Panel& panel);   // F1
void toggleNotch(Panel& panel);     // F5
void toggleContour(Panel& panel);   // F6
void stepTuner(Panel& panel);       // F12
void openPower(Panel& panel);       // P
void tune(Panel& panel);            // T
void stepMode(Panel& panel);        // M

}  // namespace vocapan
