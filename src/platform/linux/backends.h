// The Linux backends, one maker per service; createNativePlatform puts them together.
#pragma once

#include <functional>
#include <memory>

#include "platform/platform.h"

namespace platform::linux_backend {

std::unique_ptr<SerialPortOpener> makeSerialPortOpener();
std::unique_ptr<SoundPlayer> makeSoundPlayer();
std::unique_ptr<PanelWindow> makePanelWindow();
std::unique_ptr<Console> makeConsole();
std::unique_ptr<Clock> makeClock();
std::unique_ptr<TcpServer> makeTcpServer();
std::unique_ptr<ScreenReader> makeScreenReader();
std::unique_ptr<NetworkLineConnector> makeNetworkLineConnector();
std::unique_ptr<UdpSocket> makeUdpSocket();
// `panelXWindow` tells, once the window is open, which X window it is (0 when not on X).
std::unique_ptr<BrailleDisplay> makeBrailleDisplay(std::function<unsigned long()> panelXWindow);

// The X window that a window made by makePanelWindow is while it is open on X; 0 otherwise.
unsigned long xWindowOf(PanelWindow& window);

}  // namespace platform::linux_backend
