// The levels a program can read and set through the rig-control protocol: S-meter strength,
// power, AF and RF gain, squelch, keyer speed and mic gain, as Hamlib scales them (0 to 1,
// or whole units for the S-meter in dB and the keyer speed in words per minute).
#pragma once

#include <string>
#include <string_view>

#include "core/panel.h"
#include "network/rig_protocol.h"
#include "network/rig_values.h"

namespace vocapan {

// The level's value as the protocol writes it: the setting a program set when it is still to
// be made, else the panel's.
RigAnswer readLevel(const PanelState& state, const RigReading& reading, std::string_view name);
// A level set a program asked for: the panel's field, its new value, and the panel's own
// operation that puts it on the radio.
struct LevelChange {
    int PanelState::*field = nullptr;
    int setting = 0;
    void (*send)(Panel&) = nullptr;
};

// Checks the set against the level's range; kRigOk and `change` filled, or why not.
int checkLevelChange(const PanelState& state, std::string_view name, std::string_view value, LevelChange& change);
// Sets the panel's field and sends the command.
void makeLevelChange(Panel& panel, const LevelChange& change);

}  // namespace vocapan
