// A digit key: what it means depends on the entry open (band prefix, memory bank and slot,
// menu number and value, offset digits, tone code, typed frequency).
#pragma once

#include "core/panel.h"

namespace vocapan {

// Handles the digit `keyCode` - '0'.
void onDigitKey(Panel& panel);

}  // namespace vocapan
