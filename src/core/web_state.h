// Fields of the web page: whether it is served, and the keys pressed on it, waiting to be
// handled as the window's keys are.
#pragma once

#include <deque>

#include "platform/panel_window.h"

namespace vocapan {

struct WebState {
    int webListening = 0;
    std::deque<platform::WindowMessage> pageKeys;  // key-downs and key-ups, in the order pressed
};

}  // namespace vocapan
