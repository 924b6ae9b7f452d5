// The panel from start to end: window and greeting, configuration, panel and radio
// start-up, the message loop with the 50 ms poll timer, and the shutdown sequence.
#pragma once

#include "platform/platform.h"

namespace vocapan {

// Runs the whole program on the given platform; answers the process exit code.
int runPanel(platform::Platform& services);

}  // namespace vocapan
