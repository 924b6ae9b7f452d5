// The real services of a Linux machine, put together for the panel and the radio finder.
#include "platform/linux/backends.h"

namespace platform {

NativePlatform createNativePlatform() {
    NativePlatform native;
    native.serial = linux_backend::makeSerialPortOpener();
    native.sound = linux_backend::makeSoundPlayer();
    native.window = linux_backend::makePanelWindow();
    native.console = linux_backend::makeConsole();
    native.clock = linux_backend::makeClock();
    native.network = linux_backend::makeTcpServer();
    native.reader = linux_backend::makeScreenReader();
    native.remoteLine = linux_backend::makeNetworkLineConnector();
    native.wsjtx = linux_backend::makeUdpSocket();
    return native;
}

}  // namespace platform
