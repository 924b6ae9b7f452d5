// Entry point of portseek: runs the radio finder on this computer's ports, sound and console.
#include "finder/finder.h"
#include "platform/platform.h"

int main() {
    platform::NativePlatform native = platform::createNativePlatform();
    platform::Platform services = native.services();
    portseek::Seek seek{{}, services, nullptr};
    portseek::runFinder(seek);
    return 0;
}
