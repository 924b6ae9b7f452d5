// The radio settings the panel keeps a copy of: frequency entry, levels, on/off functions,
// tone squelch and repeater shift.
#pragma once

#include <string>

namespace vocapan {

struct ControlsState {
    // Frequency and VFO
    int vfoBTarget = 0;  // 1 while the operator works on VFO B
    // The connection of the program that switched split on (0: none). The panel then works
    // VFO A, the program's dial, and the program keeps VFO B, the transmitter's.
    int programSplit = 0;
    int programTxHz = 0;  // VFO B as that program set it
    int typedFreq = 0;
    int typedMhzDigits = 0;
    int freqEntry = 0;
    int pointTyped = 0;
    int typedBand = 0;
    std::string splitSaveText;
    int savedBand = 0;

    // Levels
    int powerLevel = 0;
    int rfGain = 0;
    int rfGainSub = 0;
    int afGainMain = 0;
    int afGainSub = 0;
    int monitorLevel = 0;
    int keyerSpeed = 0;
    int nbLevel = 0;
    int nrLevel = 0;
    int contourFreq = 0;
    int procLevel = 0;
    int filterWidth = 0;
    int ssbWidth = 0;
    int cwWidth = 0;

    // On/off functions
    int preampLevel = 0;
    int attOn = 0;
    int nbOn = 0;
    int nrOn = 0;
    int procOn = 0;
    int breakInOn = 0;
    int voxOn = 0;

    // Tone squelch and repeater shift
    std::string toneCode;
    int toneEntry = 0;
    int dcsSelected = 0;
    int repeaterOn = 0;
};

}  // namespace vocapan
