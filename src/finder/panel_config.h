// The panel's own configuration, vocapan.cfg: the radio's port and speed go into its first
// two lines, so that the panel started next in the same folder reaches the radio.
#pragma once

#include "finder/config_file.h"
#include "finder/seek_state.h"

namespace portseek {

// Puts "com=" with `foundPort` into line 1 and "speed=" with `foundBaud` into line 2 of
// vocapan.cfg, every other line kept as it was and every line ended by CR LF. Where there is
// no vocapan.cfg, or an empty one, the package's example is written with the port and speed.
// A file whose third line begins "pow" belongs to another program and is left alone. So is
// every file when the port has three digits, which the panel's line 1 cannot hold.
ConfigOutcome writePanelConfiguration(const SeekState& state);

}  // namespace portseek
