#include "controls/tone_repeater.h"

#include "controls/frequency_ops.h"
#include "controls/repeater_offsets.h"
#include "core/number_text.h"
#include "core/text_piece.h"
#include "link/command.h"
#include "speech/prompt_player.h"

namespace vocapan {

namespace {

// Words of these operations stay unsaid while a memory recall runs quietly.
void say(Panel& panel, const std::string& name) {
    if (panel.state.quietRecall != 1) playPrompt(panel, name);
}

char firstCharacter(const std::string& text) { return text.empty() ? '\0' : text.front(); }

void applyDcs(Panel& panel) {
    const std::string& code = panel.state.toneCode;
    send(panel, firstCharacter(code) > '6' ? "EX0863" : "EX0860");
    say(panel, "dcs");
    say(panel, "on");
    const int value = numberFromText(code);
    const bool inverted = (value >= 600 && value <= 702) || (value >= 800 && value <= 899);
    send(panel, (inverted ? "CN011" : "CN010") + textPiece(code, static_cast<int>(code.size()) - 1, 2));
}

void applyCtcss(Panel& panel) {
    auto& state = panel.state;
    say(panel, "ctcss");
    state.workText = "CN00" + state.toneCode;
    if (state.toneApplying == 1) {
        say(panel, "on");
    } else {
        for (state.scratchIndex3 = 1; state.scratchIndex3 <= 3; ++state.scratchIndex3) {
            const std::string digit = textPiece(state.toneCode, state.scratchIndex3, 1);
            if (!digit.empty()) say(panel, digit);
        }
    }
    sendCommand(panel);
    send(panel, firstCharacter(state.toneCode) > '4' ? "CT04" : "CT02");
}

void switchShiftOff(Panel& panel) {
    auto& state = panel.state;
    if (state.repeaterOn == 1) say(panel, "off");
    state.repeaterOn = 0;
    endSplit(panel);  // the shift takes split with it
    send(panel, "OS00");
}

void switchShiftOn(Panel& panel) {
    auto& state = panel.state;
    state.repeaterOn = 1;
    if (hasRepeaterOffset(state.band)) {
        const RepeaterOffset configured = configuredOffset(state, state.band);
        const RepeaterOffset working = workingOffset(state, state.band);
        working.sign = configured.sign;
        working.digits = configured.digits;
        send(panel, offsetCommand(state, state.band));
        send(panel, shiftsUp(state.band, working.sign) ? "OS01" : "OS02");
    }
    say(panel, "on");
    if (state.toneEntry == 1) send(panel, state.dcsSelected == 1 ? "CT03" : "CT01");
}

}  // namespace

void applyTone(Panel& panel) {
    if (panel.state.dcsSelected == 1) {
        applyDcs(panel);
    } else {
        applyCtcss(panel);
    }
}

void resumeTone(Panel& panel) {
    auto& state = panel.state;
    const std::string& code = state.toneCode;
    state.dcsSelected = firstCharacter(code) > '4' ? 1 : 0;
    if (state.dcsSelected == 1) {
        send(panel, std::string("CN01") + (firstCharacter(code) == '6' ? "1" : "0") + textPiece(code, 2, 2));
    } else {
        send(panel, "CN00" + code);
    }
    send(panel, state.dcsSelected == 1 ? "CT03" : "CT01");
}

void toggleRepeaterShift(Panel& panel) {
    auto& state = panel.state;
    if (state.repeaterOn == 0 || state.repeaterOn == 1) say(panel, "repeater");
    if (state.repeaterOn > 0) {
        switchShiftOff(panel);
    } else {
        switchShiftOn(panel);
    }
}

}  // namespace vocapan
