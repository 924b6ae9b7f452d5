#include "platform/windows/window_messages.h"

#include "platform/key_queue.h"

#include <algorithm>

namespace platform::windows_backend {

std::optional<WindowMessage> panelMessageFor(unsigned message, std::uintptr_t wParam) {
    const int keyCode = static_cast<int>(wParam & 0xFF);
    switch (message) {
        case kWmClose:
            return WindowMessage{MessageKind::CloseRequest, 0, 0};
        case kWmTimer:
            return WindowMessage{MessageKind::Timer, 0, static_cast<int>(wParam)};
        case kWmKeyDown:
        case kWmSysKeyDown:
            return WindowMessage{MessageKind::KeyDown, keyCode, 0};
        case kWmKeyUp:
        case kWmSysKeyUp:
            return WindowMessage{MessageKind::KeyUp, keyCode, 0};
        default:
            return std::nullopt;
    }
}

bool systemKeyNeedsDefault(unsigned message, std::uintptr_t wParam, bool altHeld) {
    return message == kWmSysKeyDown && altHeld && wParam == static_cast<std::uintptr_t>(kVkF4);
}

void PendingMessages::push(const WindowMessage& message) {
    if (message.kind == MessageKind::Timer) {
        const bool waiting = std::any_of(queue_.begin(), queue_.end(), [&](const WindowMessage& queued) {
            return queued.kind == MessageKind::Timer && queued.timerId == message.timerId;
        });
        if (waiting) return;
    }
    queue_.push_back(message);
}

bool PendingMessages::takeKeyDown(int keyCode) { return takeKeyDownFrom(queue_, keyCode); }

bool PendingMessages::takeTicks(int timerId) { return takeTicksFrom(queue_, timerId); }

bool PendingMessages::pop(WindowMessage& message) {
    if (queue_.empty()) return false;
    message = queue_.front();
    queue_.pop_front();
    return true;
}

}  // namespace platform::windows_backend
