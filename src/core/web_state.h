// Fields of the web page: whether it is served, the pages it serves, and the keys pressed on
// them, waiting to be handled as the window's keys are.
#pragma once

#include <deque>
#include <memory>

#include "platform/panel_window.h"

namespace vocapan {

struct WebPages;  // the page's port and the pages open on it, kept by the web page itself

struct WebState {
    int webListening = 0;
    std::deque<platform::WindowMessage> pageKeys;  // key-downs and key-ups, in the order pressed
    std::shared_ptr<WebPages> webPages;
};

}  // namespace vocapan
