// The rig-control commands the panel answers, one table of short and long names: frequency,
// mode, VFO, split, transmit, levels, the state dump Hamlib reads at open, the VFO-mode and
// power checks, and quit. Every other command answers "RPRT -11".
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "core/panel.h"

namespace vocapan {

struct RigExchange {
    std::string reply;                 // the answer to send back
    std::function<void(Panel&)> then;  // the change on the radio, made once the answer has gone
    bool closes = false;               // the program said goodbye
    // For a set: what it changes ("set_freq", "set_level AF"); a later set of the same kind
    // replaces it before it is carried out.
    std::string kind;
};

// Answers one line a program sent (without its line end). Queries are answered from the
// panel's state as the last poll left it; a set is checked at once and carried out by `then`.
RigExchange answerRigLine(Panel& panel, std::string_view line);

}  // namespace vocapan
