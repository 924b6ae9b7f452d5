#include "web/page_events.h"

#include "core/number_text.h"
#include "speech/prompt_words.h"

namespace vocapan::web {

namespace {

std::string_view bareName(std::string_view name) {
    return name.ends_with(".wav") ? name.substr(0, name.size() - 4) : name;
}

bool isUrgent(const std::vector<SpokenPrompt>& phrase) {
    for (std::size_t i = 0; i < phrase.size(); ++i) {
        const std::string_view name = bareName(phrase[i].name);
        if (name == "radiolost") return true;
        if (name != "tx" || i + 1 == phrase.size()) continue;
        const std::string_view next = bareName(phrase[i + 1].name);
        if (next == "on" || next == "off") return true;
    }
    return false;
}

}  // namespace

std::string streamEvent(const std::string& kind, const std::vector<std::string>& lines) {
    std::string event = "event: " + kind + "\n";
    for (const auto& line : lines) event += "data: " + line + "\n";
    return event + "\n";
}

std::string pageEvent(int page) { return streamEvent("page", {decimalText(page)}); }

std::string statusEvent(const std::array<std::string, 3>& lines) {
    return streamEvent("status", {lines.begin(), lines.end()});
}

std::optional<std::string> phraseEvent(const std::vector<SpokenPrompt>& phrase) {
    const std::string words = phraseText(phrase);
    if (words.empty()) return std::nullopt;
    return streamEvent(isUrgent(phrase) ? "alert" : "say", {words});
}

}  // namespace vocapan::web
