// The ftxsim program's work: the simulated radio served on a pseudo-terminal until it is told
// to stop, with its traffic logged and its unasked reports sent.
#pragma once

#include <csignal>

#include "ftxsim/pty_line.h"
#include "ftxsim/radio.h"
#include "ftxsim/server_options.h"

namespace ftxsim {

// Serves `radio` on `line` until `stopRequested` becomes non-zero.
void serve(Radio& radio, PtyLine& line, const ServerOptions& options, const volatile std::sig_atomic_t& stopRequested);

}  // namespace ftxsim
