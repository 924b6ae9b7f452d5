#include "network/rig_commands.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

#include "controls/transmit.h"
#include "core/number_text.h"
#include "network/dump_state.h"
#include "network/remote_control.h"
#include "network/rig_levels.h"
#include "network/rig_protocol.h"
#include "network/rig_values.h"

namespace vocapan {

namespace {

using Args = std::vector<std::string>;

struct Outcome {
    RigAnswer answer;
    std::function<void(Panel&)> then;
};

struct RigCommand {
    char shortName;  // 0: only the long form exists
    std::string_view longName;
    std::size_t argCount;
    bool needsRadio;  // answered only once the radio has reported its frequency
    Outcome (*run)(Panel&, const Args&);
};

constexpr int kLowestFrequency = 1000000;  // the panel's frequency line starts at 1 MHz
constexpr int kHighestFrequency = 470000000;
constexpr int kWidestPassband = 100000;

Outcome value(std::string label, std::string text) { return {{kRigOk, {{std::move(label), std::move(text)}}}, {}}; }
Outcome failure(int result) { return {{result, {}}, {}}; }
Outcome done(std::function<void(Panel&)> then = {}) { return {{}, std::move(then)}; }

std::string_view vfoName(const PanelState& state) { return splitOn(state) ? "VFOB" : "VFOA"; }

// A switch argument: "0" off, any other whole number on; nothing for a non-number.
std::optional<bool> switchOf(const std::string& text) {
    const auto number = decimalFromText(text);
    if (!number) return std::nullopt;
    return *number != 0;
}

// --- Queries: the panel's state as the last poll left it ---

// F, f, M and m work VFO A, the receive VFO, with or without split; I, i, X and x VFO B.
Outcome getFrequency(Panel& panel, const Args&) { return value("Frequency", decimalText(receiveVfoHz(panel.state))); }

// In split the panel's frequency is VFO B's; without split the transmitter works VFO A.
Outcome getSplitFrequency(Panel& panel, const Args&) {
    return value("TX Frequency", decimalText(transmitVfoHz(panel.state)));
}

// The panel works one mode on both VFOs. A mode a program set by its data-mode name is
// answered by that name until the mode changes.
Outcome modeAnswer(Panel& panel, const char* modeLabel, const char* passbandLabel) {
    auto& state = panel.state;
    if (state.rigDataMode != state.mode) state.rigDataMode = 0;
    const std::string_view name = state.rigDataMode != 0 ? rigDataModeName(state.mode) : rigModeName(state.mode);
    return {{kRigOk, {{modeLabel, std::string(name)}, {passbandLabel, decimalText(passbandHz(state))}}}, {}};
}

Outcome getMode(Panel& panel, const Args&) { return modeAnswer(panel, "Mode", "Passband"); }
Outcome getSplitMode(Panel& panel, const Args&) { return modeAnswer(panel, "TX Mode", "TX Passband"); }

// The receive VFO is VFO A; in split the panel transmits on VFO B. Hamlib turns split off
// only from the receive VFO.
Outcome getVfo(Panel&, const Args&) { return value("VFO", "VFOA"); }

Outcome getSplit(Panel& panel, const Args&) {
    const auto& state = panel.state;
    return {{kRigOk, {{"Split", splitOn(state) ? "1" : "0"}, {"TX VFO", std::string(vfoName(state))}}}, {}};
}

Outcome getPtt(Panel& panel, const Args&) { return value("PTT", panel.state.txState > 0 ? "1" : "0"); }

Outcome getLevel(Panel& panel, const Args& args) { return {readLevel(panel, args[0]), {}}; }

Outcome getPowerStatus(Panel&, const Args&) { return value("Power Status", "1"); }

// Hamlib asks before a mode change whether the front panel is locked; it never is.
Outcome getLockMode(Panel&, const Args&) { return value("Locked", "0"); }

Outcome dumpState(Panel& panel, const Args&) {
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

bool splitRefusedNow(const PanelState& state, bool on) { return splitOn(state) != on && splitRefused(state); }

Outcome setFrequency(Panel&, const Args& args) {
    const auto hz = frequencyOf(args[0]);
    if (!hz) return failure(kRigInvalid);
    return done([hz = *hz](Panel& p) { tuneReceiveVfoFromProgram(p, hz); });
}

// Hamlib's programs set the transmit frequency right after asking for split, and some
// without asking: split comes on with it.
Outcome setSplitFrequency(Panel& panel, const Args& args) {
    const auto hz = frequencyOf(args[0]);
    if (!hz) return failure(kRigInvalid);
    if (splitRefusedNow(panel.state, true)) return failure(kRigRejected);
    return done([hz = *hz](Panel& p) { tuneTransmitVfoFromProgram(p, hz); });
}

Outcome setMode(Panel&, const Args& args) {
    const int mode = panelModeOfRigName(args[0]);
    const auto passband = decimalFromText(args[1]);
    // -1 keeps the width; a passband past the widest filter is no passband at all.
    if (mode == 0 || !passband || *passband < -1 || *passband > kWidestPassband) return failure(kRigInvalid);
    const bool data = args[0] == rigDataModeName(mode);
    return done([mode, data, hz = static_cast<int>(*passband)](Panel& p) {
        changeModeFromProgram(p, mode, hz);
        p.state.rigDataMode = data ? mode : 0;
    });
}

// Split on or off: the panel's VFO B is its split, so choosing VFO B is switching split on.
Outcome switchSplit(Panel& panel, bool on) {
    if (splitRefusedNow(panel.state, on)) return failure(kRigRejected);
    return done([on](Panel& p) { switchSplitFromProgram(p, on); });
}

Outcome setVfo(Panel& panel, const Args& args) {
    if (args[0] == "currVFO") return done();
    if (args[0] != "VFOA" && args[0] != "VFOB") return failure(kRigInvalid);
    return switchSplit(panel, args[0] == "VFOB");
}

Outcome setSplit(Panel& panel, const Args& args) {
    const auto on = switchOf(args[0]);
    if (!on) return failure(kRigInvalid);
    return switchSplit(panel, *on);
}

Outcome setPtt(Panel& panel, const Args& args) {
    const auto on = switchOf(args[0]);
    if (!on) return failure(kRigInvalid);
    const auto& state = panel.state;
    const bool changes = (state.txState > 0) != *on;
    // While tuning only the operator's keys work the transmitter; voice transmit is SSB and CW.
    if (changes && (state.tuning == 1 || (*on && !transmitAllowed(state)))) return failure(kRigRejected);
    return done([on = *on](Panel& p) { switchTransmitFromProgram(p, on); });
}

Outcome setLevel(Panel& panel, const Args& args) {
    LevelChange change;
    const int result = checkLevelChange(panel.state, args[0], args[1], change);
    if (result != kRigOk) return failure(result);
    return done([change](Panel& p) { makeLevelChange(p, change); });
}

Outcome quit(Panel&, const Args&) { return done(); }

constexpr auto kCommands = std::to_array<RigCommand>({
    {'f', "get_freq", 0, true, getFrequency},
    {'F', "set_freq", 1, true, setFrequency},
    {'m', "get_mode", 0, true, getMode},
    {'M', "set_mode", 2, true, setMode},
    {'v', "get_vfo", 0, false, getVfo},
    {'V', "set_vfo", 1, true, setVfo},
    {'I', "set_split_freq", 1, true, setSplitFrequency},
    {'i', "get_split_freq", 0, true, getSplitFrequency},
    {'X', "set_split_mode", 2, true, setMode},
    {'x', "get_split_mode", 0, true, getSplitMode},
    {'s', "get_split_vfo", 0, false, getSplit},
    {'S', "set_split_vfo", 2, true, setSplit},
    {'t', "get_ptt", 0, false, getPtt},
    {'T', "set_ptt", 1, true, setPtt},
    {'l', "get_level", 1, false, getLevel},
    {'L', "set_level", 2, true, setLevel},
    {'q', "quit", 0, false, quit},
    {'Q', "quit", 0, false, quit},
    {0, "dump_state", 0, false, dumpState},
    {0, "get_powerstat", 0, false, getPowerStatus},
    {0, "get_lock_mode", 0, false, getLockMode},
});

const RigCommand* findCommand(const std::string& name) {
    const auto found = std::find_if(kCommands.begin(), kCommands.end(), [&](const RigCommand& command) {
        if (name.size() == 1) return command.shortName != 0 && command.shortName == name[0];
        return name.size() > 1 && name[0] == '\\' && command.longName == std::string_view(name).substr(1);
    });
    return found == kCommands.end() ? nullptr : &*found;
}

}  // namespace

RigExchange answerRigLine(Panel& panel, std::string_view line) {
    const RigRequest request = parseRigLine(line);
    if (request.command.empty()) return {};
    // Hamlib asks first whether commands carry a VFO argument; here they never do.
    if (request.command == "\\chk_vfo") return {request.separator != 0 ? "ChkVFO: 0\n" : "0\n", {}, false, {}};

    const RigCommand* command = findCommand(request.command);
    if (command == nullptr) return {"RPRT " + decimalText(kRigUnavailable) + "\n", {}, false, {}};
    Outcome outcome;
    if (request.args.size() < command->argCount) {
        outcome = failure(kRigInvalid);
    } else if (command->needsRadio && panel.state.connected == 0) {
        outcome = failure(kRigIoError);
    } else {
        outcome = command->run(panel, request.args);
    }
    const bool closes = command->run == quit;
    std::string kind;
    if (outcome.then) kind = std::string(command->longName) + (command->run == setLevel ? " " + request.args[0] : "");
    return {formatRigAnswer(request, command->longName, outcome.answer), std::move(outcome.then), closes,
            std::move(kind)};
}

}  // namespace vocapan
