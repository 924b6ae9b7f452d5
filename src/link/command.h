// Every CAT command leaves through sendCommand; a query waits for the radio's answer with
// the "delay" prompt and reads whatever has arrived. The debug transcript is written here.
#pragma once

#include <string>

#include "core/panel.h"

namespace vocapan {

// Sends `workText`: "FA" becomes "FB" while the operator works on VFO B, ";" is appended,
// a frequency command is remembered, and the command is logged. Never waits.
void sendCommand(Panel& panel);
// Waits for the radio's answer for as long as the "delay" prompt lasts.
void pauseForReply(Panel& panel);
// Takes whatever the radio has sent, however much, into `replyText`, repairing a report
// below 1 MHz, and logs a non-empty read. Never waits.
void readReply(Panel& panel);
// Adds everything that has arrived from the radio to `radioInput`. Never waits.
void takeArrived(Panel& panel);
// A report of a frequency below 1 MHz ("FA000500000;") becomes "FA001000000", without ";".
void repairLowFrequencyReport(std::string& reply);

// Puts `command` into `workText` and sends it.
void send(Panel& panel, const std::string& command);
// Sends `command`, waits for the answer and reads it into `replyText`.
void query(Panel& panel, const std::string& command);

// Writes one line of "debug.dat" when the transcript is kept.
void writeDebugLine(Panel& panel, const std::string& line);

}  // namespace vocapan
