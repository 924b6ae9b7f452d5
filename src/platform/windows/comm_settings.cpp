#include "platform/windows/comm_settings.h"

namespace platform::windows_backend {

// Values outside the driver's range are passed on as they are, so that the driver refuses
// them and the caller learns that the setting failed.
DcbLineFields dcbLineFieldsFor(const LineFormat& format) {
    DcbLineFields fields;
    fields.byteSize = static_cast<std::uint8_t>(format.dataBits);
    fields.parity = static_cast<std::uint8_t>(format.parity);
    fields.stopBits = format.stopBits == 1 ? kOneStopBit : kTwoStopBits;
    return fields;
}

CommTimeoutFields commTimeoutsFor(const ReadTimeouts& read, const CommTimeoutFields& current) {
    CommTimeoutFields fields = current;
    fields.readIntervalTimeout = read.intervalMs;
    fields.readTotalTimeoutMultiplier = read.multiplierMs;
    fields.readTotalTimeoutConstant = read.constantMs;
    return fields;
}

}  // namespace platform::windows_backend
