// Prompts through PlaySoundA: a file name, never the default system sound for a missing one.
// On a machine without a sound device PlaySoundA fails at once; a prompt then still takes
// as long as its recording lasts, so that the pause made by the "delay" prompt still gives the
// radio its time to answer.
#include <windows.h>
// mmsystem.h needs the types of windows.h before it.
#include <mmsystem.h>

#include <algorithm>

#include "platform/windows/backends.h"
#include "platform/windows/wav_length.h"

namespace platform::windows_backend {

namespace {

class WinSoundPlayer : public SoundPlayer {
public:
    void playSync(const std::string& path) override {
        if (PlaySoundA(path.c_str(), nullptr, SND_FILENAME | SND_NODEFAULT)) return;
        // Without a device the sound still takes its time.
        if (const auto lengthMs = wavFileLengthMs(path)) Sleep(static_cast<DWORD>(*lengthMs));
    }

    // Started asynchronously and timed by its recorded length, with or without a device.
    void playAsync(const std::string& path) override {
        PlaySoundA(path.c_str(), nullptr, SND_FILENAME | SND_NODEFAULT | SND_ASYNC);
        const auto lengthMs = wavFileLengthMs(path);
        end_ = GetTickCount64() + (lengthMs ? static_cast<ULONGLONG>(*lengthMs) : 0);
    }

    bool stillPlaying(int waitMs) override {
        const ULONGLONG now = GetTickCount64();
        if (now >= end_) return false;
        Sleep(static_cast<DWORD>(std::min<ULONGLONG>(end_ - now, static_cast<ULONGLONG>(waitMs))));
        return true;
    }

    void stop() override {
        PlaySoundA(nullptr, nullptr, 0);
        end_ = 0;
    }

    bool hasFile(const std::string& path) override {
        const DWORD attributes = GetFileAttributesA(path.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    }

private:
    ULONGLONG end_ = 0;  // when the sound started last has had its time
};

}  // namespace

std::unique_ptr<SoundPlayer> makeSoundPlayer() { return std::make_unique<WinSoundPlayer>(); }

}  // namespace platform::windows_backend
