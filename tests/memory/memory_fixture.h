// A panel at the moment its memories are loaded: band table and channels at their start
// contents, version "3.5e", working in a fresh folder of its own that is removed afterwards.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "core/band_table.h"
#include "core/panel.h"
#include "platform/fake/fake_platform.h"

namespace vocapan::testing {

// The text of a file of CR LF lines.
inline std::string crlfLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

inline std::string readWholeFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

inline void writeWholeFile(const std::filesystem::path& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << text;
}

// The 14 start entries, as the file lists them.
inline std::vector<std::string> defaultBandLines() {
    std::vector<std::string> lines;
    for (int band = 1; band <= kBandCount; ++band)
        lines.emplace_back(kDefaultBandStack[static_cast<std::size_t>(band)]);
    return lines;
}

// A whole memory file: header, band entries, then the records, with "9" for the rest.
inline std::vector<std::string> memoryFileLines(const std::string& header, const std::vector<std::string>& bands,
                                                const std::vector<std::string>& records = {}) {
    std::vector<std::string> lines = {header};
    lines.insert(lines.end(), bands.begin(), bands.end());
    lines.insert(lines.end(), records.begin(), records.end());
    lines.resize(1 + kBandCount + 100, "9");
    return lines;
}

class MemoryTest : public ::testing::Test {
protected:
    MemoryTest() : services(fake.services()), panel(services) {
        panel.state.versionText = "3.5e";
        panel.state.band = 4;
        for (int band = 1; band <= kBandCount; ++band)
            panel.state.bandStack[static_cast<std::size_t>(band)] = kDefaultBandStack[static_cast<std::size_t>(band)];
        for (std::string& slot : panel.state.memorySlots) slot = "9";
    }

    void SetUp() override {
        previousFolder = std::filesystem::current_path();
        folder = std::filesystem::temp_directory_path() / ("vocapan-memory-" + std::to_string(std::random_device{}()));
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        std::filesystem::current_path(folder);
    }

    void TearDown() override {
        std::filesystem::current_path(previousFolder);
        std::filesystem::remove_all(folder);
    }

    std::vector<std::string> bandStackNow() const {
        return {panel.state.bandStack.begin() + 1, panel.state.bandStack.end()};
    }

    platform::fake::FakePlatform fake;
    platform::Platform services;
    Panel panel;
    std::filesystem::path previousFolder;
    std::filesystem::path folder;
};

}  // namespace vocapan::testing
