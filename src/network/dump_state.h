// What a program using Hamlib's network rig model reads when it opens the panel: the
// protocol version, the radio's frequency ranges, modes, tuning steps, filters and levels,
// and the settings Hamlib 4.5 reads as key=value lines.
#pragma once

#include <string>

namespace vocapan {

// The whole answer, each line ended by a line feed, the last one "done".
std::string rigDumpState(const std::string& versionText);

}  // namespace vocapan
