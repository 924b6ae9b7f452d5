// The rig-control daemon's text protocol as digital-mode programs and loggers speak it over
// TCP: commands in short ("f") or long ("\get_freq") form, several to a line if the program
// likes, each followed by its arguments; answers as plain value lines, "RPRT n" lines, or in
// the extended form a lead "+" (or ";", "|", ",") before a command asks for.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vocapan {

// Hamlib's result codes as the answers carry them.
constexpr int kRigOk = 0;
constexpr int kRigInvalid = -1;       // a missing or wrong argument
constexpr int kRigIoError = -6;       // the radio has not reported yet
constexpr int kRigRejected = -9;      // the panel refuses it in its present state
constexpr int kRigUnavailable = -11;  // a command the panel does not offer

struct RigRequest {
    char separator = 0;             // 0 for plain answers; else the extended form's separator
    std::string command;            // "f" or "\get_freq" as written
    std::vector<std::string> args;  // as written, a VFO word first if the program gave one
};

struct RigValue {
    std::string label;  // shown in the extended form; empty shows the value alone
    std::string value;
};

struct RigAnswer {
    int result = kRigOk;
    std::vector<RigValue> values;  // what a query answers; a set answers none
};

// One line a program sent (without its line end), read a command at a time as the daemon
// reads it: blanks part the words, a short command needs no blank after it ("fm" is "f" then
// "m"), a long one ends at a blank. Arguments never reach into the next line.
class RigLineReader {
public:
    explicit RigLineReader(std::string_view line) : line_(line) {}
    // The next command with its extended lead; nothing once the line has been read.
    std::optional<RigRequest> nextCommand();
    // The next word of the line, taken or only looked at; nothing at the line's end.
    std::optional<std::string> takeWord();
    std::optional<std::string> peekWord();
    // Passes over the rest of the line.
    void skipRest() { at_ = line_.size(); }

private:
    void skipBlanks();
    std::string_view line_;
    std::size_t at_ = 0;
};

// The answer's text as the program expects it, `longName` naming the command in the
// extended form: plain queries give their values a line each, sets and failures "RPRT n".
std::string formatRigAnswer(const RigRequest& request, std::string_view longName, const RigAnswer& answer);

}  // namespace vocapan
