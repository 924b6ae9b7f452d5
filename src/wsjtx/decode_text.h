// What a decoded message says, read from its words: a CQ (or QRZ) with the calling station's
// call and grid, a station calling the operator with what it sends (a report, a grid,
// "RR73"), or anything else.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace wsjtx {

struct DecodeText {
    enum class Kind { Other, Cq, ToOperator };
    Kind kind = Kind::Other;
    std::string call;               // the station that calls
    std::string grid;               // a CQ's grid; empty when it gave none
    std::vector<std::string> rest;  // a call to the operator: the words after the two calls
};

// The message's words, split at spaces.
std::vector<std::string> messageWords(std::string_view message);
// A call as WSJT-X shows a call it only knows by its hash: "<K1ABC>" is K1ABC.
std::string_view bareCall(std::string_view word);
// A four-character Maidenhead grid ("EN37"); "RR73" is the closing courtesy, not a grid.
bool isGrid(std::string_view word);
// Reads `message` for the operator whose call is `ownCall` (empty: nothing is for them).
DecodeText readDecodeText(std::string_view message, std::string_view ownCall);

}  // namespace wsjtx
