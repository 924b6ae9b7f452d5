// The benchmark's reference sound client: what a plain program gets from the same sound
// server. Opens the default output as the panel does (44.1 kHz, 16-bit stereo) with a
// 256-frame buffer; for each line on standard input queues a 100 ms tone that starts at full
// height on its first sample, and prints the moment of the write as seconds since the epoch
// with microseconds.
#include <SDL.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 44100;
constexpr int kFrames = 256;
constexpr double kToneHz = 1000.0;
constexpr int kToneFrames = kRate / 10;

double secondsSinceEpoch() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return std::chrono::duration<double>(now).count();
}

}  // namespace

int main() {
    if (SDL_Init(SDL_INIT_AUDIO) != 0) {
        std::fprintf(stderr, "sound_stamp: %s\n", SDL_GetError());
        return 1;
    }
    SDL_AudioSpec wanted{};
    wanted.freq = kRate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 2;
    wanted.samples = kFrames;
    SDL_AudioSpec got{};
    const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &got, 0);
    if (device == 0) {
        std::fprintf(stderr, "sound_stamp: %s\n", SDL_GetError());
        return 1;
    }
    // A cosine: the first sample is the loudest, so the tone's start is its first sample.
    std::vector<Sint16> tone(2 * kToneFrames);
    for (int i = 0; i < kToneFrames; ++i) {
        const auto value = static_cast<Sint16>(16000 * std::cos(2 * M_PI * kToneHz * i / kRate));
        tone[2 * i] = tone[2 * i + 1] = value;
    }
    SDL_PauseAudioDevice(device, 0);
    std::string line;
    while (std::getline(std::cin, line)) {
        const double written = secondsSinceEpoch();
        SDL_QueueAudio(device, tone.data(), static_cast<Uint32>(tone.size() * sizeof(Sint16)));
        std::printf("%.6f\n", written);
        std::fflush(stdout);
    }
    SDL_CloseAudioDevice(device);
    SDL_Quit();
    return 0;
}
