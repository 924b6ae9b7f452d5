// How long a prompt is taken to play on a machine without a sound device: the pause after
// "delay" must keep its length, and a file that is no recording must make no pause at all.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/windows/wav_length.h"

namespace platform::windows_backend {
namespace {

std::string littleEndian(std::uint32_t value, int bytes) {
    std::string text;
    for (int i = 0; i < bytes; ++i) text += static_cast<char>((value >> (8 * i)) & 0xFF);
    return text;
}

std::string chunk(const std::string& id, const std::string& body, std::uint32_t claimedSize) {
    std::string text = id + littleEndian(claimedSize, 4) + body;
    if (body.size() % 2 == 1) text += '\0';
    return text;
}

std::string chunk(const std::string& id, const std::string& body) {
    return chunk(id, body, static_cast<std::uint32_t>(body.size()));
}

// PCM format chunk: mono, 16 bits, at `rate` samples per second.
std::string formatChunk(std::uint32_t rate) {
    return chunk("fmt ", littleEndian(1, 2) + littleEndian(1, 2) + littleEndian(rate, 4) + littleEndian(rate * 2, 4) +
                             littleEndian(2, 2) + littleEndian(16, 2));
}

std::string riff(const std::string& chunks) {
    return "RIFF" + littleEndian(static_cast<std::uint32_t>(4 + chunks.size()), 4) + "WAVE" + chunks;
}

std::optional<long long> lengthOf(const std::string& bytes) {
    std::istringstream in(bytes);
    return wavLengthMs(in);
}

TEST(WavLength, recordings_play_for_their_sample_bytes_over_the_byte_rate) {
    const std::string oneSecond(44100, '\x01');  // 22050 samples of 16 bits
    struct Case {
        const char* what;
        std::string bytes;
        std::optional<long long> expected;
    };
    const std::vector<Case> cases{
        {"plain prompt", riff(formatChunk(22050) + chunk("data", oneSecond)), 1000},
        {"150 ms delay", riff(formatChunk(22050) + chunk("data", std::string(6615, '\0'))), 150},
        {"list chunk of odd length before the format",
         riff(chunk("LIST", "abc") + formatChunk(22050) + chunk("data", oneSecond)), 1000},
        {"data chunk before the format", riff(chunk("data", oneSecond) + formatChunk(44100)), 500},
        {"cut file plays what it has", riff(formatChunk(22050) + chunk("data", oneSecond, 88200)), 1000},
        {"empty recording", riff(formatChunk(22050) + chunk("data", "")), 0},
        {"no data chunk", riff(formatChunk(22050)), std::nullopt},
        {"no format chunk", riff(chunk("data", oneSecond)), std::nullopt},
        {"byte rate of zero", riff(formatChunk(0) + chunk("data", oneSecond)), std::nullopt},
        {"format chunk too short", riff(chunk("fmt ", "12345678") + chunk("data", oneSecond)), std::nullopt},
        {"text file", "configuration file not found\r\n", std::nullopt},
        {"empty file", "", std::nullopt},
        {"RIFF but not WAVE", "RIFF" + littleEndian(4, 4) + "AVI ", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(lengthOf(c.bytes), c.expected) << c.what;
}

TEST(WavLength, a_missing_prompt_file_makes_no_pause) {
    EXPECT_EQ(wavFileLengthMs("no-such-folder/delay.wav"), std::nullopt);
}

TEST(WavLength, a_prompt_file_is_read_from_disk) {
    const std::string path = ::testing::TempDir() + "vocapan_wav_length_delay.wav";
    {
        std::ofstream out(path, std::ios::binary);
        out << riff(formatChunk(22050) + chunk("data", std::string(4410, '\0')));
    }
    EXPECT_EQ(wavFileLengthMs(path), 100);
    std::remove(path.c_str());
}

}  // namespace
}  // namespace platform::windows_backend
