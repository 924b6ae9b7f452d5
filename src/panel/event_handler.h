// The panel window's event handler: the close request, the poll timer, and the keys, each
// handled as a turn of its own while the loop serves what cannot wait for its words.
#pragma once

#include "core/panel.h"
#include "platform/panel_window.h"

namespace vocapan {

void handleMessage(Panel& panel, const platform::WindowMessage& message);

}  // namespace vocapan
