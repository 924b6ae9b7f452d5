// Whole-file writes through a temporary file and a rename, with CR LF line ends on every
// platform.
#include "memory/file_replace.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace vocapan {

bool replaceFileWithLines(const std::string& path, const std::vector<std::string>& lines) {
    const std::string temporary = path + ".tmp";
    bool written = false;
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        if (file) {
            for (const std::string& line : lines) file << line << "\r\n";
            file.close();
            written = !file.fail();
        }
    }
    std::error_code error;
    if (written) {
        std::filesystem::rename(temporary, path, error);
        if (!error) return true;
    }
    std::filesystem::remove(temporary, error);
    return false;
}

}  // namespace vocapan
