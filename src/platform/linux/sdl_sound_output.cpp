// The machine's default sound device through SDL, for machines where no sound server runs:
// SDL queues a prompt's samples and its audio thread feeds the device a buffer at a time.
#include <fcntl.h>
#include <unistd.h>

#include "platform/linux/sdl_lifetime.h"
#include "platform/linux/sound_output.h"

namespace platform::linux_backend {

namespace {

// The device's buffer: 512 frames at 44.1 kHz is 12 ms before a prompt's first sample can
// sound, on top of the sound system's own. 1024 frames made the operator wait 25 ms more than
// another program on the same sound server; 256 left it short of samples whenever the machine
// was busy, a gap in the words.
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

class SdlSoundDevice : public SoundOutput {
public:
    SdlSoundDevice(SDL_AudioDeviceID device, const SDL_AudioSpec& format) : device_(device), format_(format) {}
    ~SdlSoundDevice() override {
        SDL_CloseAudioDevice(device_);
        releaseSdl(SDL_INIT_AUDIO);
    }
    SdlSoundDevice(const SdlSoundDevice&) = delete;
    SdlSoundDevice& operator=(const SdlSoundDevice&) = delete;

    bool start(const WavSound& sound) override {
        const std::vector<Uint8> samples = sound.samplesIn(format_);
        if (samples.empty() || SDL_QueueAudio(device_, samples.data(), Uint32(samples.size())) != 0) return false;
        SDL_PauseAudioDevice(device_, 0);
        return true;
    }
    void silence() override { SDL_ClearQueuedAudio(device_); }
    // The panel feeds the device itself, a buffer at a time: its clock is the device's.
    bool ranDry() override { return false; }
    bool behind() override { return SDL_GetQueuedAudioSize(device_) > 0; }
    std::chrono::milliseconds handOver() const override { return std::chrono::milliseconds(0); }
    Reach reach() override { return Reach::Ready; }

private:
    SDL_AudioDeviceID device_;
    SDL_AudioSpec format_;
};

}  // namespace

std::unique_ptr<SoundOutput> openSdlSoundDevice() {
    const QuietStandardError quiet;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return nullptr;
    SDL_AudioSpec wanted{};
    wanted.freq = 44100;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 2;
    wanted.samples = kDeviceFrames;
    SDL_AudioSpec got{};
    const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &got, SDL_AUDIO_ALLOW_ANY_CHANGE);
    if (device == 0) {
        releaseSdl(SDL_INIT_AUDIO);
        return nullptr;
    }
    return std::make_unique<SdlSoundDevice>(device, got);
}

}  // namespace platform::linux_backend
