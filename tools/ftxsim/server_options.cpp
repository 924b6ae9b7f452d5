// Reading ftxsim's command line into its options.
#include "ftxsim/server_options.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "core/number_text.h"

namespace ftxsim {

namespace {

constexpr auto kValueOptions =
    std::to_array<std::string_view>({"--link", "--log", "--report", "--id", "--only-baud", "--report-every", "--knob",
                                     "--knob-step-ms", "--knob-after-ms", "--mode-button", "--mode-button-after-ms",
                                     "--burst", "--burst-after-ms", "--line-bytes-per-second"});
constexpr std::size_t kMostDigits = 9;  // what the conversion to a number takes safely

bool allDigits(const std::string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A whole number of at most 9 digits, so that it fits the conversion; 0 allowed or not.
bool wholeNumber(const std::string& text, int& value, bool zeroAllowed = false) {
    if (!allDigits(text) || text.size() > kMostDigits) return false;
    value = vocapan::numberFromText(text);
    return zeroAllowed || value > 0;
}

bool positiveNumber(const std::string& text, int& value) { return wholeNumber(text, value); }
bool milliseconds(const std::string& text, int& value) { return wholeNumber(text, value, true); }

// "14074000,14075000": frequencies in Hz above 0, separated by commas.
bool frequencyList(const std::string& text, std::vector<long long>& frequencies) {
    std::vector<long long> taken;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find(',', start), text.size());
        int hz = 0;
        if (!positiveNumber(text.substr(start, end - start), hz)) return false;
        taken.push_back(hz);
        start = end + 1;
    }
    frequencies = taken;
    return true;
}

bool isModeCode(const std::string& text) {
    return text.size() == 1 && ((text[0] >= '1' && text[0] <= '9') || (text[0] >= 'A' && text[0] <= 'Z'));
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
    if (name == "--knob" && !frequencyList(value, options.knob)) {
        return "--knob takes frequencies in Hz separated by commas, for example 14074000,14075000";
    }
    if (name == "--knob-step-ms" && !milliseconds(value, options.knobStepMs)) return name + " takes milliseconds";
    if (name == "--knob-after-ms" && !milliseconds(value, options.knobAfterMs)) return name + " takes milliseconds";
    if (name == "--mode-button") {
        if (!isModeCode(value)) return "--mode-button takes the mode's code, for example 2 for USB";
        options.modeButton = value;
    }
    if (name == "--mode-button-after-ms" && !milliseconds(value, options.modeButtonAfterMs)) {
        return name + " takes milliseconds";
    }
    if (name == "--burst" && !positiveNumber(value, options.burstBytes)) return "--burst takes a number of bytes";
    if (name == "--burst-after-ms" && !milliseconds(value, options.burstAfterMs)) return name + " takes milliseconds";
    if (name == "--line-bytes-per-second" && !positiveNumber(value, options.lineBytesPerSecond)) {
        return name + " takes bytes a second, for example 3840 for 38400 baud";
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
