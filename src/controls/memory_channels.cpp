// Not built yet: each of these keys does nothing audible and sends nothing until its operation lands.
#include "controls/memory_channels.h"

namespace vocapan {

void chooseMemoryBank(Panel&) {}
void storeChannel(Panel&) {}
void recallChannel(Panel&) {}

}  // namespace vocapan
