#include "panel/run_panel.h"

#include <fstream>
#include <sstream>

#include "core/panel.h"
#include "link/command.h"
#include "memory/memory_file.h"
#include "network/rig_server.h"
#include "panel/braille_output.h"
#include "panel/configuration.h"
#include "panel/event_handler.h"
#include "panel/initialise_panel.h"
#include "panel/poll_cycle.h"
#include "panel/radio_query.h"
#include "panel/relay.h"
#include "panel/speech_turns.h"
#include "panel/wsjtx_link.h"
#include "speech/phrases.h"
#include "speech/prompt_player.h"
#include "web/web_page.h"

namespace vocapan {

namespace {

constexpr const char* kVersion = "3.5e";
constexpr const char* kWindowTitle = "*** Vocapan Front Panel v3.5e ***";
constexpr platform::WindowGeometry kWindowGeometry{250, 100, 950, 500};
constexpr const char* kNotice = "   Talking front panel for FTX transceivers";

void greet(Panel& panel) {
    for (const char* prompt : {"ftx.wav", "3.wav", "point", "5"}) playPrompt(panel, prompt);
}

// A start-up announcement that is a phrase of its own.
void sayAlone(Panel& panel, std::initializer_list<const char*> prompts) {
    for (const char* prompt : prompts) playPrompt(panel, prompt);
    endPhrase(panel);
}

bool readConfigurationFile(std::string& text) {
    std::ifstream file("vocapan.cfg", std::ios::binary);
    if (!file) return false;
    std::ostringstream contents;
    contents << file.rdbuf();
    text = contents.str();
    return true;
}

// The keys pressed on the web page take the window's path: the same handling, in the order
// they were pressed. The page whose key switches the transmitter on owns it.
void handPageKeys(Panel& panel) {
    auto& state = panel.state;
    while (!state.pageKeys.empty()) {
        const PageKey key = state.pageKeys.front();
        state.pageKeys.pop_front();
        const bool keyed = state.txState > 0;
        handleMessage(panel, key);
        if (!keyed && state.txState > 0) state.transmitPage = key.page;
    }
}

void runMessageLoop(Panel& panel) {
    auto& window = panel.platform.window;
    panel.state.running = 1;
    while (panel.state.running != 0) {
        window.waitForMessage();
        platform::WindowMessage message;
        while (window.nextMessage(message)) handleMessage(panel, message);
        serveWebPage(panel);
        endTurnPhrase(panel);  // what the web page said: a new code, a page's transmitter off
        handPageKeys(panel);
        showStatusInBraille(panel);
    }
}

// The radio is switched off when the operator asked for it, then the port and the
// transcript are closed.
void releaseRadio(Panel& panel) {
    auto& state = panel.state;
    if (state.powerOffOnQuit == 1) {
        send(panel, "PS0");
        pauseForReply(panel);
    }
    panel.catLink.closeSerialPort(state.comPort);
    if (state.debugFile.is_open()) state.debugFile.close();
}

}  // namespace

int runPanel(platform::Platform& services) {
    Panel panel(services);
    auto& state = panel.state;
    state.versionText = kVersion;
    state.bannerText = "*** Vocapan V " + state.versionText + " ***";
    state.scratchText = kNotice;

    // The file is read before the greeting, so that the voice it chooses speaks from the start.
    std::string configuration;
    const bool configurationFound = readConfigurationFile(configuration);
    const ConfigurationResult configurationRead =
        configurationFound ? readConfiguration(configuration, state) : ConfigurationResult::Read;

    services.window.open(kWindowTitle, kWindowGeometry);
    openBraille(panel);
    const bool voiceReached = startVoice(panel);
    greet(panel);
    endPhrase(panel);
    if (!voiceReached) sayAlone(panel, {"noreader"});

    if (!configurationFound) {
        sayAlone(panel, {"cfgnf"});
        return 0;
    }
    if (configurationRead == ConfigurationResult::WrongKind) {
        sayAlone(panel, {"wrong", "conf"});
        services.window.close();
        releaseRadio(panel);
        return 0;
    }
    // A port or speed that cannot be one is the configuration's fault, not the radio's.
    if (!portAndSpeedUsable(state)) {
        sayAlone(panel, {"cfgerr"});
        services.window.close();
        return 0;
    }

    initialisePanel(panel);
    endPhrase(panel);
    const RadioQueryResult query = queryRadioState(panel);
    endPhrase(panel);
    if (query == RadioQueryResult::Refused) return 0;

    openNetwork(panel);
    openWsjtx(panel);
    openWebPage(panel);
    endPhrase(panel);
    services.window.startTimer(kPollTimer, kPollPeriodMs);
    if (state.relayPort > 0) services.window.startTimer(kRelayTimer, kRelayPeriodMs);
    runMessageLoop(panel);

    services.window.stopTimer(kRelayTimer);
    services.window.stopTimer(kPollTimer);
    closeNetwork(panel);
    closeWsjtx(panel);
    closeWebPage(panel);
    // However the session ended, the transmitter is not left keyed behind it.
    if (state.txState > 0 || state.tuning == 1) send(panel, "TX0");
    saveMemories(panel);
    endPhrase(panel);
    services.window.close();
    releaseRadio(panel);
    return 0;
}

}  // namespace vocapan
