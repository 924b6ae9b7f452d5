#include "speech/decode_speech.h"

#include <cstdlib>
#include <string>

#include "core/number_text.h"
#include "speech/prompt_player.h"

namespace vocapan {

namespace {

constexpr const char* kGap = "gap";
constexpr int kFirstTwoWordNumber = 20;
constexpr int kFirstThreeDigitNumber = 100;

bool isDigitCharacter(char c) { return c >= '0' && c <= '9'; }

// 0 to 19 have a prompt each; 20 to 99 are the tens and the unit ("twenty", "one"); above,
// the digits one by one.
void sayNumber(Panel& panel, int n) {
    if (n >= kFirstThreeDigitNumber) {
        sayDigits(panel, decimalText(n));
        return;
    }
    if (n < kFirstTwoWordNumber) {
        playPrompt(panel, decimalText(n));
        return;
    }
    playPrompt(panel, decimalText(n / 10 * 10));
    if (n % 10 != 0) sayDigit(panel, n % 10);
}

// A report as a message carries it: a sign and two digits, "-12" or "+05".
bool isReport(std::string_view word) {
    return word.size() == 3 && (word[0] == '-' || word[0] == '+') && isDigitCharacter(word[1]) &&
           isDigitCharacter(word[2]);
}

}  // namespace

void sayCall(Panel& panel, std::string_view call) {
    for (const char c : call) {
        if (c >= 'A' && c <= 'Z') {
            playPrompt(panel, std::string(1, static_cast<char>(c - 'A' + 'a')));
        } else if (c >= 'a' && c <= 'z') {
            playPrompt(panel, std::string(1, c));
        } else if (isDigitCharacter(c)) {
            sayDigit(panel, c - '0');
        } else if (c == '/') {
            playPrompt(panel, "stroke");
        }
    }
}

void saySignal(Panel& panel, int decibels) {
    if (decibels < 0) playPrompt(panel, "minus");
    if (decibels > 0) playPrompt(panel, "plus");
    sayNumber(panel, std::abs(decibels));
}

void sayMessageWord(Panel& panel, std::string_view word) {
    if (word.size() == 4 && word[0] == 'R' && isReport(word.substr(1))) {
        playPrompt(panel, "roger");
        word.remove_prefix(1);
    }
    if (isReport(word)) {
        saySignal(panel, (word[0] == '-' ? -1 : 1) * numberFromText(word.substr(1)));
    } else if (word == "RR73" || word == "RRR") {
        playPrompt(panel, "roger");
        if (word == "RR73") playPrompt(panel, "73");
    } else if (word == "73") {
        playPrompt(panel, "73");
    } else if (wsjtx::isGrid(word)) {
        playPrompt(panel, "grid");
        sayCall(panel, word);
    } else {
        sayCall(panel, wsjtx::bareCall(word));
    }
}

void sayMessage(Panel& panel, std::string_view message) {
    bool first = true;
    for (const auto& word : wsjtx::messageWords(message)) {
        if (!first) playPrompt(panel, kGap);
        first = false;
        sayMessageWord(panel, word);
    }
}

void sayCallToOperator(Panel& panel, const wsjtx::DecodeText& text) {
    sayCall(panel, text.call);
    for (const auto& word : text.rest) {
        playPrompt(panel, kGap);
        sayMessageWord(panel, word);
    }
}

void sayCq(Panel& panel, const wsjtx::DecodeText& text, int snr) {
    sayCall(panel, text.call);
    playPrompt(panel, kGap);
    if (text.grid.empty()) {
        playPrompt(panel, "nogrid");
    } else {
        sayMessageWord(panel, text.grid);
    }
    playPrompt(panel, kGap);
    saySignal(panel, snr);
}

}  // namespace vocapan
