#include "network/remote_control.h"

#include <algorithm>

#include "controls/filter_width.h"
#include "controls/frequency_entry.h"
#include "controls/frequency_ops.h"
#include "controls/mode_change.h"
#include "controls/transmit.h"
#include "core/number_text.h"
#include "core/panel_numbers.h"
#include "display/frequency_line.h"
#include "link/command.h"
#include "network/rig_values.h"

namespace vocapan {

namespace {

// The program drives the radio: the band table keeps where the operator was, and the mode
// change leaves the band entry's frequency alone, until the operator's next key.
void holdBandTable(Panel& panel) { panel.state.rawVfoHold = 1; }

// The change is spoken once the radio reports where it now is.
void announceWithNextReport(Panel& panel) { panel.state.announceAfterRemote = 1; }

std::string frequencyCommand(const char* vfo, int hz) { return vfo + zeroPadded(hz, 9); }

// --- The radio as the programs' sets left it while the panel spoke, before the panel follows ---

// The last command put ahead that begins with `letters` ("FA", "ST"...), with its ";"; empty
// when none has been.
std::string lastAhead(const PanelState& state, std::string_view letters) {
    const auto& ahead = state.aheadSinceFollow;
    const auto found = std::find_if(ahead.rbegin(), ahead.rend(),
                                    [&](const std::string& command) { return command.rfind(letters, 0) == 0; });
    return found == ahead.rend() ? std::string() : *found;
}

// The frequency the last "FA" or "FB" put ahead set, or `otherwise`.
int hzAhead(const PanelState& state, std::string_view vfo, int otherwise) {
    const std::string command = lastAhead(state, vfo);
    return command.size() == 12 ? numberFromText(std::string_view(command).substr(2, 9)) : otherwise;
}

// Whether the last "ST" or "TX" put ahead switched on, or `otherwise`.
bool switchedAhead(const PanelState& state, std::string_view letters, bool otherwise) {
    const std::string command = lastAhead(state, letters);
    return command.empty() ? otherwise : command[2] == '1';
}

// A program that has gone takes its split with it: split it asked for is not switched on
// once it has gone.
bool actingProgramGone(const PanelState& state) {
    return std::none_of(state.netClients.begin(), state.netClients.end(),
                        [&](const NetClient& client) { return client.connection == state.actingConnection; });
}

}  // namespace

bool settingAhead(const PanelState& state) { return state.setsAheadOnly == 1; }

void putAhead(Panel& panel, const std::string& command) {
    sendAhead(panel, command);
    panel.state.aheadSinceFollow.push_back(panel.state.sentAhead.back());
}

void tuneFromProgram(Panel& panel, int hz) {
    auto& state = panel.state;
    if (hz == state.vfoAHz) return;
    holdBandTable(panel);
    // A frequency poll sent on the last tick is still to be read; its answer tells the old
    // frequency, so it is passed over.
    if (state.pollPhase == 1 && state.pollAlt == 1) state.skipFreqReport = 1;
    state.vfoAHz = hz;
    sendFrequency(panel);
    // The panel knows what it sent: the line and the F key show it at once, also while
    // transmitting, when no frequency is polled.
    std::string digits = decimalText(hz);
    digits.insert(0, 9 - std::min<std::size_t>(9, digits.size()), '0');
    state.freqDisplayText = frequencyDisplayText(digits);
    drawFrequencyLine(panel, state.freqDisplayText);
    announceWithNextReport(panel);
}

void tuneReceiveVfoFromProgram(Panel& panel, int hz) {
    auto& state = panel.state;
    if (settingAhead(state)) {
        if (hz != hzAhead(state, "FA", receiveVfoHz(state))) putAhead(panel, frequencyCommand("FA", hz));
        return;
    }
    if (hz == receiveVfoHz(state)) return;
    if (state.vfoBTarget != 1) {
        tuneFromProgram(panel, hz);
        return;
    }
    holdBandTable(panel);
    // Split ends by tuning VFO A back to this.
    state.splitSaveText = "A" + zeroPadded(hz, 9);
    // The panel's own frequency commands go to VFO B in split; this one is VFO A's.
    state.vfoBTarget = 0;
    send(panel, "F" + state.splitSaveText);
    state.vfoBTarget = 1;
}

void tuneTransmitVfoFromProgram(Panel& panel, int hz) {
    auto& state = panel.state;
    const std::string command = frequencyCommand("FB", hz);
    if (settingAhead(state)) {
        if (!switchedAhead(state, "ST", splitOn(state))) {
            if (actingProgramGone(state)) return;
            putAhead(panel, "ST1");
        } else if (hz == hzAhead(state, "FB", transmitVfoHz(state))) {
            return;
        }
        putAhead(panel, command);
        return;
    }
    if (state.vfoBTarget == 1) {
        tuneFromProgram(panel, hz);  // in the operator's split the panel's frequency is VFO B's
        return;
    }
    if (state.programSplit == 0) {
        if (actingProgramGone(state)) return;
        holdBandTable(panel);
        startProgramSplit(panel, state.actingConnection, hz);
        return;
    }
    if (hz == state.programTxHz) return;
    send(panel, command);
    state.programTxHz = hz;
}

void changeModeFromProgram(Panel& panel, int mode, int passbandHz) {
    auto& state = panel.state;
    const std::string& modeCommand = state.modeCommand[static_cast<std::size_t>(mode)];
    if (settingAhead(state)) {
        // The mode goes at once; the width follows with the panel.
        const std::string modeAhead = lastAhead(state, "MD");
        if (modeAhead.empty() ? mode != state.mode : modeAhead != modeCommand + ";") putAhead(panel, modeCommand);
        return;
    }
    const bool modeChanges = mode != state.mode;
    bool widthChanges = false;
    if (passbandHz > 0 && mode <= kCw) {
        // The width the mode change takes up, as the operator's last width of that mode does.
        int& kept = mode == kCw ? state.cwWidth : state.ssbWidth;
        const int index = widthIndexForPassband(mode, passbandHz);
        widthChanges = index != kept || index != state.filterWidth;
        kept = index;
    }
    if (!modeChanges && !widthChanges) return;
    holdBandTable(panel);
    // While the band table is held applyMode does not send the mode command itself.
    if (modeChanges) send(panel, modeCommand);
    state.mode = mode;
    applyMode(panel);
    if (widthChanges) {
        state.quietWidth = 1;
        applyFilterWidth(panel);
    }
    if (modeChanges) announceWithNextReport(panel);
}

void switchSplitFromProgram(Panel& panel, bool on) {
    auto& state = panel.state;
    if (settingAhead(state)) {
        if (switchedAhead(state, "ST", splitOn(state)) == on || (on && actingProgramGone(state))) return;
        putAhead(panel, on ? "ST1" : "ST0");
        if (on) putAhead(panel, frequencyCommand("FB", hzAhead(state, "FA", receiveVfoHz(state))));
        if (!on && state.vfoBTarget == 1) putAhead(panel, "F" + state.splitSaveText);
        return;
    }
    if (splitOn(state) == on) return;
    if (on) {
        if (actingProgramGone(state)) return;
        holdBandTable(panel);
        startProgramSplit(panel, state.actingConnection, receiveVfoHz(state));
    } else if (state.programSplit != 0) {
        endProgramSplit(panel);
    } else {
        holdBandTable(panel);
        toggleSplit(panel);  // the operator's split ends as with the V key
    }
}

void switchTransmitFromProgram(Panel& panel, bool on) {
    auto& state = panel.state;
    if (settingAhead(state)) {
        if (switchedAhead(state, "TX", state.txState > 0) != on) putAhead(panel, on ? "TX1" : "TX0");
        return;
    }
    if ((state.txState > 0) == on) return;
    holdBandTable(panel);
    switchTransmit(panel);
}

bool splitRefused(const PanelState& state) {
    return state.band == kGeneralCoverageBand || (state.band >= kBand10m && state.mode >= kNarrowFm);
}

}  // namespace vocapan
