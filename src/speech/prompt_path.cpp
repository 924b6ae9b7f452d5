#include "speech/prompt_path.h"

namespace vocapan {

std::string promptPath(const std::string& waveDir, const std::string& name) {
    std::string path = waveDir + name;
    // The name carries an extension when a "." follows its last folder separator.
    const auto lastSeparator = path.find_last_of("\\/");
    const auto lastDot = path.find_last_of('.');
    const bool hasExtension = !name.empty() && lastDot != std::string::npos &&
                              (lastSeparator == std::string::npos || lastDot > lastSeparator);
    if (!name.empty() && !hasExtension) path += ".wav";
    return path;
}

}  // namespace vocapan
