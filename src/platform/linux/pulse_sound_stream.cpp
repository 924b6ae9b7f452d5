// The prompts' own stream on the sound server (PulseAudio, or PipeWire's PulseAudio service).
// Each prompt is written to the server whole, at once: the server plays it on however late the
// panel's threads are scheduled on a busy machine, where a device fed a few milliseconds at a
// time from the panel's side runs short of samples in the middle of a word.
#include <pulse/pulseaudio.h>

#include <algorithm>
#include <thread>

#include "platform/linux/sound_output.h"

namespace platform::linux_backend {

namespace {

using Clock = std::chrono::steady_clock;

// Prompts are speech: one channel, at the rate most recordings are made at; the server
// spreads it over the sink's channels.
constexpr pa_sample_spec kStreamFormat{PA_SAMPLE_S16NE, 44100, 1};
constexpr SDL_AudioSpec kSamplesFormat{44100, AUDIO_S16SYS, 1, 0, 0, 0, 0, nullptr, nullptr};

// The stream's target fill: 1024 frames, so that the server runs its sink with as little
// delay as the device before a prompt's first sample sounds. The prompt itself is written
// whole, far beyond this target; the server keeps what it is given up to the buffer's maximum.
constexpr uint32_t kTargetBytes = 1024 * 2;

// The next word of a phrase is taken this long before the prompt's end, while the server still
// holds that much of it to play: the words follow without a break even when the busy machine
// gives the panel's thread back late (87 ms, measured with both cores loaded).
constexpr std::chrono::milliseconds kHandOver{150};

class PulseSoundStream : public SoundOutput {
public:
    // Starts connecting; the stream is opened as soon as the server has answered.
    PulseSoundStream() : loop_(pa_threaded_mainloop_new()) {
        if (loop_ == nullptr) return;
        context_ = pa_context_new(pa_threaded_mainloop_get_api(loop_), "Vocapan");
        if (context_ == nullptr) return;
        pa_context_set_state_callback(context_, &PulseSoundStream::contextChanged, this);
        if (pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) return;
        started_ = pa_threaded_mainloop_start(loop_) == 0;
    }
    ~PulseSoundStream() override {
        if (loop_ == nullptr) return;
        pa_threaded_mainloop_stop(loop_);
        if (stream_ != nullptr) {
            pa_stream_disconnect(stream_);
            pa_stream_unref(stream_);
        }
        if (context_ != nullptr) {
            pa_context_disconnect(context_);
            pa_context_unref(context_);
        }
        pa_threaded_mainloop_free(loop_);
    }
    PulseSoundStream(const PulseSoundStream&) = delete;
    PulseSoundStream& operator=(const PulseSoundStream&) = delete;

    bool start(const WavSound& sound) override {
        std::vector<Uint8> samples = sound.samplesIn(kSamplesFormat);
        const Lock lock(loop_);
        if (samples.empty() || streamReach() != Reach::Ready) return false;
        if (restFrom_ < rest_.size()) {
            rest_.insert(rest_.end(), samples.begin(), samples.end());
            return true;
        }
        // The server keeps what it is given up to its buffer's maximum; a recording longer
        // than that goes on as the server asks for more.
        const pa_buffer_attr* buffer = pa_stream_get_buffer_attr(stream_);
        const size_t whole = std::min(samples.size(), (size_t(buffer->maxlength) / 4 * 3) & ~size_t(1));
        if (pa_stream_write(stream_, samples.data(), whole, nullptr, 0, PA_SEEK_RELATIVE) < 0) return false;
        dry_ = false;
        rest_ = std::move(samples);
        restFrom_ = whole;
        return true;
    }

    // Drops what the server still holds and what it has yet to take.
    void silence() override {
        const Lock lock(loop_);
        rest_.clear();
        restFrom_ = 0;
        dry_ = true;
        if (streamReach() != Reach::Ready) return;
        if (pa_operation* flushing = pa_stream_flush(stream_, nullptr, nullptr)) pa_operation_unref(flushing);
    }

    bool behind() override { return false; }
    bool ranDry() override {
        const Lock lock(loop_);
        return dry_;
    }
    std::chrono::milliseconds handOver() const override { return kHandOver; }

    Reach reach() override {
        if (!started_) return Reach::Gone;
        const Lock lock(loop_);
        return streamReach();
    }

private:
    class Lock {
    public:
        explicit Lock(pa_threaded_mainloop* loop) : loop_(loop) { pa_threaded_mainloop_lock(loop_); }
        ~Lock() { pa_threaded_mainloop_unlock(loop_); }
        Lock(const Lock&) = delete;
        Lock& operator=(const Lock&) = delete;

    private:
        pa_threaded_mainloop* loop_;
    };

    Reach streamReach() const {
        const pa_context_state_t server = pa_context_get_state(context_);
        if (server == PA_CONTEXT_FAILED || server == PA_CONTEXT_TERMINATED) return Reach::Gone;
        if (stream_ == nullptr) return Reach::Connecting;
        switch (pa_stream_get_state(stream_)) {
            case PA_STREAM_READY:
                return Reach::Ready;
            case PA_STREAM_FAILED:
            case PA_STREAM_TERMINATED:
                return Reach::Gone;
            default:
                return Reach::Connecting;
        }
    }

    // On the connection's own thread: the server has answered, so the stream is opened.
    static void contextChanged(pa_context* context, void* self) {
        if (pa_context_get_state(context) == PA_CONTEXT_READY) static_cast<PulseSoundStream*>(self)->openStream();
    }

    void openStream() {
        stream_ = pa_stream_new(context_, "prompts", &kStreamFormat, nullptr);
        if (stream_ == nullptr) return;
        pa_stream_set_write_callback(stream_, &PulseSoundStream::giveRest, this);
        pa_stream_set_underflow_callback(stream_, &PulseSoundStream::ranOut, this);
        pa_buffer_attr buffer{};
        buffer.maxlength = uint32_t(-1);
        buffer.tlength = kTargetBytes;
        buffer.prebuf = pa_frame_size(&kStreamFormat);  // a prompt plays from its first sample
        buffer.minreq = uint32_t(-1);
        buffer.fragsize = uint32_t(-1);
        pa_stream_connect_playback(stream_, nullptr, &buffer, PA_STREAM_ADJUST_LATENCY, nullptr, nullptr);
    }

    // The server asks for more: the rest of a recording longer than its buffer.
    static void giveRest(pa_stream* stream, size_t room, void* self) {
        PulseSoundStream& player = *static_cast<PulseSoundStream*>(self);
        const size_t now = std::min(room, player.rest_.size() - player.restFrom_) & ~size_t(1);
        if (now == 0 ||
            pa_stream_write(stream, player.rest_.data() + player.restFrom_, now, nullptr, 0, PA_SEEK_RELATIVE) < 0)
            return;
        player.restFrom_ += now;
    }

    // The server has played all it was given.
    static void ranOut(pa_stream*, void* self) { static_cast<PulseSoundStream*>(self)->dry_ = true; }

    pa_threaded_mainloop* loop_;
    pa_context* context_ = nullptr;
    pa_stream* stream_ = nullptr;
    bool started_ = false;  // connecting, on the connection's own thread
    // The prompts handed over, from `restFrom_` on not yet taken by the server.
    std::vector<Uint8> rest_;
    size_t restFrom_ = 0;
    bool dry_ = true;  // nothing handed over is left to play
};

}  // namespace

std::unique_ptr<SoundOutput> connectSoundServer(std::chrono::milliseconds deadline) {
    auto stream = std::make_unique<PulseSoundStream>();
    const Clock::time_point until = Clock::now() + deadline;
    // Looks every few milliseconds, so that a server that never answers costs no more than the
    // deadline.
    for (;;) {
        const SoundOutput::Reach reach = stream->reach();
        if (reach == SoundOutput::Reach::Gone) return nullptr;
        if (reach == SoundOutput::Reach::Ready || Clock::now() >= until) return stream;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

}  // namespace platform::linux_backend
