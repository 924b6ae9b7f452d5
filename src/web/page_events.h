// What the panel pushes to its pages on the event stream: the page's own number, the three
// status lines, and each phrase as the words the screen reader gets, marked urgent when it
// tells of the transmitter or a lost radio.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/speech_state.h"

namespace vocapan::web {

// One event of the stream; each line of `lines` is one data line.
std::string streamEvent(const std::string& kind, const std::vector<std::string>& lines);

std::string pageEvent(int page);
std::string statusEvent(const std::array<std::string, 3>& lines);
// "alert" for transmit on or off and a lost radio, "say" for the rest; nothing for a phrase
// without words (a pause, a tone).
std::optional<std::string> phraseEvent(const std::vector<SpokenPrompt>& phrase);

}  // namespace vocapan::web
