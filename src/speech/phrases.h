// Phrases: what one key, one readout or one announcement says. A phrase ends when the message
// that said it has been handled or the start-up step is done; the screen reader's voice
// gets it then, as one text. The last phrase is kept so that it can be said again.
#pragma once

#include "core/panel.h"

namespace vocapan {

// Takes the voice of the configuration: the recorded prompts of its folder, or the screen
// reader. False when the screen reader was chosen and cannot be reached: the recorded voice
// speaks instead.
bool startVoice(Panel& panel);
// Ends the phrase being said: the screen reader gets its words, and it becomes the last one.
void endPhrase(Panel& panel);
// Says the last phrase again, in the voice of the panel.
void sayLastPhraseAgain(Panel& panel);

}  // namespace vocapan
