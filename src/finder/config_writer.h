// The talk program's configuration: the radio's port and speed go into the first two lines of
// "morlin.cfg", "pendra.cfg" or "quisto.cfg", the rest of the file kept.
#pragma once

#include "finder/seek.h"

namespace portseek {

// Rewrites the last of the talk programs' files that exists, under its name in capitals, and
// plays "delay" and "cfuep". When none exists or it cannot be written, plays "delay" and
// "cfgnf"; the old file is never removed before the new content is complete.
void writeConfiguration(Seek& seek);

}  // namespace portseek
