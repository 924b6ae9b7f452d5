// The radio's numeric settings in their fixed-width commands: mic gain ("MG"), RF gain
// ("RG0"), power ("PC1"/"PC2"), keyer speed ("KS"), AF gain ("AG0"), squelch ("SQ0"), monitor ("ML1"), noise
// blanker ("NL00") and reduction ("RL0") levels, contour ("CO01") and processor ("PL").
#pragma once

#include <string>

#include "core/panel.h"

namespace vocapan {

// The commands that set the levels a program may set to `value` (without the ";").
std::string micGainCommand(const PanelState& state, int value);
std::string rfGainCommand(const PanelState& state, int value);
std::string powerCommand(const PanelState& state, int value);
std::string keyerSpeedCommand(const PanelState& state, int value);
std::string afGainCommand(const PanelState& state, int value);
std::string squelchCommand(const PanelState& state, int value);

void sendMicGain(Panel& panel);
// Says "min" first when the gain is 0.
void sendRfGain(Panel& panel);
// "PC1" on the radio's low power range, "PC2" on the high one.
void sendPower(Panel& panel);
void sendKeyerSpeed(Panel& panel);
void sendAfGain(Panel& panel);
// "SQ0" and the squelch level.
void sendSquelch(Panel& panel);
void sendMonitorLevel(Panel& panel);
void sendNoiseBlankerLevel(Panel& panel);
void sendNoiseReductionLevel(Panel& panel);
void sendContour(Panel& panel);
void sendProcessorLevel(Panel& panel);

}  // namespace vocapan
