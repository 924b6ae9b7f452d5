// Which device a COM port number names on each platform. Windows names the port itself;
// Linux looks for a "COMn" file in the working folder first and otherwise maps the number
// onto the usual serial device families.
#pragma once

#include <functional>
#include <string>

namespace platform {

// "COM1" to "COM9"; "\\.\COM10" and above, the form Windows needs for two-digit ports.
// Empty for a number below 1.
std::string windowsDeviceName(int comNumber);

// The Linux device behind COM port `comNumber`:
//   - "COMn" (relative to the working folder) when `exists("COMn")` says such an entry is
//     there, usually a link to a real device or to a pseudo-terminal; a broken link still
//     counts, so the port then simply fails to open instead of reaching another device;
//   - otherwise COM1-COM32 are /dev/ttyS0-/dev/ttyS31 (built-in ports), COM33-COM64 are
//     /dev/ttyUSB0-/dev/ttyUSB31 (USB serial adapters), COM65-COM96 are
//     /dev/ttyACM0-/dev/ttyACM31 (USB modem-class devices, the radios' own USB ports);
//   - empty for any other number: no such port.
std::string linuxDevicePath(int comNumber, const std::function<bool(const std::string&)>& exists);

}  // namespace platform
