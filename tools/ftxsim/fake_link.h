// Puts the simulated radio behind a fake serial device, so that whole-panel and finder tests
// reach it through COM n as the programs reach a real radio.
#pragma once

#include "ftxsim/radio.h"
#include "platform/fake/fake_platform.h"

namespace ftxsim {

// From now on every write to `device` reaches `radio` at the device's line speed, and the
// radio's answers wait in the device for the program to read. Bytes sent with a framing the
// radio does not speak (other than 8 data bits without parity) arrive as line noise. The
// radio must outlive the device's use.
void attach(platform::fake::FakeSerialDevice& device, Radio& radio);

}  // namespace ftxsim
