// Keeping the operator's planned moves at the radio in time order and handing them out as
// simulated time reaches them.
#include "ftxsim/front_panel.h"

#include <algorithm>

namespace ftxsim {

void FrontPanel::turnDial(const std::vector<long long>& frequencies, int stepMs, int afterMs, long long nowMs) {
    long long atMs = nowMs + std::max(afterMs, 0);
    for (const long long frequencyHz : frequencies) {
        plan({atMs, frequencyHz, {}});
        atMs += std::max(stepMs, 0);
    }
}

void FrontPanel::pressModeButton(const std::string& modeCode, int afterMs, long long nowMs) {
    plan({nowMs + std::max(afterMs, 0), 0, modeCode});
}

std::vector<FrontPanelMove> FrontPanel::movesDue(long long nowMs) {
    const auto firstLater =
        std::find_if(planned_.begin(), planned_.end(), [&](const FrontPanelMove& move) { return move.atMs > nowMs; });
    std::vector<FrontPanelMove> due(planned_.begin(), firstLater);
    planned_.erase(planned_.begin(), firstLater);
    return due;
}

void FrontPanel::plan(FrontPanelMove move) {
    const auto later =
        std::upper_bound(planned_.begin(), planned_.end(), move.atMs,
                         [](long long atMs, const FrontPanelMove& planned) { return atMs < planned.atMs; });
    planned_.insert(later, std::move(move));
}

}  // namespace ftxsim
