#include "controls/transmit.h"

#include "link/command.h"
#include "speech/prompt_player.h"

namespace vocapan {

namespace {

constexpr int kTxStateBase = 10;  // voice transmit keeps the SWR option as txState - 10
constexpr int kSwrSettleReadings = 2;

}  // namespace

bool transmitAllowed(const PanelState& state) { return state.mode >= 1 && state.mode <= 3; }

void switchTransmit(Panel& panel) {
    auto& state = panel.state;
    if (state.txState == 0) {
        playPrompt(panel, "tx");
        playPrompt(panel, "on");
        // The SWR is not spoken on its own while the operator speaks.
        state.txState = state.swrOption + kTxStateBase;
        state.swrOption = 0;
        state.swrSettle = kSwrSettleReadings;
        state.atuEngaged = 0;
        send(panel, "TX1");
    } else {
        state.swrOption = state.txState - kTxStateBase;
        state.txState = 0;
        send(panel, "TX0");
        playPrompt(panel, "tx");
        playPrompt(panel, "off");
    }
}

}  // namespace vocapan
