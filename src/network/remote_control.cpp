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

// A program that has gone takes its split with it: split it asked for is not switched on
// once it has gone.
bool actingProgramGone(const PanelState& state) {
    return std::none_of(state.netClients.begin(), state.netClients.end(),
                        [&](const NetClient& client) { return client.connection == state.actingConnection; });
}

}  // namespace

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
    send(panel, "FB" + zeroPadded(hz, 9));
    state.programTxHz = hz;
}

void changeModeFromProgram(Panel& panel, int mode, int passbandHz) {
    auto& state = panel.state;
    const std::string& modeCommand = state.modeCommand[static_cast<std::size_t>(mode)];
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
    if ((state.txState > 0) == on) return;
    holdBandTable(panel);
    switchTransmit(panel);
}

bool splitRefused(const PanelState& state) {
    return state.band == kGeneralCoverageBand || (state.band >= kBand10m && state.mode >= kNarrowFm);
}

}  // namespace vocapan
