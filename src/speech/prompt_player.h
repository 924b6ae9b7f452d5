// The panel's voice: prompts played one after another from the prompt folder, and the few
// ways numbers are spoken (digit by digit, one digit, the digits of a number).
#pragma once

#include <string>

#include "core/panel.h"

namespace vocapan {

// The prompt folder that holds no prompts: a readout run with it says nothing and only
// draws. Nothing is looked for there, so the silent S-meter does not touch the disk.
inline constexpr const char* kSilentWaveDir = "xx";

// Plays `name` from the prompt folder and returns when it has ended.
void playPrompt(Panel& panel, const std::string& name);
// Speaks, in order, the prompts held while `holdSpeech` was 1, and ends the hold.
void speakHeldPrompts(Panel& panel);
// Starts `name` and returns at once; the next prompt cuts it off.
void playPromptAsync(Panel& panel, const std::string& name);
// Each character of `text` as one prompt; a blank says nothing.
void sayDigits(Panel& panel, const std::string& text);
// One digit 0 to 9.
void sayDigit(Panel& panel, int digit);

}  // namespace vocapan
