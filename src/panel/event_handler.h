// The panel window's event handler: the close request, the poll timer, and the keys.
#pragma once

#include "core/panel.h"
#include "platform/panel_window.h"

namespace vocapan {

void handleMessage(Panel& panel, const platform::WindowMessage& message);

}  // namespace vocapan
