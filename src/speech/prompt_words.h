// The words of each prompt, from the table the recordings are made from (prompts.tsv, built
// into the program), so that a phrase can go to the screen reader as text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/speech_state.h"

namespace vocapan {

// The words of prompt `name` ("3" and "3.wav" alike); empty for a pause or a tone, and for
// a name the table does not hold.
std::string_view promptWords(std::string_view name);
// The words of a phrase's prompts, in order, joined by single spaces.
std::string phraseText(const std::vector<SpokenPrompt>& phrase);

}  // namespace vocapan
