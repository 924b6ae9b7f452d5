#include "controls/levels.h"

#include <string>

#include "core/number_text.h"
#include "link/command.h"
#include "speech/prompt_player.h"

namespace vocapan {

namespace {

void sendLevel(Panel& panel, const std::string& prefix, int value, int digits) {
    send(panel, prefix + zeroPadded(value, digits));
}

}  // namespace

std::string micGainCommand(const PanelState&, int value) { return "MG" + zeroPadded(value, 3); }
std::string rfGainCommand(const PanelState&, int value) { return "RG0" + zeroPadded(value, 3); }
std::string powerCommand(const PanelState& state, int value) {
    return (state.powerRangeLow == 1 ? "PC2" : "PC1") + zeroPadded(value, 3);
}
std::string keyerSpeedCommand(const PanelState&, int value) { return "KS" + zeroPadded(value, 3); }
std::string afGainCommand(const PanelState&, int value) { return "AG0" + zeroPadded(value, 3); }
std::string squelchCommand(const PanelState&, int value) { return "SQ0" + zeroPadded(value, 3); }

void sendMicGain(Panel& panel) { send(panel, micGainCommand(panel.state, panel.state.micGain)); }

void sendRfGain(Panel& panel) {
    if (panel.state.rfGain == 0) playPrompt(panel, "min");
    send(panel, rfGainCommand(panel.state, panel.state.rfGain));
}

void sendPower(Panel& panel) { send(panel, powerCommand(panel.state, panel.state.powerLevel)); }
void sendKeyerSpeed(Panel& panel) { send(panel, keyerSpeedCommand(panel.state, panel.state.keyerSpeed)); }
void sendAfGain(Panel& panel) { send(panel, afGainCommand(panel.state, panel.state.afGainMain)); }
void sendSquelch(Panel& panel) { send(panel, squelchCommand(panel.state, panel.state.squelchLevel)); }
void sendMonitorLevel(Panel& panel) { sendLevel(panel, "ML1", panel.state.monitorLevel, 3); }
void sendNoiseBlankerLevel(Panel& panel) { sendLevel(panel, "NL00", panel.state.nbLevel, 2); }
void sendNoiseReductionLevel(Panel& panel) { sendLevel(panel, "RL0", panel.state.nrLevel, 2); }
void sendContour(Panel& panel) { sendLevel(panel, "CO01", panel.state.contourFreq, 4); }
void sendProcessorLevel(Panel& panel) { sendLevel(panel, "PL", panel.state.procLevel, 3); }

}  // namespace vocapan
