// The radio finder's state: the port and speed being tried, what the last probe heard, the
// result of the search, and the talk program's configuration lines being rewritten.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace portseek {

struct SeekState {
    std::string waveDir = "wave\\";
    int tryPort = 1;
    int tryBaud = 0;
    std::string probeReply;
    int searchResult = 0;  // 1 radio found, 0 no radio found, -1 ended by the operator
    int foundPort = 0;
    int foundBaud = 0;

    int siblingConfig = 0;                   // 0 none, 1 "morlin.cfg", 2 "pendra.cfg", 3 "quisto.cfg"
    std::array<std::string, 20> cfgLines{};  // line n of the old file in index n; index 0 empty
    std::vector<std::string> cfgLaterLines;  // the old file's lines after the 19th, in order
};

}  // namespace portseek
