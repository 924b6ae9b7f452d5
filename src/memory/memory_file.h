// The memory file "savmem.dat": the band table and the 100 memory channels kept between
// sessions, read once at start and written whenever they must survive the session.
#pragma once

#include "core/panel.h"

namespace vocapan {

// Reads "savmem.dat" into `bandStack`, `memorySlots`, `band` and `nrOn`. Expects the band
// table and the empty channels already set to their start contents: whatever the file lacks
// or holds damaged keeps those. A missing or foreign file is replaced by one holding them.
// Returns how many channels held a damaged record; the file as read is then kept as
// "savmem.bak", so what they held is not lost.
int loadMemories(Panel& panel);

// Writes "savmem.dat" from the state (115 lines), then the listing "memory.txt".
void saveMemories(Panel& panel);

}  // namespace vocapan
