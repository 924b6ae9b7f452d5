// Fields of the prompt player and the spoken readouts.
#pragma once

#include <deque>
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
    // 1 from the moment the transmit key was pressed on a keyed transmitter while the panel
    // spoke (and taken out of turn): the rest of what was being said is dropped, and the key
    // is served next.
    int speechCut = 0;
    // The last phrases handed to the screen reader, newest last: those it never takes are
    // said again in the recorded voice.
    std::deque<std::vector<SpokenPrompt>> readerHanded;
};

}  // namespace vocapan
