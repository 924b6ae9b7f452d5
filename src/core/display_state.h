// Fields of the status lines: the frequency as drawn, the last reports, the mode.
#pragma once

#include <array>
#include <string>

namespace vocapan {

struct DisplayState {
    int connected = 0;
    std::string freqDisplayText;
    std::string lastFreqReport;
    std::string vfoAText;
    std::string vfoBText;
    int vfoAHz = 0;
    int skipFreqReport = 0;
    int quitCountdown = 0;
    int quitTicks = 0;  // ticks since the quit key, for a radio that reports no more
    int announceAfterRecall = 0;
    int squelchLevel = 0;
    int quietWidth = 0;
    int mode = 0;  // 1 LSB, 2 USB, 3 CW, 4 AM, 5 FM-N, 6 C4FM, 7 FM
    // The three status lines as the window last drew them, as text: the mode line, the
    // frequency line and the function line. The meter reading drawn beside the mode is kept
    // apart, as the mode is drawn without it.
    std::array<std::string, 3> statusLines;
    std::string meterText;
};

}  // namespace vocapan
