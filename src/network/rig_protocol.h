// The rig-control daemon's text protocol as digital-mode programs and loggers speak it over
// TCP: one command a line, short ("f") or long ("\get_freq") form, and answers as plain value
// lines, "RPRT n" lines, or in the extended form a "+" (or ";", "|", ",") asks for.
#pragma once

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
    char separator = 0;   // 0 for plain answers; else the extended form's separator
    std::string command;  // "f" or "\get_freq" as written
    std::vector<std::string> args;
};

struct RigValue {
    std::string label;  // shown in the extended form; empty shows the value alone
    std::string value;
};

struct RigAnswer {
    int result = kRigOk;
    std::vector<RigValue> values;  // what a query answers; a set answers none
};

// Splits one line (without its line end) into the request. An empty line has no command.
RigRequest parseRigLine(std::string_view line);

// The answer's text as the program expects it, `longName` naming the command in the
// extended form: plain queries give their values a line each, sets and failures "RPRT n".
std::string formatRigAnswer(const RigRequest& request, std::string_view longName, const RigAnswer& answer);

}  // namespace vocapan
