// The panel's voice: prompts played one after another from the prompt folder, and the few
// ways numbers are spoken (digit by digit, one digit, the digits of a number).
#pragma once

#include <string>
#include <vector>

#include "core/panel.h"

namespace vocapan {

// The prompt folder that holds no prompts: a readout run with it says nothing and only
// draws. Nothing is looked for there, so the silent S-meter does not touch the disk.
inline constexpr const char* kSilentWaveDir = "xx";

// Whether a wait of the work in hand is the loop's, which serves meanwhile: inside a turn,
// except in the work the loop does between the words, which waits where it is.
bool loopWaitsForTurn(const PanelState& state);
// Plays `name` from the prompt folder and goes on when it has ended: inside a turn the loop
// plays it meanwhile; while `sayLater` is above 0 it is kept for after the phrase in hand.
void playPrompt(Panel& panel, const std::string& name);
// Says, in order, the prompts kept for later, once nothing keeps them any more.
void sayLaterPrompts(Panel& panel);
// Says each prompt as it was said first: played to its end, or started to play on by itself.
void sayPrompts(Panel& panel, const std::vector<SpokenPrompt>& prompts);
// Starts `name` and returns at once; the next prompt cuts it off.
void playPromptAsync(Panel& panel, const std::string& name);
// Each character of `text` as one prompt; a blank says nothing.
void sayDigits(Panel& panel, const std::string& text);
// One digit 0 to 9.
void sayDigit(Panel& panel, int digit);

}  // namespace vocapan
