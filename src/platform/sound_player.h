// The sound player: WAV files by path, one at a time.
#pragma once

#include <string>

namespace platform {

class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // Plays the file and returns when it has ended. A missing or unplayable file plays
    // nothing and returns at once. The file is opened afresh at every call.
    virtual void playSync(const std::string& path) = 0;
    // Starts the file and returns at once; any later sound replaces it.
    virtual void playAsync(const std::string& path) = 0;
    // Waits at most `waitMs` while the sound started last still plays; true while it does.
    // Without a sound device a sound still takes its recorded length.
    virtual bool stillPlaying(int waitMs) = 0;
    // As stillPlaying, while more of the sound is left than the output holds ready to play on
    // its own: a prompt started once this is false follows without a break, however late the
    // caller comes back. For speech; a pause that is timing waits for stillPlaying.
    virtual bool stillPlayingBeforeNext(int waitMs) { return stillPlaying(waitMs); }
    // As playSync for a word: returns once stillPlayingBeforeNext is false, so that the next
    // word follows it without a break.
    virtual void playSyncBeforeNext(const std::string& path) { playSync(path); }
    // Silences the sound started last at once.
    virtual void stop() = 0;
    // True when there is a file at the path, as the player would look for it.
    virtual bool hasFile(const std::string& path) = 0;
};

// How often the panel looks up from a sound that plays, to serve what cannot wait for its end.
inline constexpr int kServeWhilePlayingMs = 5;

}  // namespace platform
