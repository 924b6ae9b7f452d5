#include "controls/preamp.h"

#include "core/number_text.h"
#include "display/function_line.h"
#include "link/command.h"
#include "speech/prompt_player.h"

namespace vocapan {

// The radio's band group: 0 for HF and 6 m (and general coverage), 1 for 2 m, 2 for 70 cm.
// VHF and UHF have one preamplifier stage only.
std::string preampCommand(int band, int level) {
    if (band == 12) return level > 0 ? "PA11" : "PA10";
    if (band == 13) return level > 0 ? "PA21" : "PA20";
    return "PA0" + decimalText(level);
}

void applyPreamp(Panel& panel) {
    const auto& state = panel.state;
    playPrompt(panel, "preamp");
    send(panel, preampCommand(state.band, state.preampLevel));
    if (state.preampLevel == 0) {
        playPrompt(panel, "off");
    } else {
        playPrompt(panel, decimalText(state.preampLevel));
        playPrompt(panel, "on");
    }
    drawFunctionLine(panel);
}

}  // namespace vocapan
