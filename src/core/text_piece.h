// Bounded cuts of outside text (the radio's answers, band entries, reports), counted from 1
// as the radio's answer forms are described: a cut past the end of the text gives what is
// there, never more, so no answer can make the panel read beyond it.
#pragma once

#include <string>
#include <string_view>

namespace vocapan {

// `count` characters of `text` from position `from` (1-based); fewer or none where it ends.
inline std::string textPiece(std::string_view text, int from, int count) {
    if (from < 1 || count <= 0 || static_cast<std::size_t>(from) > text.size()) return {};
    return std::string(text.substr(static_cast<std::size_t>(from - 1), static_cast<std::size_t>(count)));
}

// Position (1-based) of the first `what` in `text`; 0 when it does not occur.
inline int findText(std::string_view text, std::string_view what) {
    const auto found = text.find(what);
    return found == std::string_view::npos ? 0 : static_cast<int>(found) + 1;
}

inline bool beginsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

}  // namespace vocapan
