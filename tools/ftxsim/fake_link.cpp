// The wire between a fake serial device and the simulated radio.
#include "ftxsim/fake_link.h"

namespace ftxsim {

void attach(platform::fake::FakeSerialDevice& device, Radio& radio) {
    device.responder = [&radio](const std::string& written, int baud, const platform::LineFormat& format) {
        // The stop bits do not matter to a receiver; data bits and parity do.
        if (format.dataBits != 8 || format.parity != 0) {
            radio.lineNoise(written.size());
            return std::string();
        }
        return radio.receive(written, baud);
    };
}

}  // namespace ftxsim
