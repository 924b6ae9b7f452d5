// Every CAT command leaves through sendCommand; a query waits for the radio's answer with
// the "delay" prompt (through a serial server, until the answer is in) and reads whatever has
// arrived. The debug transcript is written here.
#pragma once

#include <string>

#include "core/panel.h"

namespace vocapan {

// Sends `workText`: "FA" becomes "FB" while the operator works on VFO B, ";" is appended,
// a frequency command is remembered, and the command is logged; what the poll read between
// the words, before it, is dropped. Never waits.
void sendCommand(Panel& panel);
// Waits for the radio's answer for as long as the "delay" prompt lasts. Through a serial
// server, while a question is on the way, until its answer has arrived or its time is up.
void pauseForReply(Panel& panel);
// One look, of a few milliseconds at most, for the answers a pause waits for through a
// serial server: true while they are still awaited.
bool answersStillAwaited(Panel& panel);
// Takes whatever the radio has sent, however much, into `replyText`, repairing a report
// below 1 MHz, and logs a non-empty read. Never waits.
void readReply(Panel& panel);
// Adds everything that has arrived from the radio to `radioInput` (through a serial server,
// the poll's answers to `pollInput`). Never waits. The number of bytes the line brought.
std::size_t takeArrived(Panel& panel);
// Adds `chunk`, just read from the radio's line, as takeArrived does.
void takeChunk(Panel& panel, const std::string& chunk);
// A report of a frequency below 1 MHz ("FA000500000;") becomes "FA001000000", without ";".
void repairLowFrequencyReport(std::string& reply);

// Puts `command` into `workText` and sends it.
void send(Panel& panel, const std::string& command);
// Sends the poll's `command`, whose answer the poll cycle reads.
void sendPoll(Panel& panel, const std::string& command);
// Sends `command`, waits for the answer and reads it into `replyText`.
void query(Panel& panel, const std::string& command);

// Writes one line of "debug.dat" when the transcript is kept.
void writeDebugLine(Panel& panel, const std::string& line);

}  // namespace vocapan
