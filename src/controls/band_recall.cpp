// Not built yet: each of these keys does nothing audible and sends nothing until its operation lands.
#include "controls/band_recall.h"

namespace vocapan {

void recallBandEntry(Panel&) {}

}  // namespace vocapan
