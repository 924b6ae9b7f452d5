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

void sendMicGain(Panel& panel) { sendLevel(panel, "MG", panel.state.micGain, 3); }

void sendRfGain(Panel& panel) {
    if (panel.state.rfGain == 0) playPrompt(panel, "min");
    sendLevel(panel, "RG0", panel.state.rfGain, 3);
}

void sendPower(Panel& panel) {
    sendLevel(panel, panel.state.powerRangeLow == 1 ? "PC2" : "PC1", panel.state.powerLevel, 3);
}

void sendKeyerSpeed(Panel& panel) { sendLevel(panel, "KS", panel.state.keyerSpeed, 3); }
void sendAfGain(Panel& panel) { sendLevel(panel, "AG0", panel.state.afGainMain, 3); }
void sendSquelch(Panel& panel) { sendLevel(panel, "SQ0", panel.state.squelchLevel, 3); }
void sendMonitorLevel(Panel& panel) { sendLevel(panel, "ML1", panel.state.monitorLevel, 3); }
void sendNoiseBlankerLevel(Panel& panel) { sendLevel(panel, "NL00", panel.state.nbLevel, 2); }
void sendNoiseReductionLevel(Panel& panel) { sendLevel(panel, "RL0", panel.state.nrLevel, 2); }
void sendContour(Panel& panel) { sendLevel(panel, "CO01", panel.state.contourFreq, 4); }
void sendProcessorLevel(Panel& panel) { sendLevel(panel, "PL", panel.state.procLevel, 3); }

}  // namespace vocapan
