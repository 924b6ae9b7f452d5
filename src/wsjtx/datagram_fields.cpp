#include "wsjtx/datagram_fields.h"

#include <bit>

namespace wsjtx {

namespace {

constexpr std::uint32_t kNullText = 0xffffffff;

}  // namespace

std::uint64_t FieldReader::bigEndian(std::size_t count) {
    if (!ok_ || bytes_.size() - at_ < count) {
        ok_ = false;
        return 0;
    }
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < count; ++i) value = value << 8 | static_cast<std::uint8_t>(bytes_[at_ + i]);
    at_ += count;
    return value;
}

double FieldReader::real() { return std::bit_cast<double>(u64()); }

std::string FieldReader::text() {
    const std::uint32_t length = u32();
    if (!ok_ || length == kNullText) return {};
    if (bytes_.size() - at_ < length) {
        ok_ = false;
        return {};
    }
    std::string value(bytes_.substr(at_, length));
    at_ += length;
    return value;
}

FieldWriter& FieldWriter::bigEndian(std::uint64_t value, std::size_t count) {
    for (std::size_t i = count; i-- > 0;) bytes_ += static_cast<char>(value >> (8 * i) & 0xff);
    return *this;
}

FieldWriter& FieldWriter::real(double value) { return u64(std::bit_cast<std::uint64_t>(value)); }

FieldWriter& FieldWriter::text(std::string_view value) {
    u32(static_cast<std::uint32_t>(value.size()));
    bytes_ += value;
    return *this;
}

}  // namespace wsjtx
