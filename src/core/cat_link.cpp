#include "core/cat_link.h"

#include <algorithm>
#include <vector>

namespace vocapan {

namespace {
constexpr std::uint32_t kIntervalMs = 1000;
}

platform::SerialPort* CatLink::port(int n) const {
    if (n < 1 || n > kPortCount) return nullptr;
    return slots_[n].get();
}

bool CatLink::isOpen(int n) const { return port(n) != nullptr; }

int CatLink::openSerialPort(int n, int baud) {
    if (n < 1 || n > kPortCount) return 0;
    auto opened = opener_.open(n);
    if (!opened) return 0;
    const platform::ReadTimeouts timeouts{kIntervalMs, 5, 0};
    if (!opened->setReadTimeouts(timeouts) || !opened->setBaudRate(baud) || !opened->setLineFormat({8, 0, 1})) {
        return 0;  // the handle closes as it goes out of scope
    }
    slots_[n] = std::move(opened);
    return 1;
}

int CatLink::setReadTimeouts(int n, int m) {
    auto* p = port(n);
    if (!p) return 0;
    const platform::ReadTimeouts timeouts =
        m == -1 ? platform::ReadTimeouts{platform::ReadTimeouts::kReturnAtOnce, 0, 0}
                : platform::ReadTimeouts{kIntervalMs, static_cast<std::uint32_t>(std::max(m, 0)), 0};
    return p->setReadTimeouts(timeouts) ? 1 : 0;
}

int CatLink::setLineFormat(int n, int dataBits, int parity, int stop) {
    auto* p = port(n);
    if (!p) return 0;
    return p->setLineFormat({dataBits, parity, stop == 1 ? 1 : 2}) ? 1 : 0;
}

void CatLink::closeSerialPort(int n) {
    if (n < 1 || n > kPortCount) return;
    slots_[n].reset();
}

int CatLink::bytesWaiting(int n) {
    auto* p = port(n);
    return p ? std::max(p->bytesWaiting(), 0) : 0;
}

int CatLink::readBytes(int n, std::string& text, int max) {
    text.clear();
    auto* p = port(n);
    if (!p || max <= 0) return 0;
    std::vector<char> buffer(static_cast<size_t>(max));
    const int count = std::clamp(p->readBytes(buffer.data(), max), 0, max);
    text.assign(buffer.data(), static_cast<size_t>(count));
    return count;
}

int CatLink::writeBytes(int n, const std::string& text) {
    auto* p = port(n);
    if (!p || text.empty()) return 0;
    return p->writeBytes(text.data(), static_cast<int>(text.size()));
}

}  // namespace vocapan
