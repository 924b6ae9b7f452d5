// Fields of the prompt player and the spoken readouts.
#pragma once

#include <string>

namespace vocapan {

struct SpeechState {
    std::string waveDir;  // prefix of every prompt path; "xx" silences a readout
    std::string sayText;
    std::string swrTenths;
};

}  // namespace vocapan
