// What the panel receives from the Windows message queue: the close button, ticks and keys
// arrive, the characters that TranslateMessage adds do not (a letter would act twice), and
// ticks that fall due while the panel speaks do not pile up.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/windows/window_messages.h"

namespace platform::windows_backend {
namespace {

// A message as a failing test prints it: "KeyDown 65", "Timer 1", "CloseRequest".
std::string described(const WindowMessage& message) {
    switch (message.kind) {
        case MessageKind::CloseRequest:
            return "CloseRequest";
        case MessageKind::Timer:
            return "Timer " + std::to_string(message.timerId);
        case MessageKind::KeyDown:
            return "KeyDown " + std::to_string(message.keyCode);
        case MessageKind::KeyUp:
            return "KeyUp " + std::to_string(message.keyCode);
    }
    return "?";
}

constexpr unsigned kWmPaint = 0x000F;
constexpr unsigned kWmChar = 0x0102;
constexpr unsigned kWmSysChar = 0x0106;
constexpr unsigned kWmMouseMove = 0x0200;
constexpr unsigned kWmSysCommand = 0x0112;
constexpr int kVkMenu = 18;
constexpr int kVkF10 = 121;

std::vector<std::string> panelMessagesFor(const std::vector<std::pair<unsigned, std::uintptr_t>>& queue) {
    std::vector<std::string> received;
    for (const auto& [message, wParam] : queue) {
        if (const auto panelMessage = panelMessageFor(message, wParam)) received.push_back(described(*panelMessage));
    }
    return received;
}

TEST(WindowsMessages, operator_keys_ticks_and_close_reach_the_panel_once_each) {
    // Pressing A, F10 (a system key on Windows), Right with one auto-repeat, a tick, the
    // close button; with the characters and painting Windows puts in between.
    const std::vector<std::string> received = panelMessagesFor({
        {kWmKeyDown, 'A'},
        {kWmChar, 'a'},
        {kWmKeyUp, 'A'},
        {kWmSysKeyDown, kVkF10},
        {kWmSysKeyUp, kVkF10},
        {kWmKeyDown, 39},
        {kWmKeyDown, 39},
        {kWmKeyUp, 39},
        {kWmPaint, 0},
        {kWmMouseMove, 0},
        {kWmSysCommand, 0xF060},
        {kWmTimer, 1},
        {kWmClose, 0},
    });
    EXPECT_EQ(received, (std::vector<std::string>{"KeyDown 65", "KeyUp 65", "KeyDown 121", "KeyUp 121", "KeyDown 39",
                                                  "KeyDown 39", "KeyUp 39", "Timer 1", "CloseRequest"}));
    EXPECT_FALSE(panelMessageFor(kWmSysChar, 'x'));
}

TEST(WindowsMessages, only_alt_f4_is_left_to_windows) {
    EXPECT_TRUE(systemKeyNeedsDefault(kWmSysKeyDown, kVkF4, true));
    EXPECT_FALSE(systemKeyNeedsDefault(kWmSysKeyDown, kVkF4, false));
    // F10 and a lone Alt would open the system menu, which swallows the next keys.
    EXPECT_FALSE(systemKeyNeedsDefault(kWmSysKeyDown, kVkF10, false));
    EXPECT_FALSE(systemKeyNeedsDefault(kWmSysKeyDown, kVkMenu, true));
    EXPECT_FALSE(systemKeyNeedsDefault(kWmSysKeyUp, kVkMenu, true));
}

std::vector<std::string> drain(PendingMessages& pending) {
    std::vector<std::string> taken;
    WindowMessage message;
    while (pending.pop(message)) taken.push_back(described(message));
    return taken;
}

TEST(WindowsMessages, ticks_due_during_a_long_prompt_come_as_one) {
    const WindowMessage tick{MessageKind::Timer, 0, 1};
    const WindowMessage otherTimer{MessageKind::Timer, 0, 2};
    const WindowMessage right{MessageKind::KeyDown, 39, 0};

    PendingMessages pending;
    pending.push(tick);
    pending.push(right);
    pending.push(tick);
    pending.push(right);  // auto-repeat: every key-down counts
    pending.push(otherTimer);
    pending.push(tick);
    EXPECT_EQ(drain(pending), (std::vector<std::string>{"Timer 1", "KeyDown 39", "KeyDown 39", "Timer 2"}));

    // Once the panel has taken the tick, the next one is queued again.
    pending.push(tick);
    EXPECT_EQ(drain(pending), (std::vector<std::string>{"Timer 1"}));
    EXPECT_TRUE(pending.empty());
}

TEST(WindowsMessages, the_transmit_key_is_taken_out_of_turn_with_the_releases_before_it) {
    const auto key = [](MessageKind kind, int code) { return WindowMessage{kind, code, 0}; };
    PendingMessages pending;
    for (const auto& message :
         {key(MessageKind::KeyUp, 'F'), key(MessageKind::KeyDown, 39), key(MessageKind::KeyUp, 39),
          key(MessageKind::KeyDown, 32), key(MessageKind::KeyUp, 32), key(MessageKind::KeyDown, 32)}) {
        pending.push(message);
    }
    pending.push({MessageKind::Timer, 0, 1});
    EXPECT_FALSE(pending.takeKeyDown(65));
    EXPECT_TRUE(pending.takeKeyDown(32));
    // Right stays in its place; the key-ups before Space went with it; what came after stays.
    EXPECT_EQ(drain(pending), (std::vector<std::string>{"KeyDown 39", "KeyUp 32", "KeyDown 32", "Timer 1"}));
}

}  // namespace
}  // namespace platform::windows_backend
