// The context every panel operation works on: the state, the platform services and the
// serial ports.
#pragma once

#include "core/cat_link.h"
#include "core/panel_state.h"
#include "platform/platform.h"

namespace vocapan {

struct Panel {
    explicit Panel(platform::Platform& services) : platform(services), catLink(services.serial) {}
    PanelState state;
    platform::Platform& platform;
    CatLink catLink;
};

}  // namespace vocapan
