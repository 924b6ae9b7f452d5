// Prompts through PlaySoundA: a file name, never the default system sound for a missing one.
// On a machine without a sound device PlaySoundA fails at once; a synchronous prompt then
// waits for as long as its recording lasts, so that the pause made by the "delay" prompt
// still gives the radio its time to answer.
#include <windows.h>
// mmsystem.h needs the types of windows.h before it.
#include <mmsystem.h>

#include "platform/windows/backends.h"
#include "platform/windows/wav_length.h"

namespace platform::windows_backend {

namespace {

class WinSoundPlayer : public SoundPlayer {
public:
    void playSync(const std::string& path) override {
        if (PlaySoundA(path.c_str(), nullptr, SND_FILENAME | SND_NODEFAULT)) return;
        if (const auto lengthMs = wavFileLengthMs(path)) Sleep(static_cast<DWORD>(*lengthMs));
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
