// Loading a prompt recording and measuring how long it plays.
#include "platform/linux/wav_sound.h"

#include <algorithm>

namespace platform::linux_backend {

std::string localSoundPath(const std::string& path) {
    std::string local = path;
    std::replace(local.begin(), local.end(), '\\', '/');
    return local;
}

WavSound::WavSound(const std::string& localPath) {
    if (SDL_LoadWAV(localPath.c_str(), &format_, &samples_, &byteCount_) == nullptr) {
        samples_ = nullptr;
        byteCount_ = 0;
    }
}

WavSound::~WavSound() { SDL_FreeWAV(samples_); }

std::chrono::milliseconds WavSound::playingTime() const {
    const Uint64 bytesPerSecond = Uint64(format_.freq) * format_.channels * (SDL_AUDIO_BITSIZE(format_.format) / 8);
    if (!loaded() || bytesPerSecond == 0) return std::chrono::milliseconds(0);
    return std::chrono::milliseconds((Uint64(byteCount_) * 1000 + bytesPerSecond / 2) / bytesPerSecond);
}

std::vector<Uint8> WavSound::samplesIn(const SDL_AudioSpec& format) const {
    SDL_AudioStream* stream =
        SDL_NewAudioStream(format_.format, format_.channels, format_.freq, format.format, format.channels, format.freq);
    if (stream == nullptr) return {};
    const bool converted =
        SDL_AudioStreamPut(stream, samples_, int(byteCount_)) == 0 && SDL_AudioStreamFlush(stream) == 0;
    std::vector<Uint8> samples(converted ? size_t(SDL_AudioStreamAvailable(stream)) : 0);
    const int got = SDL_AudioStreamGet(stream, samples.data(), int(samples.size()));
    SDL_FreeAudioStream(stream);
    samples.resize(got > 0 ? size_t(got) : 0);
    return samples;
}

}  // namespace platform::linux_backend
