// The context every panel operation works on: the state, the platform services and the
// serial ports (with the radio's line through a serial server on the network).
#pragma once

#include <functional>
#include <vector>

#include "core/cat_link.h"
#include "core/panel_state.h"
#include "platform/platform.h"

namespace vocapan {

struct Panel {
    explicit Panel(platform::Platform& services) : platform(services), catLink(services.serial, &services.remoteLine) {}
    PanelState state;
    platform::Platform& platform;
    CatLink catLink;
    // Told of every phrase the panel says, as it ends: the outputs beside the voice.
    std::vector<std::function<void(const std::vector<SpokenPrompt>&)>> phraseListeners;
};

}  // namespace vocapan
