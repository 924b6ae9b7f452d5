// The relay port: other CAT software (a logger, a digital-mode program) works the radio
// through a second serial port. Every command that arrives there goes to the radio in turn,
// and the radio's answer to it, and only that, goes back; frequency reports and mode changes
// also update the panel.
#pragma once

#include "core/panel.h"

namespace vocapan {

// The window timer that serves the relay between polls, so that the other program's
// questions are answered within a few milliseconds of their ";".
constexpr int kRelayTimer = 2;
constexpr int kRelayPeriodMs = 10;

// Serves the relay port: called on each send tick and each relay timer tick while a relay
// port is configured.
void relayPoll(Panel& panel);

// Between the prompts of what the panel says (not while the panel waits for the radio's answer
// to its own command): forwards the other program's commands and answers its questions; what
// the panel would follow from them waits until the relay's next turn.
void relayBetweenPrompts(Panel& panel);

// A relay port that failed (its virtual pair closed) or never opened is tried again every
// second, and served again once it opens: called on each send tick.
void watchRelayPort(Panel& panel);

}  // namespace vocapan
