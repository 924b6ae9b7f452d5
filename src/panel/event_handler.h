// The panel window's event handler: the close request, the poll timer, and the keys; and
// what the panel serves while a prompt plays.
#pragma once

#include "core/panel.h"
#include "platform/panel_window.h"

namespace vocapan {

void handleMessage(Panel& panel, const platform::WindowMessage& message);

// While a prompt plays, the programs on the network port and on the relay port are served,
// and the transmit key is watched for.
void serveOthersWhileSpeaking(Panel& panel);

}  // namespace vocapan
