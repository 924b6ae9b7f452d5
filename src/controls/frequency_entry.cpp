// Not built yet: each of these keys does nothing audible and sends nothing until its operation lands.
#include "controls/frequency_entry.h"

namespace vocapan {

void stepFrequencyAndSend(Panel&) {}
void snapToKhz(Panel&) {}
void openFrequencyEntry(Panel&) {}
void typeFrequencyPoint(Panel&) {}
void finishFrequencyEntry(Panel&) {}
void toggleSplit(Panel&) {}

}  // namespace vocapan
