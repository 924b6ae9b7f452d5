// Writing the radio's port and speed where the talk programs look for them: the first two
// lines of a sibling talk program's file and of the panel's own vocapan.cfg. Each file is
// replaced only once its new content is complete, so the operator's settings survive a full
// disk or a crash, and the operator hears what became of them.
#include "finder/config_writer.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <optional>
#include <system_error>
#include <vector>

#include "core/number_text.h"
#include "finder/config_file.h"
#include "finder/panel_config.h"

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

// The new file: "com=" and "speed=" with the radio found, then the old lines from the third
// on, empty lines left out.
std::string siblingConfigText(const SeekState& state) {
    std::vector<std::string> lines{"com=" + vocapan::decimalText(state.foundPort),
                                   "speed=" + vocapan::decimalText(state.foundBaud)};
    for (std::size_t n = 3; n < state.cfgLines.size(); ++n) {
        if (!state.cfgLines[n].empty()) lines.push_back(state.cfgLines[n]);
    }
    for (const std::string& line : state.cfgLaterLines) {
        if (!line.empty()) lines.push_back(line);
    }
    return joinLines(lines);
}

bool readSiblingConfig(SeekState& state, const std::string& name) {
    const std::optional<std::string> text = readWholeFile(name);
    if (!text) return false;
    state.cfgLines.fill({});
    state.cfgLaterLines.clear();
    const std::vector<std::string> lines = splitLines(*text);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i + 1 < state.cfgLines.size())
            state.cfgLines[i + 1] = lines[i];
        else
            state.cfgLaterLines.push_back(lines[i]);
    }
    return true;
}

// The new file takes the name in capitals first; only then does an old file of the other
// name go, so one complete configuration exists at every moment. Where the file system
// ignores case both names are one file, which is then kept.
bool replaceSiblingConfig(const SeekState& state, const std::string& oldName) {
    const std::string newName = kSiblingFiles[static_cast<std::size_t>(state.siblingConfig - 1)].capitalName;
    if (isReadOnly(oldName) || !replaceFile(newName, siblingConfigText(state))) return false;
    std::error_code error;
    if (oldName != newName && !std::filesystem::equivalent(oldName, newName, error) && !error) {
        std::filesystem::remove(oldName, error);
    }
    return true;
}

// What became of the talk program's file; nothing when there is none.
std::optional<ConfigOutcome> writeSiblingConfiguration(SeekState& state) {
    const std::optional<std::string> oldName = findSiblingConfig(state);
    if (!oldName) return std::nullopt;
    const bool updated = readSiblingConfig(state, *oldName) && replaceSiblingConfig(state, *oldName);
    return updated ? ConfigOutcome::Updated : ConfigOutcome::NotWritten;
}

void sayOutcome(Seek& seek, ConfigOutcome outcome) {
    switch (outcome) {
        case ConfigOutcome::Updated:
            playPrompt(seek, "cfuep");
            break;
        case ConfigOutcome::NotWritten:
            playPrompt(seek, "cfgnw");
            break;
        case ConfigOutcome::Foreign:
            playPrompt(seek, "wrong");
            playPrompt(seek, "conf");
            break;
    }
}

}  // namespace

void writeConfiguration(Seek& seek) {
    const std::optional<ConfigOutcome> sibling = writeSiblingConfiguration(seek.state);
    const ConfigOutcome panel = writePanelConfiguration(seek.state);
    playPrompt(seek, "delay");
    if (sibling) sayOutcome(seek, *sibling);
    if (sibling != panel) sayOutcome(seek, panel);
}

}  // namespace portseek
