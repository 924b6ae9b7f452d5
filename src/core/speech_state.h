// Fields of the prompt player and the spoken readouts.
#pragma once

#include <string>
#include <vector>

namespace vocapan {

// One prompt of a phrase by name, and whether it was started to play on by itself.
struct SpokenPrompt {
    std::string name;
    bool async = false;
};

struct SpeechState {
    std::string waveDir;  // prefix of every prompt path; "xx" silences a readout
    std::string sayText;
    std::string swrTenths;
    // While 1, prompts wait in heldPrompts (as paths) instead of being spoken: the panel
    // answers the programs on its network port first, then speaks.
    int holdSpeech = 0;
    std::vector<std::string> heldPrompts;
    // The prompts said since the phrase began (the message being handled, the start-up step),
    // and those of the last phrase that said anything, kept for Backspace.
    std::vector<SpokenPrompt> phrase;
    std::vector<SpokenPrompt> lastPhrase;
    // 1 while the pause that waits for the radio's answer to the panel's own command plays:
    // the radio's port is left to the command that waits.
    int replyPause = 0;
};

}  // namespace vocapan
