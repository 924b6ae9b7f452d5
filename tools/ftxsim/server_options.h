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
    // The operator at the radio, timed from the start of serving.
    std::vector<long long> knob;  // --knob: frequencies in Hz the dial is turned through
    int knobStepMs = 100;         // --knob-step-ms: time between two of them
    int knobAfterMs = 0;          // --knob-after-ms: time before the first
    std::string modeButton;       // --mode-button: the mode code ("2" USB...) pressed
    int modeButtonAfterMs = 0;    // --mode-button-after-ms
    // A flood of unasked reports: this many bytes of the --report text, sent as fast as the
    // program reads them, once, timed from the start.
    int burstBytes = 0;    // --burst
    int burstAfterMs = 0;  // --burst-after-ms
    // --line-bytes-per-second: the radio takes in no more than this (3840 for 38400 baud),
    // so that what a program writes faster queues on the line as on a real port; 0 as fast
    // as it comes.
    int lineBytesPerSecond = 0;
};

inline constexpr const char* kUsage =
    "usage: ftxsim [--link PATH] [--id NNNN] [--silent] [--only-baud BAUD] [--log FILE] [--log-epoch]\n"
    "              [--report TEXT] [--report-every MS] [--mic-reports]\n"
    "              [--knob HZ,HZ,... [--knob-step-ms MS] [--knob-after-ms MS]]\n"
    "              [--mode-button CODE [--mode-button-after-ms MS]]\n"
    "              [--burst BYTES [--burst-after-ms MS]] [--line-bytes-per-second N]\n"
    "Serves a simulated FTX transceiver on a pseudo-terminal until stopped (SIGINT or SIGTERM).\n"
    "--knob turns the radio's dial through the frequencies as an operator would, --mode-button\n"
    "presses the button of a mode (the character after MD0), both timed from the start.\n"
    "--burst floods the line once with BYTES of the --report text, logging its start and end.\n"
    "--line-bytes-per-second reads commands no faster than a real line carries them.\n";

// Reads the arguments after the program name. False, with `error` telling why, on a
// wrong argument.
bool parseServerOptions(const std::vector<std::string>& arguments, ServerOptions& options, std::string& error);

}  // namespace ftxsim
