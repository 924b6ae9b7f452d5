#include "core/cat_link.h"

#include <algorithm>
#include <vector>

namespace vocapan {

namespace {
constexpr std::uint32_t kIntervalMs = 1000;
}

platform::SerialPort* CatLink::port(int n) const {
    if (n < 1 || n > kNetworkSlot) return nullptr;
    return slots_[n].get();
}

platform::SerialPort* CatLink::settable(int n) const {
    if (n == kNetworkSlot && connecting_) return connecting_.get();
    return port(n);
}

bool CatLink::isOpen(int n) const { return port(n) != nullptr; }

bool CatLink::hasFailed(int n) const { return n >= 1 && n <= kNetworkSlot && failed_[n]; }

int CatLink::fail(int n) {
    slots_[n].reset();
    failed_[n] = true;
    return 0;
}

int CatLink::openSerialPort(int n, int baud) {
    if (n < 1 || n > kPortCount) return 0;
    auto opened = opener_.open(n);
    if (!opened) return 0;
    const platform::ReadTimeouts timeouts{kIntervalMs, 5, 0};
    if (!opened->setReadTimeouts(timeouts) || !opened->setBaudRate(baud) || !opened->setLineFormat({8, 0, 1})) {
        return 0;  // the handle closes as it goes out of scope
    }
    slots_[n] = std::move(opened);
    failed_[n] = false;
    return 1;
}

int CatLink::connectNetworkPort(const std::string& host, int port) {
    closeSerialPort(kNetworkSlot);
    if (connector_) connecting_ = connector_->connect(host, port);
    if (!connecting_) {
        failed_[kNetworkSlot] = true;
        return 0;
    }
    connecting_->setReadTimeouts({kIntervalMs, 5, 0});
    finishConnecting(0);
    return 1;
}

int CatLink::finishConnecting(int ms) {
    if (!connecting_) return 0;
    switch (connecting_->connection(ms)) {
        case platform::NetworkLine::Connection::Connecting:
            return 0;
        case platform::NetworkLine::Connection::Failed:
            connecting_.reset();
            failed_[kNetworkSlot] = true;
            return 0;
        case platform::NetworkLine::Connection::Made:
            break;
    }
    slots_[kNetworkSlot] = std::move(connecting_);
    failed_[kNetworkSlot] = false;
    return 1;
}

int CatLink::setReadTimeouts(int n, int m) {
    auto* p = settable(n);
    if (!p) return 0;
    const platform::ReadTimeouts timeouts =
        m == -1 ? platform::ReadTimeouts{platform::ReadTimeouts::kReturnAtOnce, 0, 0}
                : platform::ReadTimeouts{kIntervalMs, static_cast<std::uint32_t>(std::max(m, 0)), 0};
    return p->setReadTimeouts(timeouts) ? 1 : 0;
}

int CatLink::setLineFormat(int n, int dataBits, int parity, int stop) {
    auto* p = settable(n);
    if (!p) return 0;
    return p->setLineFormat({dataBits, parity, stop == 1 ? 1 : 2}) ? 1 : 0;
}

void CatLink::closeSerialPort(int n) {
    if (n < 1 || n > kNetworkSlot) return;
    if (n == kNetworkSlot) connecting_.reset();
    slots_[n].reset();
}

int CatLink::bytesWaiting(int n) {
    auto* p = port(n);
    if (!p) return 0;
    const int count = p->bytesWaiting();
    return count < 0 ? fail(n) : count;
}

int CatLink::readBytes(int n, std::string& text, int max) {
    text.clear();
    auto* p = port(n);
    if (!p || max <= 0) return 0;
    std::vector<char> buffer(static_cast<size_t>(max));
    const int count = p->readBytes(buffer.data(), max);
    if (count < 0) return fail(n);
    text.assign(buffer.data(), static_cast<size_t>(std::min(count, max)));
    return static_cast<int>(text.size());
}

int CatLink::readWithin(int n, std::string& text, int max, int ms) {
    text.clear();
    auto* p = port(n);
    if (!p || max <= 0 || ms <= 0) return 0;
    p->setReadTimeouts({0, 0, static_cast<std::uint32_t>(ms)});
    int count = readBytes(n, text, 1);
    if (auto* still = port(n)) {
        still->setReadTimeouts({platform::ReadTimeouts::kReturnAtOnce, 0, 0});
        std::string rest;
        if (count > 0 && max > 1 && readBytes(n, rest, std::min(bytesWaiting(n), max - 1)) > 0) {
            text += rest;
            count = static_cast<int>(text.size());
        }
    }
    return count;
}

int CatLink::writeBytes(int n, const std::string& text) {
    auto* p = port(n);
    if (!p || text.empty()) return 0;
    const int count = p->writeBytes(text.data(), static_cast<int>(text.size()));
    return count < 0 ? fail(n) : count;
}

}  // namespace vocapan
