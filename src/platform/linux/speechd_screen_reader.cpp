// The screen reader on Linux: speech-dispatcher, the daemon Orca and the desktop's other
// talking programs speak through, reached with its client library. SPEECHD_ADDRESS chooses
// the daemon as for every other client; each phrase is one message that queues behind the
// ones before it.
#include <libspeechd.h>

#include <cstdio>
#include <cstdlib>

#include "platform/linux/backends.h"

namespace platform::linux_backend {

namespace {

class SpeechdScreenReader : public ScreenReader {
public:
    ~SpeechdScreenReader() override {
        if (connection_ != nullptr) spd_close(connection_);
    }

    bool connect() override {
        if (connection_ != nullptr) return true;
        char* error = nullptr;
        connection_ = spd_open2("vocapan", "panel", nullptr, SPD_MODE_SINGLE, nullptr, 1, &error);
        if (connection_ == nullptr) {
            std::fprintf(stderr, "vocapan: no speech-dispatcher could be reached (%s); the recorded prompts speak\n",
                         error != nullptr ? error : "no reason given");
        }
        std::free(error);
        return connection_ != nullptr;
    }

    // A message is never cancelled by the panel's next one or by another program's text.
    void say(const std::string& text) override {
        if (connection_ != nullptr) spd_say(connection_, SPD_MESSAGE, text.c_str());
    }

private:
    SPDConnection* connection_ = nullptr;
};

}  // namespace

std::unique_ptr<ScreenReader> makeScreenReader() { return std::make_unique<SpeechdScreenReader>(); }

}  // namespace platform::linux_backend
