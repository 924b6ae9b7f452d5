// Fields of the web page: whether it is served, the pages it serves, the keys pressed on them,
// waiting to be handled as the window's keys are, and the page that switched the transmitter on.
#pragma once

#include <deque>
#include <memory>

#include "platform/panel_window.h"

namespace vocapan {

struct WebPages;  // the page's port and the pages open on it, kept by the web page itself

// A key-down or key-up pressed on a page.
struct PageKey : platform::WindowMessage {
    int page = 0;  // the number the page was given when it opened
};

struct WebState {
    int webListening = 0;
    std::deque<PageKey> pageKeys;  // in the order pressed
    // The page whose key switched the transmitter on, while it stays on; -1 when none did. When
    // that page goes, the transmitter goes off.
    int transmitPage = -1;
    std::shared_ptr<WebPages> webPages;
};

}  // namespace vocapan
