// Not built yet: each of these keys does nothing audible and sends nothing until its operation lands.
#include "controls/steps.h"

namespace vocapan {

void stepUp(Panel&) {}
void stepDown(Panel&) {}

}  // namespace vocapan
