// Writing the found port and speed into vocapan.cfg. The panel reads the port from the end
// of line 1 (one character, or two when the line has six) and the speed from character 7 of
// line 2, so those two lines are written in exactly that form and nothing else moves.
#include "finder/panel_config.h"

#include <filesystem>
#include <system_error>

#include "core/number_text.h"
#include "finder/panel_example.h"

namespace portseek {

namespace {

constexpr const char* kPanelConfig = "vocapan.cfg";
constexpr int kHighestPanelPort = 99;  // "com=" and two digits

// The text the new file starts from: the operator's file, the package's example where
// there is none or it is empty, or nothing when it exists but cannot be read.
std::optional<std::string> startingText() {
    std::error_code error;
    if (!std::filesystem::exists(kPanelConfig, error) && !error) return std::string(panelExampleText());
    std::optional<std::string> text = readWholeFile(kPanelConfig);
    if (text && text->empty()) return std::string(panelExampleText());
    return text;
}

}  // namespace

ConfigOutcome writePanelConfiguration(const SeekState& state) {
    const std::optional<std::string> text = startingText();
    if (!text) return ConfigOutcome::NotWritten;
    std::vector<std::string> lines = splitLines(*text);
    if (lines.size() >= 3 && lines[2].starts_with("pow")) return ConfigOutcome::Foreign;
    if (state.foundPort < 1 || state.foundPort > kHighestPanelPort) return ConfigOutcome::NotWritten;
    if (lines.size() < 2) lines.resize(2);
    lines[0] = "com=" + vocapan::decimalText(state.foundPort);
    lines[1] = "speed=" + vocapan::decimalText(state.foundBaud);
    return replaceFile(kPanelConfig, joinLines(lines)) ? ConfigOutcome::Updated : ConfigOutcome::NotWritten;
}

}  // namespace portseek
