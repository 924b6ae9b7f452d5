// The repeater offsets of the four bands that have one (10 m, 6 m, 2 m, 70 cm): the working
// sign and offset per band, the configured ones, and the radio's offset menu command.
#pragma once

#include <string>

#include "core/panel_state.h"

namespace vocapan {

struct RepeaterOffset {
    std::string& sign;    // "+" or "-"
    std::string& digits;  // offset in kHz, four digits ("0600")
};

// Bands 10 to 13.
bool hasRepeaterOffset(int band);

// The band's working offset; `band` must have one.
RepeaterOffset workingOffset(PanelState& state, int band);
// The offset the configuration gives the band; `band` must have one.
RepeaterOffset configuredOffset(PanelState& state, int band);

// The command that sets the radio's offset menu of `band` to its working offset: the kHz
// digits on 10 m and 6 m ("EX0103160100"), the offset in 50 kHz steps as four digits on 2 m
// and 70 cm ("EX0103180012" for 600 kHz). Empty for a band without an offset.
std::string offsetCommand(PanelState& state, int band);

// The offset `digits` (kHz) as the radio's menu of `band` takes it, in as many digits: on 2 m
// and 70 cm whole 50 kHz steps, an offset between steps rounded down ("7625" is "7600").
std::string offsetTheRadioTakes(int band, const std::string& digits);

// True when the shift of `band` with `sign` moves the transmit frequency up: "+" on every
// band but 10 m, where the shift is always downwards.
bool shiftsUp(int band, const std::string& sign);

}  // namespace vocapan
