// Speaking what changed at the radio itself: the operator turning its dial or pressing its
// band and mode buttons, or other software through the relay. The panel's own changes are
// not spoken again. Only when the configuration asks for it ("knob=1").
#pragma once

#include <string>

#include "core/panel.h"

namespace vocapan {

// Called for every accepted frequency report, once it is drawn: a new frequency is spoken
// when it has stayed put over two more reports, so a turning dial is heard once, where it
// stops; a new band is spoken before it and a new mode after it.
void speakRadioChanges(Panel& panel);

// The first report announces where the panel put the radio: its band and mode are known.
void noteConnectionHeard(Panel& panel);

// The panel has just spoken where a program put the radio: that frequency, band and mode are
// known to the operator and are not spoken again when the dial settles there.
void noteAnnounced(Panel& panel);

// The radio's answer to the mode poll ("MD0" and the mode's code): a mode set at the radio
// becomes the panel's mode and is drawn; the next report speaks it.
void takeRadioMode(Panel& panel, const std::string& modeAnswer);

}  // namespace vocapan
