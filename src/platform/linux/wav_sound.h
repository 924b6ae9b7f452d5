// Prompt recordings as the Linux sound player finds and loads them: the panel's Windows-style
// path made local, and the whole recording decoded by SDL with the time it takes to play and
// its samples in the format an output takes.
#pragma once

#include <SDL.h>

#include <chrono>
#include <string>
#include <vector>

namespace platform::linux_backend {

// The panel names prompts the Windows way ("wave\ftx.wav"); here the separator is "/".
std::string localSoundPath(const std::string& path);

// A WAV file read whole, afresh at every play so that recordings can be replaced while the
// panel runs. Not loaded when the file is missing or is no WAV that SDL can decode.
class WavSound {
public:
    explicit WavSound(const std::string& localPath);
    ~WavSound();
    WavSound(const WavSound&) = delete;
    WavSound& operator=(const WavSound&) = delete;

    bool loaded() const { return samples_ != nullptr; }
    const SDL_AudioSpec& audioFormat() const { return format_; }
    const Uint8* samples() const { return samples_; }
    Uint32 byteCount() const { return byteCount_; }

    // How long the recording plays: its sample bytes over the bytes it plays per second.
    std::chrono::milliseconds playingTime() const;

    // The recording's samples in another format (rate, channels, sample type); empty when
    // SDL cannot convert them.
    std::vector<Uint8> samplesIn(const SDL_AudioSpec& format) const;

private:
    SDL_AudioSpec format_{};
    Uint8* samples_ = nullptr;
    Uint32 byteCount_ = 0;
};

}  // namespace platform::linux_backend
