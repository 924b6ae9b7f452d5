// The operator's screen reader as the panel's voice, with the recorded voice standing in
// whenever the reader cannot speak for the panel: a reader that went away or hangs is said
// once ("noreader") and what it never took is said in the recorded voice; it is looked for
// again every few seconds, without waiting, and speaks again once it answers.
#pragma once

#include <vector>

#include "core/panel.h"

namespace vocapan {

// Reaches the reader chosen on the voice line, waiting at most the reader's deadline; false
// when it does not answer: the recorded voice speaks until it does.
bool startReaderVoice(Panel& panel);
// Hands a finished phrase to the reader, or says it in the recorded voice when the reader is
// gone (said once) or speaks for another window.
void handToReader(Panel& panel, const std::vector<SpokenPrompt>& phrase);
// After every message: notices a reader that stopped taking phrases, and looks again for one
// that went away.
void watchScreenReader(Panel& panel);
// Silences what the reader is saying for the panel, so that what follows is heard at once.
void silenceReader(Panel& panel);

}  // namespace vocapan
