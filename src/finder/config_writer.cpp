// Writing the radio's port and speed into a talk program's configuration. The new content
// goes to a temporary file first and replaces the old file only once it is complete, so the
// operator's settings survive a full disk or a crash.
#include "finder/config_writer.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string_view>
#include <system_error>
#include <vector>

#include "core/number_text.h"

namespace portseek {

namespace {

struct SiblingFile {
    const char* name;
    const char* capitalName;  // the name the file is written back under
};

// In the order tried; when several exist the last one wins.
constexpr std::array<SiblingFile, 3> kSiblingFiles{{
    {"morlin.cfg", "MORLIN.cfg"},
    {"pendra.cfg", "PENDRA.cfg"},
    {"quisto.cfg", "QUISTO.cfg"},
}};

bool opensForReading(const std::string& name) { return std::ifstream(name, std::ios::binary).is_open(); }

// Finds the talk program's file and sets `siblingConfig`; answers the name it goes by in the
// working folder, or nothing. A file already written back in capitals by an earlier search is
// found again where names are case-sensitive.
std::optional<std::string> findSiblingConfig(SeekState& state) {
    state.siblingConfig = 0;
    std::optional<std::string> found;
    for (std::size_t i = 0; i < kSiblingFiles.size(); ++i) {
        for (const char* name : {kSiblingFiles[i].name, kSiblingFiles[i].capitalName}) {
            if (!opensForReading(name)) continue;
            state.siblingConfig = static_cast<int>(i) + 1;
            found = name;
            break;
        }
    }
    return found;
}

// The lines of a text whose lines end in CR LF, a lone CR or a lone LF; the last line needs
// no ending.
std::vector<std::string> splitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
    }
    return lines;
}

void appendLine(std::string& text, const std::string& line) { text += line + "\r\n"; }

// The new file: "com=" and "speed=" with the radio found, then the old lines from the third
// on, empty lines left out; every line ended by CR LF.
std::string configurationText(const SeekState& state) {
    std::string text;
    appendLine(text, "com=" + vocapan::decimalText(state.foundPort));
    appendLine(text, "speed=" + vocapan::decimalText(state.foundBaud));
    for (std::size_t n = 3; n < state.cfgLines.size(); ++n) {
        if (!state.cfgLines[n].empty()) appendLine(text, state.cfgLines[n]);
    }
    for (const std::string& line : state.cfgLaterLines) {
        if (!line.empty()) appendLine(text, line);
    }
    return text;
}

bool readSiblingConfig(SeekState& state, const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    std::string text;
    std::array<char, 4096> buffer{};
    while (in.read(buffer.data(), buffer.size()) || in.gcount() > 0) {
        text.append(buffer.data(), static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad()) return false;
    state.cfgLines.fill({});
    state.cfgLaterLines.clear();
    const std::vector<std::string> lines = splitLines(text);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i + 1 < state.cfgLines.size())
            state.cfgLines[i + 1] = lines[i];
        else
            state.cfgLaterLines.push_back(lines[i]);
    }
    return true;
}

// A file that was created but not completely written is removed again.
bool writeWhole(const std::string& name, const std::string& text) {
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    if (!out.is_open()) return false;
    out << text;
    out.close();
    if (!out.fail()) return true;
    std::error_code error;
    std::filesystem::remove(name, error);
    return false;
}

// The old file goes only once the new content is complete in the temporary file, which then
// takes the name in capitals. Removing first makes the capitals stick on a file system that
// ignores case, where both names are the same file.
bool replaceSiblingConfig(const SeekState& state, const std::string& oldName) {
    const std::string newName = kSiblingFiles[static_cast<std::size_t>(state.siblingConfig - 1)].capitalName;
    const std::string tempName = newName + ".tmp";
    if (!writeWhole(tempName, configurationText(state))) return false;
    std::error_code error;
    if (!std::filesystem::remove(oldName, error) || error) {
        std::filesystem::remove(tempName, error);
        return false;
    }
    std::filesystem::rename(tempName, newName, error);
    return !error;
}

}  // namespace

void writeConfiguration(Seek& seek) {
    const std::optional<std::string> oldName = findSiblingConfig(seek.state);
    const bool updated =
        oldName && readSiblingConfig(seek.state, *oldName) && replaceSiblingConfig(seek.state, *oldName);
    playPrompt(seek, "delay");
    playPrompt(seek, updated ? "cfuep" : "cfgnf");
}

}  // namespace portseek
