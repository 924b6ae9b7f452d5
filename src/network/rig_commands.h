// The rig-control commands the panel answers, one table of short and long names: frequency,
// mode, VFO, split, transmit, levels, the state dump Hamlib reads at open, the VFO-mode and
// power checks, and quit. Every other command answers "RPRT -11".
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "core/panel.h"
#include "network/rig_protocol.h"
#include "network/rig_values.h"

namespace vocapan {

struct RigExchange {
    std::string reply;                 // the answer to send back
    std::function<void(Panel&)> then;  // the change on the radio, made once the answer has gone
    bool closes = false;               // the program said goodbye
    // For a set: what it changes ("set_freq", "set_level AF"); a later set of the same kind
    // replaces it before it is carried out.
    std::string kind;
    std::function<void(RigReading&)> shows;  // for a set: what programs read back meanwhile
};

// Answers the next command of a line a program sent; nothing once the line has been read.
// Queries are answered from the panel's state with the sets still to be carried out on top;
// a set is checked at once and carried out by `then`. `extendNext` is the connection's
// carried extended form, which "+\chk_vfo" leaves for the command after it.
std::optional<RigExchange> answerNextRigCommand(Panel& panel, RigLineReader& line, char& extendNext);

}  // namespace vocapan
