// The operator's screen reader as a voice of the panel: a phrase handed to it is spoken (and
// shown on a braille display) by the program the operator already listens to. The reader is
// another program and may hang, crash or restart: nothing here ever waits on it, and it says
// when it is no longer taking what it is given, so that the recorded voice can speak instead.
#pragma once

#include <cstddef>
#include <string>

namespace platform {

enum class ReaderState {
    Listening,  // it takes and speaks the panel's phrases
    Elsewhere,  // it is there but does not speak for the panel now (another window has the focus)
    Gone,       // it went away, refused a phrase, or left one untaken for a second
};

// How long a phrase handed over may stay untaken before the reader counts as gone, and how
// often a reader that went away is looked for again.
inline constexpr int kReaderDeadlineMs = 1000;
inline constexpr int kReaderRetryMs = 3000;

class ScreenReader {
public:
    virtual ~ScreenReader() = default;
    // Reaches the screen reader, waiting at most `timeoutMs` for it to answer; false when it
    // does not.
    virtual bool connect(int timeoutMs) = 0;
    // Starts reaching it again without waiting, unless it was tried less than kReaderRetryMs
    // ago; state() tells once it answers.
    virtual void reconnect() = 0;
    // Hands over one phrase and returns at once; it is said after whatever the reader is
    // saying for the panel already.
    virtual void say(const std::string& text) = 0;
    // Silences what the reader is saying for the panel and drops the phrases still waiting.
    virtual void cancel() = 0;
    // Where the reader stands now, after taking in without waiting whatever it answered.
    virtual ReaderState state() = 0;
    // The phrases handed over since the reader was last reached that it has not taken: on
    // Gone, these are the ones it will never say.
    virtual std::size_t untaken() = 0;
};

}  // namespace platform
