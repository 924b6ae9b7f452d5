// The Windows backends, one maker per service; createNativePlatform puts them together.
#pragma once

#include <memory>

#include "platform/platform.h"

namespace platform::windows_backend {

std::unique_ptr<SerialPortOpener> makeSerialPortOpener();
std::unique_ptr<SoundPlayer> makeSoundPlayer();
std::unique_ptr<PanelWindow> makePanelWindow();
std::unique_ptr<Console> makeConsole();
std::unique_ptr<Clock> makeClock();
std::unique_ptr<TcpServer> makeTcpServer();
std::unique_ptr<ScreenReader> makeScreenReader();
std::unique_ptr<NetworkLineConnector> makeNetworkLineConnector();
std::unique_ptr<UdpSocket> makeUdpSocket();
std::unique_ptr<BrailleDisplay> makeBrailleDisplay();

}  // namespace platform::windows_backend
