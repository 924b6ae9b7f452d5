// Fields for speaking what changed at the radio itself (its dial, its band and mode buttons,
// or other software through the relay): the frequency the radio last reported and how long it
// has stayed there, and the frequency, band and mode the operator last heard or set.
#pragma once

#include <string>

namespace vocapan {

struct KnobState {
    std::string ownFreqCommand;  // the panel's own last frequency command, until a report shows it
    std::string seenFreq;        // the nine digits of the last frequency report
    int seenSteady = 0;          // reports since those digits last changed
    std::string heardFreq;       // the nine digits the operator last heard or set
    int heardBand = 0;
    int heardMode = 0;
    int modePollCount = 0;  // frequency polls since the mode was last asked
    int modeWhenAsked = 0;  // the panel's mode when the radio was last asked for its own
};

}  // namespace vocapan
