// The radio finder's context: its state, the platform services it runs on, and the one port
// it holds open while probing.
#pragma once

#include <memory>
#include <string>

#include "finder/seek_state.h"
#include "platform/platform.h"

namespace portseek {

struct Seek {
    SeekState state;
    platform::Platform& platform;
    std::unique_ptr<platform::SerialPort> port;  // open only during one probe
};

// Plays `name` from the prompt folder and returns when it has ended.
void playPrompt(Seek& seek, const std::string& name);
// Each decimal digit of a non-negative number, most significant first.
void sayNumber(Seek& seek, int number);

}  // namespace portseek
