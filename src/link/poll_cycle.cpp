// PLACEHOLDER until the poll cycle lands: the timer does nothing yet.
#include "link/poll_cycle.h"

namespace vocapan {

void pollTick(Panel&) {}

}  // namespace vocapan
