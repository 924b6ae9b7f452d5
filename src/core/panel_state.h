// The one record of the panel's state, grouped by the subsystem that owns each field.
#pragma once

#include "core/app_state.h"
#include "core/controls_state.h"
#include "core/display_state.h"
#include "core/knob_state.h"
#include "core/link_state.h"
#include "core/memory_state.h"
#include "core/network_state.h"
#include "core/speech_state.h"
#include "core/web_state.h"
#include "core/wsjtx_state.h"

namespace vocapan {

struct PanelState : AppState,
                    ConfigState,
                    EntryState,
                    SpeechState,
                    LinkState,
                    MemoryState,
                    ControlsState,
                    DisplayState,
                    KnobState,
                    NetworkState,
                    WsjtxState,
                    WebState {};

}  // namespace vocapan
