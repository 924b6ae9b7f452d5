// The one key that may pass the others waiting in a window's queue: the transmit key while
// the transmitter is keyed, so that the radio stops transmitting at once whatever the panel
// is saying. Shared by every window backend and the test double.
#pragma once

#include <algorithm>
#include <concepts>
#include <deque>

#include "platform/panel_window.h"

namespace platform {

// Takes the first key-down of `keyCode` out of `queue`, with the key-ups queued before it:
// the keys released before it was pressed are released for the panel too, so that the key
// is not taken for one held since then. False, and the queue as it was, when none waits. The
// queue may hold messages that carry more beside them (the page a key was pressed on).
template <std::derived_from<WindowMessage> Key>
bool takeKeyDownFrom(std::deque<Key>& queue, int keyCode) {
    const auto found = std::find_if(queue.begin(), queue.end(), [keyCode](const Key& message) {
        return message.kind == MessageKind::KeyDown && message.keyCode == keyCode;
    });
    if (found == queue.end()) return false;
    std::deque<Key> left;
    for (auto message = queue.begin(); message != found; ++message) {
        if (message->kind != MessageKind::KeyUp) left.push_back(*message);
    }
    left.insert(left.end(), std::next(found), queue.end());
    queue = std::move(left);
    return true;
}

// Takes every queued tick of timer `timerId` out of `queue`; true when there was one.
inline bool takeTicksFrom(std::deque<WindowMessage>& queue, int timerId) {
    return std::erase_if(queue, [timerId](const WindowMessage& message) {
               return message.kind == MessageKind::Timer && message.timerId == timerId;
           }) > 0;
}

}  // namespace platform
