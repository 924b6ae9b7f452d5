// The frequency line of the panel window (y = 150, large font): the VFO markers "B" and "R"
// at x = 80 and the frequency in megahertz at x = 285.
#pragma once

#include <string>

#include "core/panel.h"

namespace vocapan {

// The ten-character frequency text of nine digits of hertz: MHz, ".", six digits, each
// leading "0" shown as a blank (" 14.074000", "  1.900000").
std::string frequencyDisplayText(const std::string& nineDigits);

// Draws the markers and `displayText`, blanking what a longer text left behind.
void drawFrequencyLine(Panel& panel, const std::string& displayText);

}  // namespace vocapan
