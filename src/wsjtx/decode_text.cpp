#include "wsjtx/decode_text.h"

#include <algorithm>

namespace wsjtx {

namespace {

bool isLetter(char c) { return c >= 'A' && c <= 'Z'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// A call has letters and a digit ("W9XYZ", "K1ABC/P", "<PJ4/K1ABC>"); the word after CQ
// that has no digit or no letter names whom the CQ is for ("DX", "POTA", "NA", "280").
bool looksLikeCall(std::string_view word) {
    return std::any_of(word.begin(), word.end(), isLetter) && std::any_of(word.begin(), word.end(), isDigit);
}

}  // namespace

std::vector<std::string> messageWords(std::string_view message) {
    std::vector<std::string> words;
    std::size_t at = 0;
    while (at < message.size()) {
        const std::size_t space = std::min(message.find(' ', at), message.size());
        if (space > at) words.emplace_back(message.substr(at, space - at));
        at = space + 1;
    }
    return words;
}

std::string_view bareCall(std::string_view word) {
    if (word.size() >= 2 && word.front() == '<' && word.back() == '>') return word.substr(1, word.size() - 2);
    return word;
}

bool isGrid(std::string_view word) {
    return word.size() == 4 && word != "RR73" && word[0] >= 'A' && word[0] <= 'R' && word[1] >= 'A' && word[1] <= 'R' &&
           isDigit(word[2]) && isDigit(word[3]);
}

DecodeText readDecodeText(std::string_view message, std::string_view ownCall) {
    const std::vector<std::string> words = messageWords(message);
    DecodeText text;
    if (words.size() >= 2 && (words[0] == "CQ" || words[0] == "QRZ")) {
        std::size_t at = 1;
        if (!looksLikeCall(words[at]) && words.size() > 2) ++at;
        if (!looksLikeCall(words[at])) return text;
        text.kind = DecodeText::Kind::Cq;
        text.call = bareCall(words[at]);
        if (at + 1 < words.size() && isGrid(words[at + 1])) text.grid = words[at + 1];
        return text;
    }
    if (!ownCall.empty() && words.size() >= 2 && bareCall(words[0]) == ownCall) {
        text.kind = DecodeText::Kind::ToOperator;
        text.call = bareCall(words[1]);
        text.rest.assign(words.begin() + 2, words.end());
    }
    return text;
}

}  // namespace wsjtx
