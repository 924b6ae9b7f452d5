// Fields of the prompt player and the spoken readouts.
#pragma once

#include <string>
#include <vector>

namespace vocapan {

struct SpeechState {
    std::string waveDir;  // prefix of every prompt path; "xx" silences a readout
    std::string sayText;
    std::string swrTenths;
    // While 1, prompts wait in heldPrompts (as paths) instead of being spoken: the panel
    // answers the programs on its network port first, then speaks.
    int holdSpeech = 0;
    std::vector<std::string> heldPrompts;
    // 1 while the pause that waits for the radio's answer to the panel's own command plays:
    // the radio's port is left to the command that waits.
    int replyPause = 0;
};

}  // namespace vocapan
