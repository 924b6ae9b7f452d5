// Not built yet: each of these keys does nothing audible and sends nothing until its operation lands.
#include "panel/digit_key.h"

namespace vocapan {

void onDigitKey(Panel&) {}

}  // namespace vocapan
