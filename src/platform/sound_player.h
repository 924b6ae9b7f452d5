// The sound player: WAV files by path, one at a time.
#pragma once

#include <functional>
#include <string>

namespace platform {

class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // Called every few milliseconds while a sound plays, so that the program can answer what
    // cannot wait for the end of the sound; false silences the sound and ends the play at once.
    using WhileWaiting = std::function<bool()>;
    // Plays the file and returns when it has ended. A missing or unplayable file plays
    // nothing and returns at once. The file is opened afresh at every call.
    virtual void playSync(const std::string& path, const WhileWaiting& whileWaiting) = 0;
    void playSync(const std::string& path) { playSync(path, {}); }
    // Starts the file and returns at once; any later sound replaces it.
    virtual void playAsync(const std::string& path) = 0;
    // True when there is a file at the path, as the player would look for it.
    virtual bool hasFile(const std::string& path) = 0;
};

// How often a synchronous play calls its `whileWaiting`.
inline constexpr int kWhileWaitingEveryMs = 5;

}  // namespace platform
