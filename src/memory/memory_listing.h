// The listing "memory.txt": a plain-text page of every used memory channel, bank by bank,
// for the operator to read with a screen reader or to print.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/panel.h"

namespace vocapan {

// One channel's line, e.g. "Slot 7 A=14.074  B=14.074  USB" and seven spaces. `record` must
// be a stored channel (isStoredChannel).
std::string channelLine(int channel, std::string_view record);

// Every line of the listing, without line ends. Channels that hold nothing usable are left out.
std::vector<std::string> memoryListingLines(const std::array<std::string, 100>& memorySlots);

// Writes "memory.txt" afresh from `memorySlots`.
void writeMemoryListing(Panel& panel);

}  // namespace vocapan
