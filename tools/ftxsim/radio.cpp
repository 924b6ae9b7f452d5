// The simulated radio's CAT side: assembling commands from the line, answering queries in the
// radio's fixed-width forms, taking set commands into its state, and the slow drift of its
// meters over simulated time.
#include "ftxsim/radio.h"

#include <algorithm>
#include <array>

#include "core/number_text.h"

namespace ftxsim {

namespace {

struct SettingStart {
    std::string_view form;   // the query form, which set commands extend with their value
    std::string_view value;  // the value a radio fresh from the factory answers
};

// Settings answered from the `settings` map. "MD0" and "TX" are answered from the fields
// `modeCode` and `transmitting` instead.
constexpr auto kSettingStarts = std::to_array<SettingStart>({
    {"AC", "000"},  {"AG0", "050"}, {"AG1", "040"}, {"BC0", "0"},   {"BI", "0"},  {"CT0", "0"},   {"GT0", "3"},
    {"KS", "020"},  {"MG", "050"},  {"ML0", "0"},   {"ML1", "050"}, {"NA0", "0"}, {"NL0", "000"}, {"OS0", "0"},
    {"PA0", "0"},   {"PC", "1100"}, {"PL", "050"},  {"PR0", "0"},   {"PS", "1"},  {"RA0", "0"},   {"RL0", "00"},
    {"SH0", "015"}, {"SQ0", "000"}, {"ST", "0"},    {"VS", "0"},    {"VX", "0"},
});

constexpr auto kStateForms = std::to_array<std::string_view>({"MD0", "TX"});

// Command letters of the FTX family. A command with other letters is refused.
constexpr auto kKnownLetters = std::to_array<std::string_view>({
    "AB", "AC", "AG", "AI", "AM", "AN", "AO", "BA", "BC", "BD", "BI", "BM", "BP", "BS", "BU", "BY", "CF",
    "CH", "CN", "CO", "CS", "CT", "DA", "DN", "DT", "ED", "EK", "EM", "EN", "EU", "EX", "FA", "FB", "FN",
    "FR", "FS", "FT", "GT", "ID", "IF", "IS", "KM", "KP", "KR", "KS", "KY", "LK", "LM", "MA", "MB", "MC",
    "MD", "MG", "ML", "MR", "MS", "MT", "MW", "MX", "MZ", "NA", "NB", "NL", "NR", "OI", "OS", "PA", "PB",
    "PC", "PL", "PR", "PS", "QI", "QR", "QS", "RA", "RC", "RD", "RG", "RI", "RL", "RM", "RS", "RT", "RU",
    "SC", "SD", "SF", "SH", "SM", "SQ", "SS", "ST", "SV", "TS", "TX", "UL", "UP", "VS", "VX", "ZI",
});

constexpr std::size_t kMenuDigits = 6;
constexpr std::size_t kFrequencyDigits = 9;
constexpr std::size_t kMeterDigits = 3;
constexpr int kMeterTop = 255;
constexpr int kDriftWidth = 12;  // how far the S-meter strays from the signal level

bool isDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool isUpper(char c) { return c >= 'A' && c <= 'Z'; }

bool isLineFiller(char c) { return c == '\r' || c == '\n' || c == ' ' || c == '\t'; }

bool knownLetters(std::string_view letters) {
    return std::find(kKnownLetters.begin(), kKnownLetters.end(), letters) != kKnownLetters.end();
}

// The longest query form that `command` begins with; empty when there is none.
std::string_view formOf(std::string_view command) {
    std::string_view best;
    const auto consider = [&](std::string_view form) {
        if (command.substr(0, form.size()) == form && form.size() > best.size()) best = form;
    };
    for (const auto& start : kSettingStarts) consider(start.form);
    for (const auto form : kStateForms) consider(form);
    return best;
}

std::string meterText(int value) { return vocapan::zeroPadded(std::clamp(value, 0, 999), kMeterDigits); }

}  // namespace

Radio::Radio(RadioOptions options) : options_(std::move(options)) {
    for (const auto& start : kSettingStarts) settings[std::string(start.form)] = std::string(start.value);
}

// --- The line ---

std::string Radio::receive(std::string_view bytes, int baud) {
    if (options_.onlyBaud != 0 && baud != options_.onlyBaud) {
        lineNoise(bytes.size());
        return {};
    }
    std::string answers;
    for (const char c : bytes) {
        if (c != ';') {
            if (partial_.empty() && isLineFiller(c)) continue;
            // A radio's buffer is small: a runaway command is dropped, not grown without end.
            if (partial_.size() >= kBufferLimit) partial_.clear();
            partial_ += c;
            continue;
        }
        commands_.push_back(partial_ + ";");
        if (!partial_.empty()) answers += answer(partial_);
        partial_.clear();
    }
    if (options_.silent || answers.empty()) return {};
    return takePending() + answers;
}

void Radio::lineNoise(std::size_t count) {
    garbledBytes_ += count;
    if (count > 0) partial_.clear();
}

void Radio::injectReport(const std::string& report) { pending_ += report; }

std::string Radio::takePending() {
    std::string taken;
    taken.swap(pending_);
    return taken;
}

// --- Commands ---

std::string Radio::answer(const std::string& command) {
    if (command.size() < 2 || !isUpper(command[0]) || !isUpper(command[1])) return std::string(kRefusal);
    const std::string_view letters = std::string_view(command).substr(0, 2);
    if (letters == "ID") return command == "ID" ? "ID" + options_.id + ";" : std::string(kRefusal);
    if (letters == "FA" || letters == "FB") return frequencyCommand(command);
    if (letters == "EX") return menuCommand(command);
    if (letters == "SM" || letters == "RM") return meterQuery(command);
    if (!knownLetters(letters)) return std::string(kRefusal);
    return settingCommand(command);
}

std::string Radio::frequencyCommand(const std::string& command) {
    long long& vfo = command[1] == 'A' ? vfoAHz : vfoBHz;
    const std::string_view digits = std::string_view(command).substr(2);
    if (digits.empty()) return command + vocapan::zeroPadded(vfo, kFrequencyDigits) + ";";
    if (digits.size() != kFrequencyDigits || !isDigits(digits)) return std::string(kRefusal);
    vfo = vocapan::numberFromText(digits);
    return {};
}

// "EX" + 6 digits reads a menu; more digits write the value that follows the number. A shorter
// number is taken without effect, as the radio does with menus it has not got.
std::string Radio::menuCommand(const std::string& command) {
    const std::string digits = command.substr(2);
    if (!isDigits(digits)) return std::string(kRefusal);
    if (digits.size() < kMenuDigits) return {};
    const std::string number = digits.substr(0, kMenuDigits);
    if (digits.size() > kMenuDigits) {
        menus[number] = digits.substr(kMenuDigits);
        return {};
    }
    const auto found = menus.find(number);
    return "EX" + number + (found == menus.end() ? std::string("0") : found->second) + ";";
}

// The meters are read only. The SWR meter shows nothing while the radio receives; meters the
// simulation does not model read 0.
std::string Radio::meterQuery(const std::string& command) {
    if (command.size() != 3 || !isDigits(command.substr(2))) return std::string(kRefusal);
    int value = 0;
    if (command == "SM0")
        value = sMeter;
    else if (command == "RM6")
        value = transmitting || tuning ? swr : 0;
    else if (command == "RM4")
        value = micLevel;
    return command + meterText(value) + ";";
}

std::string Radio::settingCommand(const std::string& command) {
    const std::string form(formOf(command));
    if (!form.empty() && command == form) {
        if (form == "MD0") return form + modeCode + ";";
        if (form == "TX") return form + (transmitting ? "1" : "0") + ";";
        return form + settings[form] + ";";
    }
    if (form == "MD0")
        modeCode = command.substr(form.size());
    else if (form == "TX")
        transmitting = command.substr(form.size()) != "0";
    else if (!form.empty())
        settings[form] = command.substr(form.size());
    applyAction(command);
    return {};
}

// Set commands that do more than keep a value.
void Radio::applyAction(const std::string& command) {
    if (command == "SV") std::swap(vfoAHz, vfoBHz);
    if (command.size() == 5 && command.starts_with("AC") && command.back() == '3') {
        tuning = true;
        tuneLeftMs_ = kTuneMs;
        settings["AC"] = command.substr(2, 2) + "1";  // after tuning the tuner stays in line
    }
}

// --- Simulated time ---

void Radio::advance(int milliseconds) {
    if (milliseconds <= 0) return;
    if (tuning) {
        tuneLeftMs_ -= milliseconds;
        if (tuneLeftMs_ <= 0) tuning = false;
    }
    meterClockMs_ += milliseconds;
    while (meterClockMs_ >= kMeterStepMs) {
        meterClockMs_ -= kMeterStepMs;
        meterStep();
    }
}

// The S-meter takes a small random step, pulled back towards the signal level so that it
// flickers as a real one does without wandering off.
void Radio::meterStep() {
    noise_ ^= noise_ << 13;
    noise_ ^= noise_ >> 17;
    noise_ ^= noise_ << 5;
    const int step = static_cast<int>(noise_ % 7) - 3;
    const int low = std::max(0, signalLevel - kDriftWidth);
    const int high = std::min(kMeterTop, signalLevel + kDriftWidth);
    sMeter = std::clamp(sMeter + step, low, high);
    if (micReports) injectReport("RM4" + meterText(micLevel) + ";");
}

}  // namespace ftxsim
