// The real services of a Windows machine, put together for the panel and the radio finder.
#include "platform/windows/backends.h"

namespace platform {

NativePlatform createNativePlatform() {
    NativePlatform native;
    native.serial = windows_backend::makeSerialPortOpener();
    native.sound = windows_backend::makeSoundPlayer();
    native.window = windows_backend::makePanelWindow();
    native.console = windows_backend::makeConsole();
    native.clock = windows_backend::makeClock();
    native.network = windows_backend::makeTcpServer();
    native.reader = windows_backend::makeScreenReader();
    native.remoteLine = windows_backend::makeNetworkLineConnector();
    native.wsjtx = windows_backend::makeUdpSocket();
    native.braille = windows_backend::makeBrailleDisplay();
    return native;
}

}  // namespace platform
