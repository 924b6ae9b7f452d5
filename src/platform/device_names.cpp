// The COM-number-to-device rules of both platforms, kept free of any OS call so that each
// platform's rule is tested everywhere.
#include "platform/device_names.h"

#include <array>

namespace platform {

namespace {

constexpr int kHighestPort = 256;

struct DeviceFamily {
    const char* prefix;
    int firstPort;
    int lastPort;
};

constexpr std::array<DeviceFamily, 3> kLinuxFamilies{{
    {"/dev/ttyS", 1, 32},
    {"/dev/ttyUSB", 33, 64},
    {"/dev/ttyACM", 65, 96},
}};

}  // namespace

std::string windowsDeviceName(int comNumber) {
    if (comNumber < 1) return {};
    const std::string name = "COM" + std::to_string(comNumber);
    return comNumber <= 9 ? name : "\\\\.\\" + name;
}

std::string linuxDevicePath(int comNumber, const std::function<bool(const std::string&)>& exists) {
    if (comNumber < 1 || comNumber > kHighestPort) return {};
    const std::string local = "COM" + std::to_string(comNumber);
    if (exists && exists(local)) return local;
    for (const auto& family : kLinuxFamilies) {
        if (comNumber >= family.firstPort && comNumber <= family.lastPort) {
            return family.prefix + std::to_string(comNumber - family.firstPort);
        }
    }
    return {};
}

}  // namespace platform
