// A radio that stops answering, or whose port fails (a USB cable pulled, the radio switched
// off, the serial server stopped or its connection reset), is noticed within about two
// seconds and said once; the port is tried again every second, and a radio that answers
// again is brought back as at start.
#pragma once

#include "core/panel.h"

namespace vocapan {

// Runs on every poll tick; true while the radio is lost, when the tick does nothing else.
bool watchRadio(Panel& panel);

}  // namespace vocapan
