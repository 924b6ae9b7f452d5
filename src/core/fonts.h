// The two fonts of the panel window: the large one of the mode and frequency lines and the
// small one of the function line and the S-meter's decibels. The face is named "Ariel" and
// left to the system's font mapping.
#pragma once

#include "platform/panel_window.h"

namespace vocapan {

inline const platform::FontSpec kLargeFont{"Ariel", 50, 700};
inline const platform::FontSpec kSmallFont{"Ariel", 20, 20};

}  // namespace vocapan
