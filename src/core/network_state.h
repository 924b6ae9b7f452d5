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

// A set a program asked for, answered already and carried out once the program's lines in hand
// are answered: only the latest of each kind ("set_freq", "set_level AF"...) reaches the radio.
struct PendingSet {
    std::string kind;
    int connection = 0;  // the program that asked for it
    std::function<void(Panel&)> apply;
    // What every program reads back from the moment the set was answered.
    std::function<void(RigReading&)> shows;
};

// A program's change of frequency or mode is spoken once the programs have left the radio
// alone for this many 50 ms ticks: a program scanning or following a knob is heard where it
// settles, and the poll keeps its pace meanwhile.
inline constexpr int kProgramsQuietTicks = 3;

struct NetworkState {
    int netListening = 0;
    int announceAfterRemote = 0;  // the next frequency report speaks frequency and mode
    int ticksSinceRemoteSet = 0;  // ticks since a program's set was carried out
    int rigDataMode = 0;          // the panel mode a program last set by its data-mode name; 0 none
    std::vector<NetClient> netClients;
    std::vector<PendingSet> pendingSets;  // in the order they were last asked for
    std::vector<IpAddress> netRefused;    // the addresses whose refusal has been said
    int actingConnection = 0;             // the program whose set is being carried out
};

}  // namespace vocapan
