// Every frequency report of the radio ("FA"/"FB" and nine digits): the first one announces
// the connection, later ones redraw the frequency line with its VFO markers, keep the band
// stack current, finish the quit sequence and speak a recalled memory's settings.
#pragma once

#include "panel/panel.h"

namespace vocapan {

// Handles the report in `replyText`.
void onFrequencyReport(Panel& panel);

// The ten-character frequency text of nine digits of hertz: MHz, ".", six digits, each
// leading "0" shown as a blank (" 14.074000", "  1.900000").
std::string frequencyDisplayText(const std::string& nineDigits);

}  // namespace vocapan
