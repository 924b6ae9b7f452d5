#include "panel/key_rules.h"

#include <string>

#include "link/command.h"
#include "speech/number_text.h"
#include "speech/prompt_player.h"

namespace vocapan {

namespace {

// The key as the transcript shows it: "*C/R" for Enter, "*." for either point key,
// "*a (1)" for pad 1 (the character of the key's code, then the digit), else "*" and the
// character of the key's code.
std::string keyLogLine(int code) {
    if (code == vk::kEnter) return "*C/R";
    if (code == vk::kPoint || code == vk::kNumpadPoint) return "*.";
    const std::string keyCharacter(1, static_cast<char>(code));
    if (code >= vk::kNumpad0 && code <= vk::kNumpad9)
        return "*" + keyCharacter + " (" + decimalText(code - vk::kNumpad0) + ")";
    return "*" + keyCharacter;
}

}  // namespace

void onKeyDown(Panel& panel, int code) {
    auto& state = panel.state;
    if (state.keyDown == 1) return;  // auto-repeat: each key acts once per press
    state.keyCode = code;
    state.keyDown = 1;
    state.rawVfoHold = 0;
    writeDebugLine(panel, keyLogLine(code));

    if (state.keyCode == vk::kQ) {
        playPrompt(panel, "quit");
        if (state.connected == 0) {
            state.running = 0;
        } else {
            send(panel, "TX0");
            state.quitCountdown = 1;  // the second following frequency report ends the session
        }
        return;
    }
}

}  // namespace vocapan
