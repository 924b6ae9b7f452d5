// The receive and transmit functions switched from the keyboard: attenuator ("RA0n"), noise
// blanker ("NL00nn"), noise reduction ("RL0nn"), speech processor ("PR0n", its level read back
// with "PL"), break-in ("BIn") and VOX ("VXn"). Each says its name and new state, then sends.
#include "controls/on_off.h"

#include "controls/levels.h"
#include "core/number_text.h"
#include "core/panel_numbers.h"
#include "core/text_piece.h"
#include "display/function_line.h"
#include "link/command.h"
#include "speech/prompt_player.h"

namespace vocapan {

namespace {

constexpr int kNoTarget = 0;
constexpr int kNoiseBlankerTarget = 2;
constexpr int kNoiseReductionTarget = 3;
constexpr int kProcessorTarget = 5;

// A plain two-state function: its name, the new state spoken, the command sent, the line redrawn.
void toggleSimple(Panel& panel, const char* name, int& on, const char* onCommand, const char* offCommand) {
    playPrompt(panel, name);
    on = 1 - on;
    playPrompt(panel, on == 1 ? "on" : "off");
    send(panel, on == 1 ? onCommand : offCommand);
    drawFunctionLine(panel);
}

// The processor's level as the radio holds it; without an answer the old level stays.
void readProcessorLevel(Panel& panel) {
    auto& state = panel.state;
    query(panel, "PL");
    const int found = findText(state.replyText, "PL");
    if (found > 0) state.procLevel = numberFromText(textPiece(state.replyText, found + 2, 3));
    drawFunctionLine(panel);
}

}  // namespace

void toggleAttenuator(Panel& panel) {
    auto& state = panel.state;
    playPrompt(panel, "at");
    if (state.band > kBand6m) {  // no attenuator on 2 m, 70 cm and outside the amateur bands
        playPrompt(panel, "na");
        return;
    }
    if (state.attOn == 0) {
        playPrompt(panel, "on");
        state.attOn = 1;
        send(panel, "RA01");
    } else {
        state.attOn = 0;
        playPrompt(panel, "off");
        send(panel, "RA00");
    }
    drawFunctionLine(panel);
}

void toggleNoiseBlanker(Panel& panel) {
    auto& state = panel.state;
    playPrompt(panel, "nb");
    if (state.nbOn == 0) {
        playPrompt(panel, "on");
        state.nbOn = 1;
        state.levelTarget = kNoiseBlankerTarget;
        sendNoiseBlankerLevel(panel);
    } else {
        playPrompt(panel, "off");
        state.nbOn = 0;
        if (state.levelTarget == kNoiseBlankerTarget) state.levelTarget = kNoTarget;
        send(panel, "NL0000");
    }
    drawFunctionLine(panel);  // the line shows the blanker too
}

void toggleNoiseReduction(Panel& panel) {
    auto& state = panel.state;
    playPrompt(panel, "nr");
    if (state.nrOn == 1) {
        state.nrOn = 0;
        playPrompt(panel, "off");
        state.levelTarget = kNoTarget;
        send(panel, "RL000");
    } else {
        state.levelTarget = kNoiseReductionTarget;
        playPrompt(panel, "on");
        state.nrOn = 1;
        sendNoiseReductionLevel(panel);
    }
    drawFunctionLine(panel);
}

void toggleProcessor(Panel& panel) {
    auto& state = panel.state;
    playPrompt(panel, "spc");
    if (state.procOn == 0) {
        playPrompt(panel, "on");
        state.levelTarget = kProcessorTarget;
        send(panel, "PR01");
    } else {
        playPrompt(panel, "off");
        state.levelTarget = kNoTarget;
        send(panel, "PR00");
    }
    state.procOn = 1 - state.procOn;
    if (state.procOn == 1) {
        readProcessorLevel(panel);  // redraws with the level read
    } else {
        drawFunctionLine(panel);
    }
}

void toggleBreakIn(Panel& panel) { toggleSimple(panel, "bkin", panel.state.breakInOn, "BI1", "BI0"); }

void toggleVox(Panel& panel) { toggleSimple(panel, "vox", panel.state.voxOn, "VX1", "VX0"); }

}  // namespace vocapan
