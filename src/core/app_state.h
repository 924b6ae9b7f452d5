// Program-wide fields of the panel: version, main-loop flag, the key being handled, the
// configuration read at start, and the shared working fields.
#pragma once

#include <string>
#include <vector>

#include "core/ip_address.h"

namespace vocapan {

struct AppState {
    // Start-up and main loop
    std::string versionText;
    std::string bannerText;
    int running = 0;

    // Key handling
    int keyCode = 0;
    int keyDown = 0;

    // Shared working fields; an operation that relies on a value left here by another says so.
    std::string scratchText;
    std::string scratchText2;
    int scratchIndex = 0;
    int scratchIndex2 = 0;
    int scratchIndex3 = 0;
};

// What vocapan.cfg sets, and the copies of the configured repeater shifts.
struct ConfigState {
    int comPort = 0;
    int baudRate = 0;
    int swrOption = 0;
    int tunerMode = 0;
    int powerOffOnQuit = 0;
    std::string topBand;
    std::string offsetSign10, offsetSign11, offsetSign12, offsetSign13;
    std::string offsetDigits10, offsetDigits11, offsetDigits12, offsetDigits13;
    std::string stdOffsetSign10, stdOffsetSign11, stdOffsetSign12, stdOffsetSign13;
    std::string stdOffsetDigits10, stdOffsetDigits11, stdOffsetDigits12, stdOffsetDigits13;
    int relayPort = 0;
    int debugLog = 0;
    int knobSpeech = 0;        // 1: changes made at the radio itself are spoken
    int netPort = 0;           // TCP port of the network rig control; 0 = off
    int netAllInterfaces = 0;  // 1: served on every interface, not only 127.0.0.1
    // The other computers whose programs are served when every interface is: 0 no allow
    // line (every computer), 1 those of netAllowed, -1 a line that lists no addresses (none).
    int netAllowList = 0;
    std::vector<AddressRange> netAllowed;
    int voice = 1;  // 1 to 3: the recorded voice at rising speed; 4: the screen reader
    // 1: line 14 chose the screen reader, whose place the recorded voice takes while it is away.
    int readerChosen = 0;
    // The serial server the radio is reached through instead of a COM port; port 0 = none.
    std::string remoteHost;  // a name, an IPv4 address or an IPv6 address (no brackets)
    int remotePort = 0;
    // WSJT-X's UDP server port the panel listens on (0 = off), on 127.0.0.1 or on the
    // address or multicast group given; 1 when line 16 holds a value that is none of these.
    int wsjtxPort = 0;
    std::string wsjtxAddress;
    int wsjtxLineWrong = 0;
    // The web page's TCP port (0 = off), on 127.0.0.1 and ::1 or on every address; 1 when
    // line 18 holds a value that is neither form.
    int webPort = 0;
    int webAllInterfaces = 0;
    int webLineWrong = 0;
};

// Entry modes and immediate key actions.
struct EntryState {
    int entryMode = 0;
    std::string menuNumber;
    std::string menuValue;
    std::string offsetText;
    int antenna2 = 0;
    int terseReadout = 0;
    int savedMode = 0;
    int micMeter = 0;
    int micGain = 0;
    int toneApplying = 0;
    int readoutOther = 0;

    int tuning = 0;
    int txState = 0;
    int levelTarget = 0;
    int atuEngaged = 0;
    int fmWide = 0;
    std::string savedToneCode;
    int monitorOn = 0;
    int notchOn = 0;
    int contourOn = 0;
};

}  // namespace vocapan
