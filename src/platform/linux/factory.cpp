// The real services of a Linux machine, put together for the panel and the radio finder.
#include <csignal>

#include "platform/linux/backends.h"

namespace platform {

NativePlatform createNativePlatform() {
    // A program or a daemon that closes its end of a socket makes the next write to it fail,
    // never end the program that writes: the screen reader, a program on the network port
    // and the serial server can all go away at any moment.
    std::signal(SIGPIPE, SIG_IGN);
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
    PanelWindow& window = *native.window;
    native.braille = linux_backend::makeBrailleDisplay([&window] { return linux_backend::xWindowOf(window); });
    return native;
}

}  // namespace platform
