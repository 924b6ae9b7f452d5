// Reading ftxsim's command line into its options.
#include "ftxsim/server_options.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "speech/number_text.h"

namespace ftxsim {

namespace {

constexpr auto kValueOptions =
    std::to_array<std::string_view>({"--link", "--log", "--report", "--id", "--only-baud", "--report-every"});

bool allDigits(const std::string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A whole positive number of at most 9 digits, so that it fits the conversion.
bool positiveNumber(const std::string& text, int& value) {
    if (!allDigits(text) || text.size() > 9) return false;
    value = vocapan::numberFromText(text);
    return value > 0;
}

// Takes the value of option `name`; answers what is wrong with it, or nothing.
std::string takeValue(const std::string& name, const std::string& value, ServerOptions& options) {
    if (name == "--link") options.linkPath = value;
    if (name == "--log") options.logPath = value;
    if (name == "--report") options.report = value;
    if (name == "--id") {
        if (value.size() != 4 || !allDigits(value)) return "--id takes four digits, for example 0840";
        options.radio.id = value;
    }
    if (name == "--only-baud" && !positiveNumber(value, options.radio.onlyBaud)) {
        return "--only-baud takes a line speed, for example 9600";
    }
    if (name == "--report-every" && !positiveNumber(value, options.reportEveryMs)) {
        return "--report-every takes milliseconds above 0";
    }
    return {};
}

}  // namespace

bool parseServerOptions(const std::vector<std::string>& arguments, ServerOptions& options, std::string& error) {
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& name = arguments[i];
        if (name == "--silent") {
            options.radio.silent = true;
        } else if (name == "--mic-reports") {
            options.micReports = true;
        } else if (name == "--log-epoch") {
            options.logEpoch = true;
        } else if (std::find(kValueOptions.begin(), kValueOptions.end(), name) == kValueOptions.end()) {
            error = "unknown argument " + name;
            return false;
        } else if (i + 1 >= arguments.size()) {
            error = name + " needs a value";
            return false;
        } else {
            error = takeValue(name, arguments[++i], options);
            if (!error.empty()) return false;
        }
    }
    return true;
}

}  // namespace ftxsim
