// vocapan.cfg as the operator may have left it: read as at start, then the panel initialised
// with what was read (its port and relay port opened at the speed read, its network port
// opened as lines 12 and 17 say) and a few poll ticks run, serving the relay port when one
// was read and a program of this computer and one of another computer on the network port.
// An allow line that lists no addresses must never open the port to every computer, and on
// every interface a program from another computer is answered only when the allow line lets
// it in.
#include <cstdlib>

#include "core/ip_address.h"
#include "fuzz_input.h"
#include "network/rig_server.h"
#include "panel/configuration.h"
#include "panel/initialise_panel.h"
#include "panel_session.h"
#include "started_panel.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vocapan;
    static fuzz::StartedPanel started;
    testing::PanelFixture& panel = started.restart();
    auto& state = panel.panel.state;
    if (readConfiguration(fuzz::FuzzInput(data, size).rest(), state) == ConfigurationResult::WrongKind) return 0;
    initialisePanel(panel.panel);
    if (state.relayPort > 0) openPanelPort(panel.panel, state.relayPort);
    auto& network = panel.fake.network;
    network = platform::fake::FakeTcpServer{};
    openNetwork(panel.panel);
    if (state.netAllowList < 0 && network.listenedAllInterfaces) std::abort();
    const char* afar = "192.168.1.20";
    for (const char* peer : {"127.0.0.1", afar}) network.client(network.connect(peer)).toPanel = "f\n";
    testing::runTicks(panel, 4);
    serviceNetwork(panel.panel);
    const bool allowed = state.netAllowList == 0 || inAnyRange(*ipAddressFromText(afar), state.netAllowed);
    if (network.listenedAllInterfaces && !allowed && !network.client(2).fromPanel.empty()) std::abort();
    closeNetwork(panel.panel);
    return 0;
}
