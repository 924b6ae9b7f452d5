// The search for the radio: every COM port from 1 to 256 that opens is listed on the console
// and probed at each line speed from 115200 baud down to 1200, the first answer ending it.
#include "finder/search.h"

#include <array>

#include "core/number_text.h"
#include "finder/port_probe.h"

namespace portseek {

namespace {

constexpr int kFirstPort = 1;
constexpr int kLastPort = 256;
constexpr std::array<int, 8> kSpeeds{115200, 57600, 38400, 19200, 9600, 4800, 2400, 1200};
constexpr int kStopKey = 'q';

// The keyboard is looked at before each port and each speed; a probe runs to its end.
bool operatorStopped(Seek& seek) {
    if (seek.platform.console.pollKey() != kStopKey) return false;
    seek.state.searchResult = -1;
    return true;
}

// True when the radio answered on `tryPort` at one of the speeds.
bool probeSpeeds(Seek& seek) {
    SeekState& state = seek.state;
    for (const int baud : kSpeeds) {
        if (operatorStopped(seek)) return false;
        state.tryBaud = baud;
        openTryPort(seek);  // a port that refuses this speed just stays silent
        probeRadio(seek);
        closeTryPort(seek);
        if (state.searchResult == 1) {
            state.foundPort = state.tryPort;
            state.foundBaud = baud;
            return true;
        }
    }
    return false;
}

}  // namespace

void searchPorts(Seek& seek) {
    SeekState& state = seek.state;
    playPrompt(seek, "fcps");
    state.searchResult = 0;
    for (state.tryPort = kFirstPort; state.tryPort <= kLastPort; ++state.tryPort) {
        if (operatorStopped(seek)) return;
        state.tryBaud = kSpeeds.front();
        if (!openTryPort(seek)) continue;
        closeTryPort(seek);
        seek.platform.console.write("Com: " + vocapan::decimalText(state.tryPort) + " \r\n");
        if (probeSpeeds(seek) || state.searchResult == -1) return;
    }
}

}  // namespace portseek
