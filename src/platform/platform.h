// The services a program takes from its platform, and the factory that makes the real ones
// for the operating system the program was built for.
#pragma once

#include <memory>

#include "platform/braille_display.h"
#include "platform/clock.h"
#include "platform/console.h"
#include "platform/network_line.h"
#include "platform/panel_window.h"
#include "platform/screen_reader.h"
#include "platform/serial_port.h"
#include "platform/sound_player.h"
#include "platform/tcp_server.h"
#include "platform/udp_socket.h"

namespace platform {

struct Platform {
    SerialPortOpener& serial;
    SoundPlayer& sound;
    PanelWindow& window;
    Console& console;
    Clock& clock;
    TcpServer& network;
    ScreenReader& reader;
    NetworkLineConnector& remoteLine;
    UdpSocket& wsjtx;
    BrailleDisplay& braille;
};

// Owns one backend of each kind.
struct NativePlatform {
    std::unique_ptr<SerialPortOpener> serial;
    std::unique_ptr<SoundPlayer> sound;
    std::unique_ptr<PanelWindow> window;
    std::unique_ptr<Console> console;
    std::unique_ptr<Clock> clock;
    std::unique_ptr<TcpServer> network;
    std::unique_ptr<ScreenReader> reader;
    std::unique_ptr<NetworkLineConnector> remoteLine;
    std::unique_ptr<UdpSocket> wsjtx;
    std::unique_ptr<BrailleDisplay> braille;
    Platform services() {
        return {*serial, *sound, *window, *console, *clock, *network, *reader, *remoteLine, *wsjtx, *braille};
    }
};

NativePlatform createNativePlatform();

}  // namespace platform
