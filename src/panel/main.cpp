// vocapan: the talking front panel of the FTX transceiver.
#include "panel/run_panel.h"
#include "platform/platform.h"

int main() {
    auto native = platform::createNativePlatform();
    auto services = native.services();
    return vocapan::runPanel(services);
}
