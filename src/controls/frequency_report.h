// Every frequency report of the radio ("FA"/"FB" and nine digits): the first one announces
// the connection, later ones redraw the frequency line with its VFO markers, keep the band
// stack current, finish the quit sequence and speak a recalled memory's settings.
#pragma once

#include "core/panel.h"

namespace vocapan {

// Handles the report in `replyText`.
void onFrequencyReport(Panel& panel);
// The end of the quit sequence: the memories are saved and the session ends.
void finishQuit(Panel& panel);

}  // namespace vocapan
