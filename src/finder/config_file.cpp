// Whole-file reading and the safe replacement of a configuration file: the new content is
// complete in a temporary file before it takes the file's name, so a full disk or a crash
// leaves either the old file or the new one, never neither.
#include "finder/config_file.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace portseek {

std::optional<std::string> readWholeFile(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    if (!in.is_open()) return std::nullopt;
    std::string text;
    std::array<char, 4096> buffer{};
    while (in.read(buffer.data(), buffer.size()) || in.gcount() > 0) {
        text.append(buffer.data(), static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad()) return std::nullopt;
    return text;
}

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

std::string joinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

bool isReadOnly(const std::string& name) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(name, error);
    return !error && std::filesystem::is_regular_file(status) &&
           (status.permissions() & std::filesystem::perms::owner_write) == std::filesystem::perms::none;
}

namespace {

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

}  // namespace

bool replaceFile(const std::string& name, const std::string& text) {
    if (isReadOnly(name)) return false;
    const std::string tempName = name + ".tmp";
    if (!writeWhole(tempName, text)) return false;
    std::error_code error;
    std::filesystem::rename(tempName, name, error);
    if (!error) return true;
    std::filesystem::remove(tempName, error);
    return false;
}

}  // namespace portseek
