// The prompt player: one recording at a time through the sound server's stream or, where no
// sound server runs, SDL's sound device, opened the first time a prompt plays. On a machine
// without sound output a prompt still takes its recorded length, so pauses such as the reply
// wait keep their timing.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>

#include <unistd.h>

#include "platform/linux/backends.h"
#include "platform/linux/sound_log.h"
#include "platform/linux/sound_output.h"

namespace platform::linux_backend {

namespace {

using Clock = std::chrono::steady_clock;

// How long a synchronous play waits past the recording's length for a device that runs a
// little behind; a stalled device must not hang the panel.
constexpr std::chrono::milliseconds kDeviceLagAllowance{500};

// How long the first prompt waits for the sound server to answer; one that has not by then
// (stopped, hung) leaves the panel silent rather than held.
constexpr std::chrono::milliseconds kServerDeadline{500};
// A prompt started within this time of the last one's hand-over follows it; one started later has
// nothing left to follow, and whatever the output may still hold (a server that was stopped
// and goes on) is dropped first.
constexpr std::chrono::milliseconds kFollowWithin{250};
// After the server has gone, how often a prompt looks for it again.
constexpr std::chrono::seconds kServerLookAgain{1};

class PromptSoundPlayer : public SoundPlayer {
public:
    // The words handed over early are heard to their end before the program goes.
    ~PromptSoundPlayer() override {
        if (output_ != nullptr) std::this_thread::sleep_until(std::min(end_, Clock::now() + kDeviceLagAllowance));
    }

    void playSync(const std::string& path) override {
        play(path);
        while (stillPlaying(kServeWhilePlayingMs)) {
        }
    }
    void playSyncBeforeNext(const std::string& path) override {
        play(path);
        while (stillPlayingBeforeNext(kServeWhilePlayingMs)) {
        }
    }
    void playAsync(const std::string& path) override { play(path); }
    bool hasFile(const std::string& path) override { return access(localSoundPath(path).c_str(), R_OK) == 0; }

    // The recording's length is its time, on the device or without one; a device that runs a
    // little behind gets a little longer, but a stalled one never hangs the panel.
    bool stillPlaying(int waitMs) override { return waitBefore(end_, waitMs); }
    bool stillPlayingBeforeNext(int waitMs) override { return waitBefore(end_ - handOver(), waitMs); }

    void stop() override {
        if (output_ != nullptr) output_->silence();
        end_ = Clock::now() - kDeviceLagAllowance;
    }

private:
    void play(const std::string& path) {
        log_.record(path);
        // A new prompt silences whatever still sounds, even when it cannot play itself; one
        // that comes as the last has ended follows it.
        const Clock::time_point handedOver = end_ - handOver();
        const Clock::time_point now = Clock::now();
        if (now < handedOver || now >= handedOver + kFollowWithin) stop();
        const WavSound sound(localSoundPath(path));
        if (!sound.loaded()) return;
        const bool found = findOutput();
        // The words' clock follows the output: a prompt that comes once the output has played
        // all it was given (the one before sounded sooner than counted) starts now.
        const Clock::time_point start = found && output_->ranDry() ? Clock::now() : std::max(Clock::now(), end_);
        if (found && !output_->start(sound)) return;
        end_ = start + sound.playingTime();
    }

    std::chrono::milliseconds handOver() const {
        return output_ != nullptr ? output_->handOver() : std::chrono::milliseconds(0);
    }

    // Waits at most `waitMs` while the time is before `until`, or while the device, a little
    // behind, still has samples of the sound to play.
    bool waitBefore(Clock::time_point until, int waitMs) {
        const Clock::time_point now = Clock::now();
        const bool recordingLeft = now < until;
        const bool deviceBehind = output_ != nullptr && output_->behind() && now < end_ + kDeviceLagAllowance;
        if (!recordingLeft && !deviceBehind) return false;
        const Clock::time_point wakeUp = recordingLeft ? until : now + std::chrono::milliseconds(2);
        std::this_thread::sleep_until(std::min(wakeUp, now + std::chrono::milliseconds(waitMs)));
        return true;
    }

    // The sound server's stream where a server runs, else SDL's device; without either the
    // panel runs silent. A server that does not answer yet is used once it does; one that
    // goes away is looked for again, now and then. Meanwhile prompts keep their time.
    bool findOutput() {
        if (output_ == nullptr && !tried_) return firstOutput();
        if (output_ == nullptr && Clock::now() - lastLook_ >= kServerLookAgain) {
            lastLook_ = Clock::now();
            output_ = connectSoundServer(std::chrono::milliseconds(0));
        }
        if (output_ == nullptr) return false;
        switch (output_->reach()) {
            case SoundOutput::Reach::Ready:
                heard_ = true;
                return true;
            case SoundOutput::Reach::Connecting:
                return false;
            case SoundOutput::Reach::Gone:
                break;
        }
        output_.reset();
        lastLook_ = Clock::now();
        if (heard_) std::fputs("vocapan: the sound server has gone; the prompts are silent until it is back\n", stderr);
        heard_ = false;
        return false;
    }

    // A stalled server would hold SDL's own connection to it without a deadline, so SDL's
    // device is opened only where no server runs at all.
    bool firstOutput() {
        tried_ = true;
        output_ = connectSoundServer(kServerDeadline);
        if (output_ == nullptr) output_ = openSdlSoundDevice();
        if (output_ == nullptr) {
            std::fputs("vocapan: no sound device was found; the panel runs silent\n", stderr);
            return false;
        }
        if (output_->reach() == SoundOutput::Reach::Ready) return findOutput();
        std::fputs("vocapan: the sound server does not answer; the prompts are silent until it does\n", stderr);
        return false;
    }

    SoundLog log_;
    std::unique_ptr<SoundOutput> output_;
    bool tried_ = false;  // the first prompt has looked for an output
    bool heard_ = false;  // the output has played a prompt since it was found
    Clock::time_point lastLook_{};
    Clock::time_point end_{};  // when the sound started last has had its time
};

}  // namespace

std::unique_ptr<SoundPlayer> makeSoundPlayer() { return std::make_unique<PromptSoundPlayer>(); }

}  // namespace platform::linux_backend
