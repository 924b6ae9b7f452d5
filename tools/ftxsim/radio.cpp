// The simulated radio's CAT side: assembling commands from the line, answering queries in the
// radio's fixed-width forms ("IF" included), taking set commands into its state, band selects
// through the band memory, and what simulated time brings: the drift of the meters and the
// operator's moves at the front panel.
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

// Settings answered from the `settings` map. The forms of kStateForms are answered from
// fields of the radio instead.
constexpr auto kSettingStarts = std::to_array<SettingStart>({
    {"AC", "000"},  {"AG0", "050"},  {"AG1", "040"},  {"AI", "0"},      {"AN0", "1"},     {"BC0", "0"},
    {"BI", "0"},    {"CN00", "000"}, {"CN01", "000"}, {"CO00", "0000"}, {"CO01", "1000"}, {"CT0", "0"},
    {"GT0", "3"},   {"KS", "020"},   {"MG", "050"},   {"ML0", "0"},     {"ML1", "050"},   {"NA0", "0"},
    {"NL0", "000"}, {"OS0", "0"},    {"PA0", "0"},    {"PA1", "0"},     {"PA2", "0"},     {"PC", "1100"},
    {"PL", "050"},  {"PR0", "0"},    {"PS", "1"},     {"RA0", "0"},     {"RG0", "255"},   {"RG1", "255"},
    {"RL0", "00"},  {"SH0", "015"},  {"SH1", "015"},  {"SQ0", "000"},   {"VS", "0"},      {"VX", "0"},
});

// VFO modes, transmit, and split, which "ST" (split on or off) and "FT" (the transmitting
// VFO) both show.
constexpr auto kStateForms = std::to_array<std::string_view>({"MD0", "MD1", "TX", "FT", "ST"});

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
constexpr std::size_t kBandDigits = 2;
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

// The one-character field of a setting in a fixed-width answer; a setting left empty or
// missing reads 0.
char firstOf(const std::string& value) { return value.empty() ? '0' : value.front(); }

char firstOf(const std::map<std::string, std::string>& settings, const std::string& form) {
    const auto found = settings.find(form);
    return found == settings.end() ? '0' : firstOf(found->second);
}

std::string frequencyText(long long hz) { return vocapan::zeroPadded(hz, kFrequencyDigits); }

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
    if (letters == "IF") return command == "IF" ? informationAnswer() : std::string(kRefusal);
    if (letters == "BS") return bandSelect(command);
    if (!knownLetters(letters)) return std::string(kRefusal);
    return settingCommand(command);
}

std::string Radio::frequencyCommand(const std::string& command) {
    long long& vfo = command[1] == 'A' ? vfoAHz : vfoBHz;
    const std::string_view digits = std::string_view(command).substr(2);
    if (digits.empty()) return command + frequencyText(vfo) + ";";
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
    const bool stateForm = std::find(kStateForms.begin(), kStateForms.end(), form) != kStateForms.end();
    if (!form.empty() && command == form) return form + (stateForm ? stateAnswer(form) : settings[form]) + ";";
    if (stateForm)
        setState(form, command.substr(form.size()));
    else if (!form.empty())
        settings[form] = command.substr(form.size());
    applyAction(command);
    return {};
}

std::string Radio::stateAnswer(const std::string& form) const {
    if (form == "MD0") return modeCode;
    if (form == "MD1") return modeCodeB;
    if (form == "TX") return transmitting ? "1" : "0";
    return split ? "1" : "0";  // "FT" and "ST"
}

// "FT" takes 0 or 2 for VFO A and 1 or 3 for VFO B as the transmitting VFO; "ST" takes 0 for
// split off and anything else for on.
void Radio::setState(const std::string& form, const std::string& value) {
    if (form == "MD0") modeCode = value;
    if (form == "MD1") modeCodeB = value;
    if (form == "TX") transmitting = value != "0";
    if (form == "FT") split = value == "1" || value == "3";
    if (form == "ST") split = value != "0";
}

// The radio's whole state in one answer of 28 characters: "IF", the memory channel (3 digits),
// VFO A's frequency (9), the clarifier offset with its sign (5), receive and transmit
// clarifier, mode, VFO (0) or memory (1), tone squelch, two fixed "0", repeater shift, ";".
std::string Radio::informationAnswer() const {
    std::string answer = "IF000" + frequencyText(vfoAHz) + "+000000";
    answer += firstOf(modeCode);
    answer += '0';
    answer += firstOf(settings, "CT0");
    answer += "00";
    answer += firstOf(settings, "OS0");
    return answer + ";";
}

// "BS" + the radio's two-digit band number, with or without the main receiver's "0" before it:
// the VFO in use ("VS0" A, "VS1" B) leaves its band, whose frequency and mode the band memory
// keeps, for the frequency and mode the new band was last left on. A band select is never
// answered; a band the radio has not got is refused.
std::string Radio::bandSelect(const std::string& command) {
    std::string digits = command.substr(2);
    if (digits.size() == 1 + kBandDigits && digits.front() == '0') digits.erase(0, 1);
    if (digits.size() != kBandDigits || !isDigits(digits)) return std::string(kRefusal);
    const int band = vocapan::numberFromText(digits);
    if (!BandStack::hasBand(band)) return std::string(kRefusal);
    const bool onVfoB = settings["VS"] == "1";
    long long& vfo = onVfoB ? vfoBHz : vfoAHz;
    std::string& mode = onVfoB ? modeCodeB : modeCode;
    const BandPlace place = bandStack_.change({vfo, mode}, band);
    vfo = place.frequencyHz;
    mode = place.modeCode;
    return {};
}

// Set commands that do more than keep a value.
void Radio::applyAction(const std::string& command) {
    if (command == "SV") {
        std::swap(vfoAHz, vfoBHz);
        std::swap(modeCode, modeCodeB);
    }
    if (command == "AB") {
        vfoBHz = vfoAHz;
        modeCodeB = modeCode;
    }
    if (command == "BA") {
        vfoAHz = vfoBHz;
        modeCode = modeCodeB;
    }
    if (command.size() == 5 && command.starts_with("AC") && command.back() == '3') {
        tuning = true;
        tuneLeftMs_ = kTuneMs;
        settings["AC"] = command.substr(2, 2) + "1";  // after tuning the tuner stays in line
    }
}

// --- Simulated time ---

void Radio::advance(int milliseconds) {
    if (milliseconds <= 0) return;
    clockMs_ += milliseconds;
    for (const auto& move : frontPanel_.movesDue(clockMs_)) applyMove(move);
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

void Radio::turnDial(const std::vector<long long>& frequencies, int stepMs, int afterMs) {
    frontPanel_.turnDial(frequencies, stepMs, afterMs, clockMs_);
}

void Radio::pressModeButton(const std::string& modeCode, int afterMs) {
    frontPanel_.pressModeButton(modeCode, afterMs, clockMs_);
}

// A move at the front panel changes VFO A as a command would; with auto information on, the
// radio tells the CAT line what changed.
void Radio::applyMove(const FrontPanelMove& move) {
    const bool reports = settings["AI"] == "1";
    if (move.frequencyHz > 0) {
        vfoAHz = move.frequencyHz;
        if (reports) injectReport("FA" + frequencyText(vfoAHz) + ";");
    }
    if (!move.modeCode.empty()) {
        modeCode = move.modeCode;
        if (reports) injectReport("MD0" + modeCode + ";");
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
