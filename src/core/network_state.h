// Fields of the network rig control: the programs connected to the panel's TCP port, each
// with what it has sent and what waits to go back to it, and the programs' sets that wait to
// be carried out, the latest of each kind.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/ip_address.h"

namespace vocapan {

struct Panel;
struct RigReading;

struct NetClient {
    int connection = 0;             // the platform's number of the connection
    std::string input;              // received, not yet a whole line
    std::string output;             // answers the connection has not taken yet
    int idleTicks = 0;              // timer ticks since the last command
    std::size_t readThisTick = 0;   // bytes taken from the connection in this tick
    bool closing = false;           // closed once its last answer has gone
    bool keyedTransmitter = false;  // its transmit is on; going away switches it off
    char extendNext = 0;            // the extended separator "+\chk_vfo" left for its next command
    bool fromAfar = false;          // from another computer: its coming and going are said
};

// A set a program asked for, answered already and carried out at the end of the tick: only
// the latest of each kind ("set_freq", "set_level AF"...) reaches the radio. While the panel
// speaks its commands go to the radio at once, and the panel follows once the words end.
struct PendingSet {
    std::string kind;
    int connection = 0;  // the program that asked for it
    std::function<void(Panel&)> apply;
    // What every program reads back from the moment the set was answered.
    std::function<void(RigReading&)> shows;
    bool onLine = false;                 // its commands have gone to the radio while the panel spoke
    std::vector<std::string> sentAhead;  // those commands, each with its ";"
};

// A program's change of frequency or mode is spoken once the programs have left the radio
// alone for this many 50 ms ticks: a program scanning or following a knob is heard where it
// settles, and the poll keeps its pace meanwhile.
inline constexpr int kProgramsQuietTicks = 3;

struct NetworkState {
    int netListening = 0;
    int netServing = 0;           // 1 while the server works through the programs' lines
    int announceAfterRemote = 0;  // the next frequency report speaks frequency and mode
    int ticksSinceRemoteSet = 0;  // ticks since a program's set was carried out
    int rigDataMode = 0;          // the panel mode a program last set by its data-mode name; 0 none
    std::vector<NetClient> netClients;
    std::vector<PendingSet> pendingSets;  // in the order they were last asked for
    std::vector<IpAddress> netRefused;    // the addresses whose refusal has been said
    std::vector<std::string> netNews;     // comings said at the next tick, taken while speaking
    // 1 while a program's set goes to the radio's line during speech: only its commands are
    // written, the panel's fields stay as the speaking operation has them.
    int setsAheadOnly = 0;
    int setsAheadWait = 0;  // calls while speaking before sets may go to the radio again
    // Every command the programs' sets put on the radio's line while the panel spoke, since
    // the panel last followed them: the radio as it now is.
    std::vector<std::string> aheadSinceFollow;
    int actingConnection = 0;  // the program whose set is being carried out
};

}  // namespace vocapan
