#include "network/rig_protocol.h"

#include "core/number_text.h"

namespace vocapan {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The extended form's lead characters; "+" separates with line ends, the others with themselves.
char separatorOf(char lead) {
    switch (lead) {
        case '+':
            return '\n';
        case ';':
        case '|':
        case ',':
            return lead;
        default:
            return 0;
    }
}

}  // namespace

void RigLineReader::skipBlanks() {
    while (at_ < line_.size() && isBlank(line_[at_])) ++at_;
}

std::optional<std::string> RigLineReader::peekWord() {
    skipBlanks();
    std::size_t end = at_;
    while (end < line_.size() && !isBlank(line_[end])) ++end;
    if (end == at_) return std::nullopt;
    return std::string(line_.substr(at_, end - at_));
}

std::optional<std::string> RigLineReader::takeWord() {
    auto word = peekWord();
    if (word) at_ += word->size();
    return word;
}

std::optional<RigRequest> RigLineReader::nextCommand() {
    RigRequest request;
    skipBlanks();
    // Leads may repeat ("|+x"): "+" asks for the extended form, the others also name its
    // separator.
    while (at_ < line_.size() && separatorOf(line_[at_]) != 0) {
        if (request.separator == 0 || line_[at_] != '+') request.separator = separatorOf(line_[at_]);
        ++at_;
    }
    skipBlanks();  // "+ f": the lead may stand alone
    if (at_ >= line_.size()) return std::nullopt;
    if (line_[at_] == '\\') {
        request.command = *takeWord();
    } else {
        request.command = std::string(1, line_[at_++]);
    }
    return request;
}

std::string formatRigAnswer(const RigRequest& request, std::string_view longName, const RigAnswer& answer) {
    const bool extended = request.separator != 0;
    const char separator = extended ? request.separator : '\n';
    std::string text;
    if (extended) {
        text += std::string(longName) + ":";
        for (const auto& arg : request.args) text += " " + arg;
        text += separator;
    }
    if (answer.result == kRigOk) {
        for (const auto& [label, value] : answer.values) {
            if (extended && !label.empty()) text += label + ": ";
            text += value + separator;
        }
    }
    if (extended || answer.result != kRigOk || answer.values.empty()) {
        text += "RPRT " + decimalText(answer.result) + "\n";
    }
    return text;
}

}  // namespace vocapan
