// The command line of the ftxsim program: where to put the link to the radio's port, how the
// radio behaves, and what it logs and reports unasked.
#pragma once

#include <string>
#include <vector>

#include "ftxsim/radio.h"

namespace ftxsim {

struct ServerOptions {
    RadioOptions radio;
    std::string linkPath;      // --link: a symbolic link made to the radio's port
    std::string logPath;       // --log: every command received, with time and line speed
    std::string report;        // --report: an unasked report sent again and again
    int reportEveryMs = 1000;  // --report-every
    bool micReports = false;   // --mic-reports: "RM4" mic-level reports every 200 ms
    bool logEpoch = false;     // --log-epoch: log times as seconds since the epoch, to the microsecond
};

inline constexpr const char* kUsage =
    "usage: ftxsim [--link PATH] [--id NNNN] [--silent] [--only-baud BAUD] [--log FILE] [--log-epoch]\n"
    "              [--report TEXT] [--report-every MS] [--mic-reports]\n"
    "Serves a simulated FTX transceiver on a pseudo-terminal until stopped (SIGINT or SIGTERM).\n";

// Reads the arguments after the program name. False, with `error` telling why, on a
// wrong argument.
bool parseServerOptions(const std::vector<std::string>& arguments, ServerOptions& options, std::string& error);

}  // namespace ftxsim
