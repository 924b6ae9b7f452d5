// The ways a prompt reaches the operator's ears on Linux: the sound server's own stream, which
// takes each prompt whole, and SDL's audio device where no sound server answers.
#pragma once

#include <chrono>
#include <memory>

#include "platform/linux/wav_sound.h"

namespace platform::linux_backend {

class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    // Starts the recording right after what the output still holds (the end of the prompt
    // before it), so that the words of a phrase follow without a break. False when the output
    // could not take it.
    virtual bool start(const WavSound& sound) = 0;
    // Silences what sounds, at once.
    virtual void silence() = 0;
    // True while samples handed over have still to be passed to the sound system.
    virtual bool behind() = 0;
    // True when the output has played all it was given: a prompt started now sounds at once,
    // not after the prompt before, which ended sooner than its length counted from its start.
    virtual bool ranDry() = 0;
    // How long before a prompt's end the next one is taken: the output holds the rest of the
    // prompt, and the next follows it however late the panel's thread comes back.
    virtual std::chrono::milliseconds handOver() const = 0;
    enum class Reach { Connecting, Ready, Gone };
    // Whether prompts can be played through it: a sound server may still be answering the
    // connection (stopped, hung), or may have gone (ended).
    virtual Reach reach() = 0;
};

// The prompts' stream on the sound server that the environment names (PulseAudio, or
// PipeWire's PulseAudio service); never starts a server. Waits at most `deadline` for the
// server to answer, then goes on connecting on its own; null when no server is running.
std::unique_ptr<SoundOutput> connectSoundServer(std::chrono::milliseconds deadline);

// The machine's default sound device through SDL; null when there is none.
std::unique_ptr<SoundOutput> openSdlSoundDevice();

}  // namespace platform::linux_backend
