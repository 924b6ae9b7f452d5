// Prompts through PlaySoundA: a file name, never the default system sound for a missing one.
// On a machine without a sound device PlaySoundA fails at once; a synchronous prompt then
// waits for as long as its recording lasts, so that the pause made by the "delay" prompt
// still gives the radio its time to answer.
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
    // With something to do meanwhile the sound is started asynchronously and waited for by its
    // recorded length, waking every few milliseconds; without a device it only takes its time.
    void playSync(const std::string& path, const WhileWaiting& whileWaiting) override {
        if (!whileWaiting && PlaySoundA(path.c_str(), nullptr, SND_FILENAME | SND_NODEFAULT)) return;
        const auto lengthMs = wavFileLengthMs(path);
        if (!lengthMs) return;
        if (whileWaiting) PlaySoundA(path.c_str(), nullptr, SND_FILENAME | SND_NODEFAULT | SND_ASYNC);
        const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(*lengthMs);
        for (ULONGLONG now = GetTickCount64(); now < end; now = GetTickCount64()) {
            if (whileWaiting && !whileWaiting()) {
                PlaySoundA(nullptr, nullptr, 0);  // silences the sound started above
                return;
            }
            Sleep(static_cast<DWORD>(std::min<ULONGLONG>(end - now, kWhileWaitingEveryMs)));
        }
    }

    void playAsync(const std::string& path) override {
        PlaySoundA(path.c_str(), nullptr, SND_FILENAME | SND_NODEFAULT | SND_ASYNC);
    }

    bool hasFile(const std::string& path) override {
        const DWORD attributes = GetFileAttributesA(path.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    }
};

}  // namespace

std::unique_ptr<SoundPlayer> makeSoundPlayer() { return std::make_unique<WinSoundPlayer>(); }

}  // namespace platform::windows_backend
