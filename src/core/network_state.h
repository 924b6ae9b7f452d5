// Fields of the network rig control: the programs connected to the panel's TCP port, each
// with what it has sent and what waits to go back to it.
#pragma once

#include <string>
#include <vector>

namespace vocapan {

struct NetClient {
    int connection = 0;             // the platform's number of the connection
    std::string input;              // received, not yet a whole line
    std::string output;             // answers the connection has not taken yet
    int idleTicks = 0;              // timer ticks since the last whole line
    bool closing = false;           // closed once its last answer has gone
    bool keyedTransmitter = false;  // its transmit is on; going away switches it off
};

struct NetworkState {
    int netListening = 0;
    int announceAfterRemote = 0;  // the next frequency report speaks frequency and mode
    int rigDataMode = 0;          // the panel mode a program last set by its data-mode name; 0 none
    std::vector<NetClient> netClients;
};

}  // namespace vocapan
