#include "network/rig_protocol.h"

#include "core/number_text.h"

namespace vocapan {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

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

RigRequest parseRigLine(std::string_view line) {
    RigRequest request;
    std::vector<std::string> words;
    std::string word;
    for (const char c : line) {
        if (isBlank(c)) {
            if (!word.empty()) words.push_back(std::move(word));
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty()) words.push_back(std::move(word));
    if (words.empty()) return request;

    std::string& first = words.front();
    request.separator = separatorOf(first.front());
    if (request.separator != 0) first.erase(0, 1);
    if (first.empty()) {  // "+ f": the lead stood alone
        words.erase(words.begin());
        if (words.empty()) return request;
    }
    request.command = words.front();
    request.args.assign(words.begin() + 1, words.end());
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
