// The configurations of the talk programs in the finder's folder: the radio's port and speed
// go into the first two lines of "morlin.cfg", "pendra.cfg" or "quisto.cfg", and of the
// panel's own "vocapan.cfg", the rest of each file kept.
#pragma once

#include "finder/seek.h"

namespace portseek {

// Rewrites the last of the sibling talk programs' files that exists, under its name in
// capitals, and vocapan.cfg (written from the package's example when missing). Then plays
// "delay" and what became of the files: "cfuep" when updated, "cfgnw" when one could not be
// written, "wrong" "conf" for a vocapan.cfg of another program; a word that would repeat the
// one before is said once. A file is never removed or changed before its new content is
// complete.
void writeConfiguration(Seek& seek);

}  // namespace portseek
