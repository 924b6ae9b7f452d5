// A radio behind a serial server may be a long way off: every answer takes a round trip,
// which can outlast the pause a cable needs. There the questions the panel asks are kept
// until answered, each answer is matched with its question as it arrives, and the round trip
// is measured from them. On a COM port none of this runs and everything arrives as it came.
#pragma once

#include <string>

#include "core/panel.h"

namespace vocapan {

// True when the radio is reached through a serial server.
bool answersTakeARoundTrip(const PanelState& state);

// `command` (with its ";") has gone to the radio: a query is counted among the questions on
// the way; a set makes the answers of its letters still on the way out of date.
void noteSent(Panel& panel, const std::string& command);
// The question sent last is the poll's: its answer goes to the poll cycle.
void noteAskedByPoll(PanelState& state);

// Sorts `chunk`, just read from the radio's line: the poll's answers and the radio's unasked
// reports go to `pollInput`; an answer to a question given up, or one that tells a value the
// panel has since set anew, is dropped; the rest, the answers the
// panel's operations asked for, is returned. On a COM port the chunk is returned as it came.
std::string noteArrived(Panel& panel, const std::string& chunk);

// True while a question other than the poll's, not given up, is on the way.
bool answersAwaited(const PanelState& state);
// How long a question's answer is waited for: the larger of the cable's pause and twice the
// round trip with some to spare; before any answer has been timed, as long as the slowest
// line served may take.
int answerLimitMs(const PanelState& state);
// The questions awaited are given up: their answers are no longer waited for.
void giveUpAnswers(PanelState& state);
// A new connection, or a radio lost: nothing asked before will be answered.
void forgetQuestions(PanelState& state);

// Polls sent within one round trip: a silent radio is taken for lost only that much later.
int roundTripPolls(const PanelState& state);

}  // namespace vocapan
