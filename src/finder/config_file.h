// The configuration files portseek writes: read whole, split into lines the way the panel
// splits them, and replaced so that the folder never holds less than one complete file.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace portseek {

// What became of one configuration file after the radio was found.
enum class ConfigOutcome {
    Updated,     // the new content is in place
    NotWritten,  // it could not be read or replaced; the old file is as it was
    Foreign,     // it belongs to another program and was left alone
};

// The whole content of a file, or nothing when it cannot be opened or read.
std::optional<std::string> readWholeFile(const std::string& name);

// The lines of a text whose lines end in CR LF, a lone CR or a lone LF; the last line needs
// no ending. Empty lines are kept.
std::vector<std::string> splitLines(std::string_view text);

// Each line followed by CR LF.
std::string joinLines(const std::vector<std::string>& lines);

// True when `name` exists and is marked read-only: the operator does not want it changed.
bool isReadOnly(const std::string& name);

// Puts `text` under `name`: written whole to `name` + ".tmp" first, which then takes the
// name in one step, replacing any file there. False, with nothing changed, when the file
// there is read-only or the temporary file cannot be written or renamed.
bool replaceFile(const std::string& name, const std::string& text);

}  // namespace portseek
