// The search over COM 1 to 256 and the eight line speeds, which the operator can end with "q".
#pragma once

#include "finder/seek.h"

namespace portseek {

// Plays "fcps" and probes every port that opens, fastest speed first, until the radio
// answers (`searchResult` 1 with `foundPort` and `foundBaud`), the ports run out (0), or the
// operator presses "q" (-1). Each port that opens is listed on the console as "Com: N ".
void searchPorts(Seek& seek);

}  // namespace portseek
