// The radio is checked ("ID" must answer 840), tuned from the band stack entry of the
// current band with its mode, repeater shift and tone, set to known receiver states, and
// its AGC, gains, monitor, power range, processor, VOX and break-in are read back.
#include "panel/radio_query.h"

#include <string>

#include "controls/band_select.h"
#include "controls/mode_change.h"
#include "controls/repeater_offsets.h"
#include "controls/tone_repeater.h"
#include "core/band_table.h"
#include "core/number_text.h"
#include "core/text_piece.h"
#include "display/function_line.h"
#include "link/command.h"
#include "memory/memory_file.h"
#include "panel/initialise_panel.h"
#include "panel/poll_cycle.h"
#include "speech/prompt_player.h"

namespace vocapan {

namespace {

constexpr int kExpectedRadioId = 840;
constexpr int kDefaultAgc = 2;
constexpr int kDefaultAfGain = 30;

// Sends `command`, waits, reads, and gives the position of `answer` in the reply (0: none).
int queryFor(Panel& panel, const std::string& command, const std::string& answer) {
    query(panel, command);
    panel.state.scratchIndex = findText(panel.state.replyText, answer);
    return panel.state.scratchIndex;
}

// A number of `count` characters from `offset` past the answer found at `found`.
int answerNumber(const Panel& panel, int found, int offset, int count) {
    return numberFromText(textPiece(panel.state.replyText, found + offset, count));
}

// A port that could not be opened is named first, so that a wrong cable or a port held by
// another program is not taken for a wrong radio. A serial server is named in full on the
// console, and by its TCP port in speech.
void sayPortNotAvailable(Panel& panel) {
    const auto& state = panel.state;
    if (state.remotePort > 0) panel.platform.console.write("port not available: " + remoteAddressText(state) + "\n");
    playPrompt(panel, "portna");
    sayDigits(panel, decimalText(state.remotePort > 0 ? state.remotePort : state.comPort));
}

// The program ends here: the operator hears why, the memories are kept and the radio is
// released as at a normal quit.
void refuseRadio(Panel& panel) {
    auto& state = panel.state;
    if (!panel.catLink.isOpen(state.comPort)) sayPortNotAvailable(panel);
    playPrompt(panel, "rnftx.wav");
    panel.platform.window.stopTimer(kPollTimer);
    saveMemories(panel);
    panel.platform.window.close();
    if (state.powerOffOnQuit == 1) {
        send(panel, "PS0");
        pauseForReply(panel);
    }
    panel.catLink.closeSerialPort(state.comPort);
    if (state.debugFile.is_open()) state.debugFile.close();
}

// An entry of kind "5" was stored with the repeater shift on: its sign and offset become the
// band's working offset and go to the radio.
void restoreRepeaterShift(Panel& panel, const std::string& entry) {
    auto& state = panel.state;
    state.repeaterOn = 1;
    state.scratchText = textPiece(entry, 14, 1);
    state.scratchText2 = textPiece(entry, 19, 4);
    if (hasRepeaterOffset(state.band)) {
        const RepeaterOffset offset = workingOffset(state, state.band);
        offset.sign = state.scratchText;
        offset.digits = state.scratchText2;
        send(panel, offsetCommand(state, state.band));
    }
    send(panel, state.scratchText == "+" ? "OS01" : "OS02");
}

void restoreRepeaterAndTone(Panel& panel, const std::string& entry) {
    auto& state = panel.state;
    if (textPiece(entry, 1, 1) == "5") {
        restoreRepeaterShift(panel, entry);
    } else {
        state.repeaterOn = 2;  // switched off without a word
        toggleRepeaterShift(panel);
    }
    state.toneCode = textPiece(entry, 23, 3);
    if (state.toneCode != "999") {
        state.toneEntry = 1;
        if (numberFromText(state.toneCode) > 499) state.dcsSelected = 1;
        applyTone(panel);
    }
}

void tuneFromBandEntry(Panel& panel, const std::string& entry) {
    auto& state = panel.state;
    selectBand(panel);
    pauseForReply(panel);
    send(panel, "F" + textPiece(entry, 3, 10));

    state.mode = numberFromText(textPiece(entry, 2, 1));
    if (state.mode == 7) state.fmWide = 1;
    state.savedMode = state.mode;
    applyMode(panel);
    applyMode(panel);

    state.toneCode = "999";
    state.toneEntry = 0;
    state.dcsSelected = 0;
    if (state.mode >= 5 && state.mode <= 7) restoreRepeaterAndTone(panel, entry);
}

// Each setting the panel keeps a copy of; a missing answer keeps the start value, or for the
// AGC and the AF gains sets the radio to the panel's default.
void readBackSettings(Panel& panel) {
    auto& state = panel.state;
    send(panel, "RA00");
    send(panel, "NL0000");
    state.agcMode = kDefaultAgc;
    send(panel, "CO000000");

    if (const int found = queryFor(panel, "GT0", "GT0"); found == 0) {
        state.agcMode = kDefaultAgc;
        send(panel, "GT02");
    } else {
        state.agcMode = answerNumber(panel, found, 3, 1);
    }
    state.atuEngaged = 0;

    if (const int found = queryFor(panel, "AG0", "AG"); found == 0) {
        state.afGainMain = kDefaultAfGain;
        send(panel, "AG0030");
    } else {
        state.afGainMain = answerNumber(panel, found, 3, 3);
    }
    if (const int found = queryFor(panel, "AG1", "AG"); found == 0) {
        state.afGainSub = kDefaultAfGain;
        send(panel, "AG1" + zeroPadded(kDefaultAfGain, 3));
    } else {
        state.afGainSub = answerNumber(panel, found, 3, 3);
    }

    if (const int found = queryFor(panel, "ML0", "ML0"); found > 0 && textPiece(state.replyText, found + 3, 1) == "1") {
        state.monitorOn = 1;
    }
    if (const int found = queryFor(panel, "ML1", "ML1"); found > 0)
        state.monitorLevel = answerNumber(panel, found, 3, 3);

    // Without "PC" in the answer its second character decides.
    const int powerFound = queryFor(panel, "PC", "PC");
    state.powerRangeLow = 1;
    state.scratchText = textPiece(state.replyText, powerFound + 2, 1);
    if (state.scratchText == "1") state.powerRangeLow = 0;

    state.procOn = 0;
    if (const int found = queryFor(panel, "PR0", "PR"); found > 0 && answerNumber(panel, found, 3, 1) == 1)
        state.procOn = 1;

    query(panel, "AC");
    send(panel, state.tunerMode == 0 || state.tunerMode == 2 ? "AC100" : "AC000");

    if (const int found = queryFor(panel, "VX", "VX"); found > 0) {
        state.voxOn = answerNumber(panel, found, 2, 1);
        if (state.voxOn > 1) state.voxOn = 0;
    }
    if (const int found = queryFor(panel, "BI", "BI"); found > 0) {
        state.breakInOn = answerNumber(panel, found, 2, 1);
        if (state.breakInOn > 1) state.breakInOn = 0;
    }
}

bool radioIdentified(Panel& panel) {
    auto& state = panel.state;
    state.radioId = 0;
    if (const int found = queryFor(panel, "ID", "ID"); found > 0) state.radioId = answerNumber(panel, found, 2, 4);
    return state.radioId == kExpectedRadioId;
}

void bringRadioToPanel(Panel& panel) {
    auto& state = panel.state;
    send(panel, "EX0307030");
    send(panel, "EX0307040");

    // A copy: the band stack entry is rewritten while the radio is tuned to it.
    const std::string entry =
        state.band >= 1 && state.band <= kBandCount ? state.bandStack[static_cast<std::size_t>(state.band)] : "";
    tuneFromBandEntry(panel, entry);
    readBackSettings(panel);
    drawFunctionLine(panel);

    state.preampLevel = 0;
    const std::string preamp = entry.empty() ? "" : entry.substr(entry.size() - 1);
    if (preamp == "1") state.preampLevel = 1;
    if (preamp == "2") state.preampLevel = 2;
}

}  // namespace

RadioQueryResult queryRadioState(Panel& panel) {
    auto& state = panel.state;
    if (!radioIdentified(panel)) {
        refuseRadio(panel);
        return RadioQueryResult::Refused;
    }
    bringRadioToPanel(panel);
    if (state.relayPort > 0) openPanelPort(panel, state.relayPort);
    return RadioQueryResult::Ready;
}

RadioQueryResult queryRadioAgain(Panel& panel) {
    if (!radioIdentified(panel)) return RadioQueryResult::Refused;
    bringRadioToPanel(panel);
    return RadioQueryResult::Ready;
}

}  // namespace vocapan
