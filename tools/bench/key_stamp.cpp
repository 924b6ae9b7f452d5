// Types keys on the X display as a keyboard would, for measuring how soon the panel acts on
// them. Reads one key name per line on standard input (X key names: "q", "Right", "KP_1"),
// presses and releases the key in the focused window, and prints the moment of the press
// as seconds since the epoch with microseconds, one line per key.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <chrono>
#include <cstdio>
#include <iostream>
#include <string>

namespace {

double secondsSinceEpoch() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return std::chrono::duration<double>(now).count();
}

}  // namespace

int main() {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "key_stamp: no display\n");
        return 1;
    }
    std::string name;
    while (std::getline(std::cin, name)) {
        const KeySym symbol = XStringToKeysym(name.c_str());
        const KeyCode code = symbol == NoSymbol ? 0 : XKeysymToKeycode(display, symbol);
        if (code == 0) {
            std::printf("unknown %s\n", name.c_str());
            std::fflush(stdout);
            continue;
        }
        const double pressed = secondsSinceEpoch();
        XTestFakeKeyEvent(display, code, True, CurrentTime);
        XSync(display, False);
        XTestFakeKeyEvent(display, code, False, CurrentTime);
        XSync(display, False);
        std::printf("%.6f\n", pressed);
        std::fflush(stdout);
    }
    XCloseDisplay(display);
    return 0;
}
