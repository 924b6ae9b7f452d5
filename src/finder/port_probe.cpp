// The probe of one port at one speed: the radio is woken with ";;;", asked "FA;", and counts
// as found when its answer holds "FA" anywhere. RTS and DTR are dropped the moment a port
// opens, because a radio can key its transmitter on either line.
#include "finder/port_probe.h"

#include <array>

namespace portseek {

namespace {

// A read returns 1 s after the last character, or 5 ms per character asked for in all.
constexpr platform::ReadTimeouts kProbeTimeouts{1000, 5, 0};
constexpr platform::LineFormat kProbeFormat{8, 0, 1};
constexpr int kReplyMax = 255;

void writeTryPort(Seek& seek, const std::string& text) {
    if (seek.port) seek.port->writeBytes(text.data(), static_cast<int>(text.size()));
}

void readProbeReply(Seek& seek) {
    seek.state.probeReply.clear();
    if (!seek.port) return;
    std::array<char, kReplyMax> buffer{};
    const int count = seek.port->readBytes(buffer.data(), kReplyMax);
    if (count > 0) seek.state.probeReply.assign(buffer.data(), static_cast<size_t>(count));
}

}  // namespace

bool openTryPort(Seek& seek) {
    seek.port = seek.platform.serial.open(seek.state.tryPort);
    if (!seek.port) return false;
    seek.port->setModemLines(false, false);
    if (!seek.port->setBaudRate(seek.state.tryBaud) || !seek.port->setLineFormat(kProbeFormat) ||
        !seek.port->setReadTimeouts(kProbeTimeouts)) {
        closeTryPort(seek);
        return false;
    }
    return true;
}

void closeTryPort(Seek& seek) { seek.port.reset(); }

void probeRadio(Seek& seek) {
    writeTryPort(seek, ";;;");
    playPrompt(seek, "delay");
    writeTryPort(seek, "FA;");
    playPrompt(seek, "delay");
    readProbeReply(seek);
    seek.state.searchResult = seek.state.probeReply.find("FA") != std::string::npos ? 1 : 0;
}

}  // namespace portseek
