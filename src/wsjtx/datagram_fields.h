// The fields WSJT-X's datagrams are made of, laid out as Qt's data stream writes them:
// big-endian integers, a boolean in one byte, a double in IEEE 754's 64 bits, and UTF-8 text
// after its length in bytes (0xffffffff for a null text, read as empty).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace wsjtx {

// Reads fields one after another. A field that runs past the end reads as zero or empty and
// marks the reading failed; nothing is ever read outside the bytes given.
class FieldReader {
public:
    explicit FieldReader(std::string_view bytes) : bytes_(bytes) {}
    std::uint8_t u8() { return static_cast<std::uint8_t>(bigEndian(1)); }
    std::uint32_t u32() { return static_cast<std::uint32_t>(bigEndian(4)); }
    std::int32_t i32() { return static_cast<std::int32_t>(u32()); }
    std::uint64_t u64() { return bigEndian(8); }
    bool flag() { return u8() != 0; }
    double real();
    std::string text();
    bool ok() const { return ok_; }
    bool atEnd() const { return at_ >= bytes_.size(); }

private:
    std::uint64_t bigEndian(std::size_t count);
    std::string_view bytes_;
    std::size_t at_ = 0;
    bool ok_ = true;
};

// Writes fields one after another into `bytes`.
class FieldWriter {
public:
    FieldWriter& u8(std::uint8_t value) { return bigEndian(value, 1); }
    FieldWriter& u32(std::uint32_t value) { return bigEndian(value, 4); }
    FieldWriter& i32(std::int32_t value) { return bigEndian(static_cast<std::uint32_t>(value), 4); }
    FieldWriter& u64(std::uint64_t value) { return bigEndian(value, 8); }
    FieldWriter& flag(bool value) { return u8(value ? 1 : 0); }
    FieldWriter& real(double value);
    FieldWriter& text(std::string_view value);
    const std::string& bytes() const { return bytes_; }

private:
    FieldWriter& bigEndian(std::uint64_t value, std::size_t count);
    std::string bytes_;
};

}  // namespace wsjtx
