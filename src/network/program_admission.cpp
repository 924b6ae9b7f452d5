#include "network/program_admission.h"

#include <algorithm>

#include "core/ip_address.h"
#include "core/number_text.h"
#include "speech/prompt_player.h"

namespace vocapan {

namespace {

// Refusals said at most from this many addresses: a sweep of the port from many addresses
// is written to the console, not spoken without end.
constexpr std::size_t kMostRefusalsSaid = 64;

void refuse(Panel& panel, const std::string& peer, const std::optional<IpAddress>& address) {
    auto& refused = panel.state.netRefused;
    if (address && std::find(refused.begin(), refused.end(), *address) != refused.end()) return;
    panel.platform.console.write("vocapan: network port " + decimalText(panel.state.netPort) +
                                 " refused a program at " + (peer.empty() ? "an unknown address" : peer) +
                                 ", which the allow line does not list\n");
    if (!address || refused.size() >= kMostRefusalsSaid) return;
    refused.push_back(*address);
    playPrompt(panel, "netrefused");
}

}  // namespace

bool servesOtherComputers(const PanelState& state) { return state.netAllInterfaces == 1 && state.netAllowList >= 0; }

void sayAllowLineFault(Panel& panel) {
    if (panel.state.netAllowList >= 0) return;
    panel.platform.console.write(
        "vocapan: line 17 of vocapan.cfg, allow=, lists no addresses as ADDRESS or ADDRESS/BITS "
        "separated by commas; network rig control serves this computer only\n");
    playPrompt(panel, "cfgerr");
    playPrompt(panel, "allowln");
}

void sayOpenToEveryComputer(Panel& panel) {
    if (panel.state.netAllInterfaces == 1 && panel.state.netAllowList == 0) playPrompt(panel, "netopen");
}

Admission admit(Panel& panel, const std::string& peer) {
    const auto& state = panel.state;
    // On 127.0.0.1 and ::1 alone, every program is one of this computer.
    if (!servesOtherComputers(state)) return Admission::ThisComputer;
    const auto address = ipAddressFromText(peer);
    if (address && isThisComputer(*address)) return Admission::ThisComputer;
    if (state.netAllowList == 0 || (address && inAnyRange(*address, state.netAllowed))) {
        return Admission::OtherComputer;
    }
    refuse(panel, peer, address);
    return Admission::Refused;
}

void announceArrival(Panel& panel, const NetClient& client) {
    if (client.fromAfar) playPrompt(panel, "netjoin");
}

void announceDeparture(Panel& panel, const NetClient& client) {
    if (client.fromAfar) playPrompt(panel, "netgone");
}

}  // namespace vocapan
