#include "platform/windows/wav_length.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>

namespace platform::windows_backend {

namespace {

std::uint32_t littleEndian32(const unsigned char* bytes) {
    return std::uint32_t(bytes[0]) | std::uint32_t(bytes[1]) << 8 | std::uint32_t(bytes[2]) << 16 |
           std::uint32_t(bytes[3]) << 24;
}

bool readExactly(std::istream& in, unsigned char* bytes, std::streamsize count) {
    in.read(reinterpret_cast<char*>(bytes), count);
    return in.gcount() == count;
}

}  // namespace

std::optional<long long> wavLengthMs(std::istream& in) {
    std::array<unsigned char, 12> riff{};
    if (!readExactly(in, riff.data(), 12)) return std::nullopt;
    if (std::string(riff.begin(), riff.begin() + 4) != "RIFF" || std::string(riff.begin() + 8, riff.end()) != "WAVE") {
        return std::nullopt;
    }

    std::optional<std::uint32_t> bytesPerSecond;
    std::optional<long long> dataBytes;
    std::array<unsigned char, 8> header{};
    while (!(bytesPerSecond && dataBytes) && readExactly(in, header.data(), 8)) {
        const std::string id(header.begin(), header.begin() + 4);
        const std::uint32_t size = littleEndian32(header.data() + 4);
        const std::streampos bodyStart = in.tellg();
        if (id == "fmt ") {
            std::array<unsigned char, 12> format{};
            if (size < 12 || !readExactly(in, format.data(), 12)) return std::nullopt;
            bytesPerSecond = littleEndian32(format.data() + 8);
        } else if (id == "data") {
            // What is really there, whatever the header claims: a cut file plays what it has.
            in.seekg(0, std::ios::end);
            const long long present = static_cast<long long>(in.tellg() - bodyStart);
            dataBytes = std::min<long long>(size, present);
        }
        // Chunks are padded to an even length.
        in.clear();
        in.seekg(bodyStart + static_cast<std::streamoff>(size) + static_cast<std::streamoff>(size & 1));
        if (!in) break;
    }
    if (!bytesPerSecond || !dataBytes || *bytesPerSecond == 0) return std::nullopt;
    return *dataBytes * 1000 / *bytesPerSecond;
}

std::optional<long long> wavFileLengthMs(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    return wavLengthMs(in);
}

}  // namespace platform::windows_backend
