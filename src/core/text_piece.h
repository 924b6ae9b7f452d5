// Bounded cuts of outside text (the radio's answers, band entries, reports), counted from 1
// as the radio's answer forms are described: a cut past the end of the text gives what is
// there, never more, so no answer can make the panel read beyond it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/number_text.h"

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

// Takes the complete commands or answers (each up to and including its ";") off the front of
// `stream`; an unfinished end stays for its rest to arrive, unless it has grown to the text
// limit without a ";" (line noise, another protocol): that run is dropped, so the next
// complete one is understood again.
inline std::vector<std::string> takeTerminated(std::string& stream) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (std::size_t end = stream.find(';'); end != std::string::npos; end = stream.find(';', start)) {
        pieces.push_back(stream.substr(start, end + 1 - start));
        start = end + 1;
    }
    stream.erase(0, start);
    if (stream.size() >= kTextLimit) stream.clear();
    return pieces;
}

}  // namespace vocapan
