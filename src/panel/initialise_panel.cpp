#include "panel/initialise_panel.h"

#include <utility>

#include "controls/frequency_ops.h"
#include "core/band_table.h"
#include "core/number_text.h"
#include "link/answers_on_the_way.h"
#include "link/command.h"
#include "memory/memory_file.h"
#include "speech/prompt_player.h"

namespace vocapan {

namespace {

constexpr int kConnectAtStartMs = 5000;
constexpr const char* kHelpLine1 =
    "b=Band  f=Freq  e=Entry m=Mode  w=Filter width p=Power a=af gain r=RF gain q=Quit  s=SMeter/swr";
constexpr const char* kHelpLine2 =
    "F1=Preamp F2=Attenuator F3=Noise Blanker F4=Noise Reduction F5=Notch F6=Speech Proc.";

void drawWindowTexts(Panel& panel) {
    auto& window = panel.platform.window;
    window.moveTo(0, 0);
    window.drawText(panel.state.bannerText);
    window.drawText(panel.state.scratchText);  // the notice follows the banner on its line
    window.moveTo(140, 380);
    window.drawText(kHelpLine1);
    window.moveTo(140, 405);
    window.drawText(kHelpLine2);
}

void startDebugFile(Panel& panel) {
    auto& state = panel.state;
    state.debugFile.open("debug.dat", std::ios::binary | std::ios::trunc);
    auto& clock = panel.platform.clock;
    writeDebugLine(panel, "VOCAPAN " + state.versionText + "  " + clock.dateText() + "   " + clock.timeText());
    const std::string line =
        state.remotePort > 0 ? "Remote=" + remoteAddressText(state) : "Comport=" + numberText(state.comPort);
    writeDebugLine(panel, line + "  Speed=" + numberText(state.baudRate) + " Baud");
}

// Every field back to its start value; the configuration, the version texts, the prompt
// folder and the freshly started transcript are kept.
void setStartValues(PanelState& state) {
    PanelState fresh;
    static_cast<ConfigState&>(fresh) = state;
    fresh.versionText = std::move(state.versionText);
    fresh.bannerText = std::move(state.bannerText);
    fresh.waveDir = std::move(state.waveDir);
    fresh.debugFile = std::move(state.debugFile);
    state = std::move(fresh);

    state.band = 4;
    state.mode = 1;
    state.toneCode = "999";
    state.monitorLevel = 20;
    state.filterWidth = 14;
    state.ssbWidth = 14;
    state.cwWidth = 11;
    state.typedFreq = 999;
    state.squelchLevel = 8;
    state.nbLevel = 5;
    state.nrLevel = 4;
    state.quietWidth = 1;
    state.keyerSpeed = 15;
    state.memoryBank = 99;
    state.rfGain = 250;
    state.afGainMain = 50;
    state.afGainSub = 255;
    state.rfGainSub = 255;
    state.contourFreq = 1200;
}

}  // namespace

std::string remoteAddressText(const ConfigState& config) {
    const bool ipv6 = config.remoteHost.find(':') != std::string::npos;
    return (ipv6 ? "[" + config.remoteHost + "]" : config.remoteHost) + ":" + decimalText(config.remotePort);
}

void openPanelPort(Panel& panel, int comNumber) {
    auto& state = panel.state;
    if (comNumber == CatLink::kNetworkSlot) {
        forgetQuestions(state);  // a new connection answers nothing asked on the old one
        panel.catLink.connectNetworkPort(state.remoteHost, state.remotePort);
    } else {
        panel.catLink.closeSerialPort(comNumber);
        panel.catLink.openSerialPort(comNumber, state.baudRate);
    }
    panel.catLink.setReadTimeouts(comNumber, -1);
    panel.catLink.setLineFormat(comNumber, state.dataBits, state.parity, state.stopBits);
}

void initialisePanel(Panel& panel) {
    auto& state = panel.state;
    drawWindowTexts(panel);
    if (state.debugLog == 1) startDebugFile(panel);
    setStartValues(state);

    for (int band = 1; band <= kBandCount; ++band) state.bandStack[band] = std::string(kDefaultBandStack[band]);
    for (int mode = 1; mode <= kModeCount; ++mode) state.modeCommand[mode] = std::string(kModeCommands[mode]);

    state.mode = 1;
    state.dataBits = 8;
    state.parity = 0;
    state.stopBits = 2;

    for (auto& slot : state.memorySlots) slot = "9";
    // Channels the file held damaged are empty now; the operator hears once that the file as
    // it was is kept beside it.
    if (loadMemories(panel) > 0) playPrompt(panel, "damaged");

    openPanelPort(panel, state.comPort);
    // The start waits for a serial server a while; a connection not made by then is the port
    // not available.
    panel.catLink.finishConnecting(kConnectAtStartMs);
    if (state.band < 1 || state.band > kBandCount) state.band = 4;  // no band chosen: 40 m

    state.freqDisplayText = bandEntryFrequencyText(state.bandStack[state.band]);
    send(panel, "VS0");
}

}  // namespace vocapan
