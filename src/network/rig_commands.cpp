#include "network/rig_commands.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

#include "controls/transmit.h"
#include "core/number_text.h"
#include "core/panel_numbers.h"
#include "network/dump_state.h"
#include "network/remote_control.h"
#include "network/rig_levels.h"

namespace vocapan {

namespace {

using Args = std::vector<std::string>;

struct Outcome {
    RigAnswer answer;
    std::function<void(Panel&)> then;
    std::function<void(RigReading&)> shows;
};

using Run = Outcome (*)(Panel&, const RigReading&, const Args&);

struct RigCommand {
    char shortName;  // 0: only the long form exists
    std::string_view longName;
    std::size_t argCount;
    bool needsRadio;     // answered only once the radio has reported its frequency
    bool takesVfo;       // a VFO word may come before the arguments
    char onTransmitVfo;  // the set it is when that word names the transmit VFO; 0 the same
    bool alwaysReports;  // the answer ends with "RPRT 0" on a line of its own in every form
    Run run;
};

constexpr int kLowestFrequency = 1000000;  // the panel's frequency line starts at 1 MHz
constexpr int kHighestFrequency = 470000000;
constexpr int kWidestPassband = 100000;
constexpr int kHighestPtt = 3;  // Hamlib's transmit on by microphone (2) or data (3)

Outcome value(std::string label, std::string text) { return {{kRigOk, {{std::move(label), std::move(text)}}}, {}, {}}; }
Outcome failure(int result) { return {{result, {}}, {}, {}}; }
Outcome done(std::function<void(Panel&)> then, std::function<void(RigReading&)> shows) {
    return {{}, std::move(then), std::move(shows)};
}

// The VFO words of the daemon's VFO mode. The panel's VFO B is its split, its transmit VFO.
constexpr std::array<std::string_view, 7> kVfoWords{"VFOA", "VFOB", "currVFO", "Main", "Sub", "TX", "RX"};

bool isVfoWord(std::string_view word) { return std::find(kVfoWords.begin(), kVfoWords.end(), word) != kVfoWords.end(); }

// VFO B ("Sub"), and "TX" while in split, is the transmit VFO; every other word VFO A.
bool namesTransmitVfo(std::string_view word, const RigReading& reading) {
    return word == "VFOB" || word == "Sub" || (word == "TX" && reading.split);
}

// A switch argument: "0" off, any other whole number on; nothing for a non-number.
std::optional<bool> switchOf(const std::string& text) {
    const auto number = decimalFromText(text);
    if (!number) return std::nullopt;
    return *number != 0;
}

// --- Queries: the panel's state, with what programs have set and not yet seen carried out ---

// F, f, M and m work VFO A, the receive VFO, with or without split; I, i, X and x VFO B.
Outcome getFrequency(Panel&, const RigReading& reading, const Args&) {
    return value("Frequency", decimalText(reading.receiveHz));
}

// In split the panel's frequency is VFO B's; without split the transmitter works VFO A.
Outcome getSplitFrequency(Panel&, const RigReading& reading, const Args&) {
    return value("TX Frequency", decimalText(reading.transmitHz));
}

// The panel works one mode on both VFOs. A mode a program set by its data-mode name is
// answered by that name until the mode changes.
Outcome modeAnswer(const RigReading& reading, const char* modeLabel, const char* passbandLabel) {
    const std::string_view name = reading.dataMode != 0 ? rigDataModeName(reading.mode) : rigModeName(reading.mode);
    return {{kRigOk, {{modeLabel, std::string(name)}, {passbandLabel, decimalText(reading.passbandHz)}}}, {}, {}};
}

Outcome getMode(Panel&, const RigReading& reading, const Args&) { return modeAnswer(reading, "Mode", "Passband"); }
Outcome getSplitMode(Panel&, const RigReading& reading, const Args&) {
    return modeAnswer(reading, "TX Mode", "TX Passband");
}

// The receive VFO is VFO A; in split the panel transmits on VFO B. Hamlib turns split off
// only from the receive VFO.
Outcome getVfo(Panel&, const RigReading&, const Args&) { return value("VFO", "VFOA"); }

Outcome getSplit(Panel&, const RigReading& reading, const Args&) {
    return {{kRigOk, {{"Split", reading.split ? "1" : "0"}, {"TX VFO", reading.split ? "VFOB" : "VFOA"}}}, {}, {}};
}

Outcome getPtt(Panel&, const RigReading& reading, const Args&) {
    return value("PTT", reading.transmitting ? "1" : "0");
}

Outcome getLevel(Panel& panel, const RigReading& reading, const Args& args) {
    return {readLevel(panel.state, reading, args.back()), {}, {}};
}

Outcome getPowerStatus(Panel&, const RigReading&, const Args&) { return value("Power Status", "1"); }

// Hamlib asks before a mode change whether the front panel is locked; it never is.
Outcome getLockMode(Panel&, const RigReading&, const Args&) { return value("Locked", "0"); }

Outcome dumpState(Panel& panel, const RigReading&, const Args&) {
    std::string text = rigDumpState(panel.state.versionText);
    text.pop_back();  // the answer's own line end follows
    return value("", text);
}

// --- Sets: checked now, carried out once the answer has gone ---

// A frequency in the panel's range; nothing for any other text.
std::optional<int> frequencyOf(const std::string& text) {
    const auto hz = decimalFromText(text);
    if (!hz || *hz < kLowestFrequency || *hz > kHighestFrequency) return std::nullopt;
    return static_cast<int>(*hz);
}

bool splitRefusedNow(const PanelState& state, const RigReading& reading, bool on) {
    return reading.split != on && splitRefused(state);
}

// Split coming on starts VFO B on VFO A's frequency; going off leaves the transmitter on VFO A.
void showSplit(RigReading& reading, bool on) {
    if (reading.split == on) return;
    reading.split = on;
    reading.transmitHz = reading.receiveHz;
}

Outcome setFrequency(Panel&, const RigReading&, const Args& args) {
    const auto hz = frequencyOf(args.back());
    if (!hz) return failure(kRigInvalid);
    return done([hz = *hz](Panel& p) { tuneReceiveVfoFromProgram(p, hz); },
                [hz = *hz](RigReading& r) {
                    r.receiveHz = hz;
                    if (!r.split) r.transmitHz = hz;
                });
}

// Hamlib's programs set the transmit frequency right after asking for split, and some
// without asking: split comes on with it.
Outcome setSplitFrequency(Panel& panel, const RigReading& reading, const Args& args) {
    const auto hz = frequencyOf(args.back());
    if (!hz) return failure(kRigInvalid);
    if (splitRefusedNow(panel.state, reading, true)) return failure(kRigRejected);
    return done([hz = *hz](Panel& p) { tuneTransmitVfoFromProgram(p, hz); },
                [hz = *hz](RigReading& r) {
                    showSplit(r, true);
                    r.transmitHz = hz;
                });
}

// The filter width a mode change takes up: the one closest to the passband asked for, else
// the width in use, or the operator's last width of that mode.
int widthAfterModeChange(const PanelState& state, int mode, int passband) {
    if (passband > 0 && mode <= kCw) return widthIndexForPassband(mode, passband);
    if (mode == state.mode) return state.filterWidth;
    return mode == kCw ? state.cwWidth : state.ssbWidth;
}

Outcome setMode(Panel& panel, const RigReading&, const Args& args) {
    const std::string& name = args[args.size() - 2];
    const int mode = panelModeOfRigName(name);
    const auto passband = decimalFromText(args.back());
    // -1 keeps the width; a passband past the widest filter is no passband at all.
    if (mode == 0 || !passband || *passband < -1 || *passband > kWidestPassband) return failure(kRigInvalid);
    const bool data = name == rigDataModeName(mode);
    const int hz = static_cast<int>(*passband);
    const int passbandAfter = passbandHz(mode, widthAfterModeChange(panel.state, mode, hz));
    return done(
        [mode, data, hz](Panel& p) {
            changeModeFromProgram(p, mode, hz);
            p.state.rigDataMode = data ? mode : 0;
        },
        [mode, data, passbandAfter](RigReading& r) {
            r.mode = mode;
            r.dataMode = data ? mode : 0;
            r.passbandHz = passbandAfter;
        });
}

// Split on or off: the panel's VFO B is its split, so choosing VFO B is switching split on.
Outcome switchSplit(Panel& panel, const RigReading& reading, bool on) {
    if (splitRefusedNow(panel.state, reading, on)) return failure(kRigRejected);
    return done([on](Panel& p) { switchSplitFromProgram(p, on); }, [on](RigReading& r) { showSplit(r, on); });
}

Outcome setVfo(Panel& panel, const RigReading& reading, const Args& args) {
    const std::string& vfo = args[0];
    if (vfo == "currVFO") return done({}, {});
    if (vfo == "VFOA" || vfo == "Main") return switchSplit(panel, reading, false);
    if (vfo == "VFOB" || vfo == "Sub") return switchSplit(panel, reading, true);
    return failure(kRigInvalid);
}

Outcome setSplit(Panel& panel, const RigReading& reading, const Args& args) {
    const auto on = switchOf(args[args.size() - 2]);
    if (!on || !isVfoWord(args.back())) return failure(kRigInvalid);
    return switchSplit(panel, reading, *on);
}

Outcome setPtt(Panel& panel, const RigReading& reading, const Args& args) {
    // Off, on, and on by microphone or by data: any other value is a mistake, never "on".
    const auto ptt = decimalFromText(args.back());
    if (!ptt || *ptt < 0 || *ptt > kHighestPtt || *ptt != static_cast<long long>(*ptt)) return failure(kRigInvalid);
    const bool on = *ptt != 0;
    const auto& state = panel.state;
    const bool changes = reading.transmitting != on;
    // While tuning only the operator's keys work the transmitter; voice transmit is SSB and CW.
    if (changes && (state.tuning == 1 || (on && !transmitAllowed(state)))) return failure(kRigRejected);
    return done([on](Panel& p) { switchTransmitFromProgram(p, on); }, [on](RigReading& r) { r.transmitting = on; });
}

Outcome setLevel(Panel& panel, const RigReading&, const Args& args) {
    LevelChange change;
    const int result = checkLevelChange(panel.state, args[args.size() - 2], args.back(), change);
    if (result != kRigOk) return failure(result);
    return done([change](Panel& p) { makeLevelChange(p, change); },
                [change](RigReading& r) { r.levels.emplace_back(change.field, change.setting); });
}

Outcome quit(Panel&, const RigReading&, const Args&) { return done({}, {}); }

constexpr auto kCommands = std::to_array<RigCommand>({
    {'f', "get_freq", 0, true, true, 0, false, getFrequency},
    {'F', "set_freq", 1, true, true, 'I', false, setFrequency},
    {'m', "get_mode", 0, true, true, 0, false, getMode},
    {'M', "set_mode", 2, true, true, 0, false, setMode},
    {'v', "get_vfo", 0, false, false, 0, false, getVfo},
    {'V', "set_vfo", 1, true, false, 0, false, setVfo},
    {'I', "set_split_freq", 1, true, true, 0, false, setSplitFrequency},
    {'i', "get_split_freq", 0, true, true, 0, false, getSplitFrequency},
    {'X', "set_split_mode", 2, true, true, 0, false, setMode},
    {'x', "get_split_mode", 0, true, true, 0, false, getSplitMode},
    {'s', "get_split_vfo", 0, false, true, 0, false, getSplit},
    {'S', "set_split_vfo", 2, true, true, 0, false, setSplit},
    {'t', "get_ptt", 0, false, true, 0, false, getPtt},
    {'T', "set_ptt", 1, true, true, 0, false, setPtt},
    {'l', "get_level", 1, false, true, 0, false, getLevel},
    {'L', "set_level", 2, true, true, 0, false, setLevel},
    {'q', "quit", 0, false, false, 0, false, quit},
    {'Q', "quit", 0, false, false, 0, false, quit},
    {0, "dump_state", 0, false, false, 0, false, dumpState},
    {0, "get_powerstat", 0, false, false, 0, false, getPowerStatus},
    {0, "get_lock_mode", 0, false, false, 0, true, getLockMode},
});

const RigCommand* findCommand(std::string_view name) {
    const auto found = std::find_if(kCommands.begin(), kCommands.end(), [&](const RigCommand& command) {
        if (name.size() == 1) return command.shortName != 0 && command.shortName == name[0];
        return name.size() > 1 && name[0] == '\\' && command.longName == name.substr(1);
    });
    return found == kCommands.end() ? nullptr : &*found;
}

// The panel's state with every set answered and not yet carried out on top, in the order
// they were asked for.
RigReading programReading(PanelState& state) {
    RigReading reading = readingOf(state);
    for (const auto& set : state.pendingSets) {
        if (set.shows) set.shows(reading);
    }
    return reading;
}

// Takes the command's VFO word, if it has one, and its arguments; false when the line ends
// before them.
bool takeArguments(RigLineReader& line, const RigCommand& command, RigRequest& request, bool& transmitVfo,
                   const RigReading& reading) {
    transmitVfo = false;
    if (command.takesVfo) {
        const auto word = line.peekWord();
        if (word && isVfoWord(*word)) {
            transmitVfo = namesTransmitVfo(*word, reading);
            request.args.push_back(*line.takeWord());
        }
    }
    for (std::size_t i = 0; i < command.argCount; ++i) {
        auto word = line.takeWord();
        if (!word) return false;
        request.args.push_back(std::move(*word));
    }
    return true;
}

// The daemon's answers that report their result also in the plain form, always on a line of
// its own.
void endWithReport(std::string& reply, char separator) {
    if (separator == 0) {
        reply += "RPRT 0\n";
        return;
    }
    const auto report = reply.rfind(std::string(1, separator) + "RPRT");
    if (report != std::string::npos) reply[report] = '\n';
}

}  // namespace

std::optional<RigExchange> answerNextRigCommand(Panel& panel, RigLineReader& line, char& extendNext) {
    auto request = line.nextCommand();
    if (!request) return std::nullopt;
    if (request->separator == 0) request->separator = extendNext;
    extendNext = 0;
    // Hamlib asks first whether commands carry a VFO word. They may, but the panel says they
    // need not: Hamlib's own rigctl then takes every command without one, as scripts write them.
    // The extended form of the question leaves the next answer extended too.
    if (request->command == "\\chk_vfo") {
        extendNext = request->separator;
        return RigExchange{request->separator != 0 ? "ChkVFO: 0\n" : "0\n", {}, false, {}, {}};
    }
    const RigCommand* command = findCommand(request->command);
    if (command == nullptr) {
        // What follows a command the panel does not know is never read as commands of its own.
        line.skipRest();
        return RigExchange{"RPRT " + decimalText(kRigUnavailable) + "\n", {}, false, {}, {}};
    }
    RigReading reading = programReading(panel.state);
    bool transmitVfo = false;
    const bool complete = takeArguments(line, *command, *request, transmitVfo, reading);
    // A VFO word naming the transmit VFO makes f read VFO B and F set it, as i and I do; the
    // mode is one for both VFOs.
    if (transmitVfo) reading.receiveHz = reading.transmitHz;
    const RigCommand* target = transmitVfo && command->onTransmitVfo != 0
                                   ? findCommand(std::string_view(&command->onTransmitVfo, 1))
                                   : command;
    Outcome outcome;
    if (!complete) {
        outcome = failure(kRigInvalid);
    } else if (command->needsRadio && panel.state.connected == 0) {
        outcome = failure(kRigIoError);
    } else {
        outcome = target->run(panel, reading, request->args);
    }
    const bool closes = command->run == quit;
    if (closes) request->separator = 0;  // the goodbye is answered plainly in every form
    std::string reply = formatRigAnswer(*request, command->longName, outcome.answer);
    if (command->alwaysReports && outcome.answer.result == kRigOk) endWithReport(reply, request->separator);
    std::string kind;
    if (outcome.then) {
        kind = std::string(target->longName) +
               (target->run == setLevel ? " " + request->args[request->args.size() - 2] : "");
    }
    return RigExchange{std::move(reply), std::move(outcome.then), closes, std::move(kind), std::move(outcome.shows)};
}

}  // namespace vocapan
