// The prompt player: one recording at a time through the machine's sound output, opened the
// first time a prompt plays. On a machine without sound output a prompt still takes its
// recorded length, so pauses such as the reply wait keep their timing.
#include <SDL.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

#include "platform/linux/backends.h"
#include "platform/linux/sdl_lifetime.h"
#include "platform/linux/sound_log.h"
#include "platform/linux/wav_sound.h"

namespace platform::linux_backend {

namespace {

using Clock = std::chrono::steady_clock;

// How long a synchronous play waits past the recording's length for a device that runs a
// little behind; a stalled device must not hang the panel.
constexpr std::chrono::milliseconds kDeviceLagAllowance{500};

// The device's buffer: 512 frames at 44.1 kHz is 12 ms before a prompt's first sample can
// sound, on top of the sound server's own. 1024 frames made the operator wait 25 ms more than
// another program on the same server; 256 left the sound server short of samples whenever
// the machine was busy, a gap in the words.
constexpr Uint16 kDeviceFrames = 512;

// While it lives, what the sound libraries print to the standard error (ALSA lists every
// configuration it failed to evaluate on a machine without a sound card) goes nowhere; the
// panel says in one line of its own what became of the sound.
class QuietStandardError {
public:
    QuietStandardError() : saved_(dup(STDERR_FILENO)) {
        const int nowhere = open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (saved_ >= 0 && nowhere >= 0) dup2(nowhere, STDERR_FILENO);
        if (nowhere >= 0) close(nowhere);
    }
    ~QuietStandardError() {
        if (saved_ < 0) return;
        dup2(saved_, STDERR_FILENO);
        close(saved_);
    }
    QuietStandardError(const QuietStandardError&) = delete;
    QuietStandardError& operator=(const QuietStandardError&) = delete;

private:
    int saved_;
};

class SdlSoundPlayer : public SoundPlayer {
public:
    ~SdlSoundPlayer() override {
        if (device_ != 0) {
            SDL_CloseAudioDevice(device_);
            releaseSdl(SDL_INIT_AUDIO);
        }
    }

    void playSync(const std::string& path) override {
        play(path);
        while (stillPlaying(kServeWhilePlayingMs)) {
        }
    }
    void playAsync(const std::string& path) override { play(path); }
    bool hasFile(const std::string& path) override { return access(localSoundPath(path).c_str(), R_OK) == 0; }

    // The recording's length is its time, on the device or without one; a device that runs a
    // little behind gets a little longer, but a stalled one never hangs the panel.
    bool stillPlaying(int waitMs) override {
        const Clock::time_point now = Clock::now();
        const bool recordingLeft = now < end_;
        const bool deviceBehind =
            device_ != 0 && SDL_GetQueuedAudioSize(device_) > 0 && now < end_ + kDeviceLagAllowance;
        if (!recordingLeft && !deviceBehind) return false;
        const Clock::time_point until = recordingLeft ? end_ : now + std::chrono::milliseconds(2);
        std::this_thread::sleep_until(std::min(until, now + std::chrono::milliseconds(waitMs)));
        return true;
    }

    void stop() override {
        if (device_ != 0) SDL_ClearQueuedAudio(device_);
        end_ = Clock::now() - kDeviceLagAllowance;
    }

private:
    enum class Output { Untried, Device, Silent };

    void play(const std::string& path) {
        log_.record(path);
        // A new prompt silences whatever is still sounding, even when it cannot play itself.
        stop();
        const WavSound sound(localSoundPath(path));
        if (!sound.loaded()) return;
        const Clock::time_point end = Clock::now() + sound.playingTime();
        if (openOutput() && !queue(sound)) return;
        end_ = end;
    }

    // Opens the default output once; remembers a machine without one.
    bool openOutput() {
        if (output_ != Output::Untried) return output_ == Output::Device;
        if (!openDevice()) {
            output_ = Output::Silent;
            std::fputs("vocapan: no sound device was found; the panel runs silent\n", stderr);
            return false;
        }
        output_ = Output::Device;
        return true;
    }

    bool openDevice() {
        const QuietStandardError quiet;
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
        SDL_AudioSpec wanted{};
        wanted.freq = 44100;
        wanted.format = AUDIO_S16SYS;
        wanted.channels = 2;
        wanted.samples = kDeviceFrames;
        device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &deviceSpec_, SDL_AUDIO_ALLOW_ANY_CHANGE);
        if (device_ == 0) {
            releaseSdl(SDL_INIT_AUDIO);
            return false;
        }
        return true;
    }

    // Converts the recording to the device's format and starts it.
    bool queue(const WavSound& sound) {
        const SDL_AudioSpec& from = sound.audioFormat();
        SDL_AudioStream* stream = SDL_NewAudioStream(from.format, from.channels, from.freq, deviceSpec_.format,
                                                     deviceSpec_.channels, deviceSpec_.freq);
        if (stream == nullptr) return false;
        bool converted = SDL_AudioStreamPut(stream, sound.samples(), int(sound.byteCount())) == 0 &&
                         SDL_AudioStreamFlush(stream) == 0;
        std::vector<Uint8> samples(converted ? size_t(SDL_AudioStreamAvailable(stream)) : 0);
        const int got = SDL_AudioStreamGet(stream, samples.data(), int(samples.size()));
        SDL_FreeAudioStream(stream);
        converted = converted && got >= 0;
        if (!converted || SDL_QueueAudio(device_, samples.data(), Uint32(got)) != 0) return false;
        SDL_PauseAudioDevice(device_, 0);
        return true;
    }

    SoundLog log_;
    Output output_ = Output::Untried;
    SDL_AudioDeviceID device_ = 0;
    SDL_AudioSpec deviceSpec_{};
    Clock::time_point end_{};  // when the sound started last has had its time
};

}  // namespace

std::unique_ptr<SoundPlayer> makeSoundPlayer() { return std::make_unique<SdlSoundPlayer>(); }

}  // namespace platform::linux_backend
