// The one record of the panel's state, grouped by the subsystem that owns each field.
#pragma once

#include "controls/controls_state.h"
#include "display/display_state.h"
#include "link/link_state.h"
#include "memory/memory_state.h"
#include "panel/app_state.h"
#include "speech/speech_state.h"

namespace vocapan {

struct PanelState : AppState,
                    ConfigState,
                    EntryState,
                    SpeechState,
                    LinkState,
                    MemoryState,
                    ControlsState,
                    DisplayState {};

}  // namespace vocapan
