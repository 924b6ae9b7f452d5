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
    // The prompts said since the phrase began (the message being handled, the start-up step),
    // and those of the last phrase that said anything, kept for Backspace.
    std::vector<SpokenPrompt> phrase;
    std::vector<SpokenPrompt> lastPhrase;
    // The sound the panel's turn waits for, by path: the loop plays it and takes the turn up
    // again once it has ended. `awaitingReply` when it is the pause that waits for the radio's
    // answer, which leaves the radio's port to the turn and is never cut.
    std::string awaitedSound;
    bool awaitingReply = false;
    // 1 from the moment a key taken out of turn (the transmit key on a keyed transmitter, a
    // key of the digital-mode entry) cut the words: the rest of the phrase is dropped.
    int phraseCut = 0;
    // What the work done between a turn's prompts says (the programs' sets, WSJT-X, a key
    // taken out of turn), and what the network's tick says once its answers have gone: said
    // after the phrase in hand, while `sayLater` is above 0.
    int sayLater = 0;
    std::vector<SpokenPrompt> laterPrompts;
    // The last phrases handed to the screen reader, newest last: those it never takes are
    // said again in the recorded voice.
    std::deque<std::vector<SpokenPrompt>> readerHanded;
};

}  // namespace vocapan
