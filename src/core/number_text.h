// The panel's rules for numbers in text: reading the number at the start of a text, writing
// a number with the leading blank of a non-negative value, and the digits alone for speech
// and commands.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vocapan {

// Text fields hold at most this many characters; longer results are cut.
constexpr std::size_t kTextLimit = 254;

// The number at the start of `text`: leading blanks skipped, optional "-", digits, optional
// "." and fraction; 0 when there is none. The whole part is kept. Never throws.
int numberFromText(std::string_view text);

// The number `text` is as a whole ("-", digits, "." and fraction digits, as a program sends a
// frequency or a level); nothing when it holds anything else or has no digit. Never throws.
std::optional<double> decimalFromText(std::string_view text);

// Decimal, with one leading blank for a non-negative number: " 38400", "-5".
std::string numberText(long long n);

// The digits alone: numberText without its leading blank.
std::string decimalText(long long n);

// `text` cut to `limit` characters.
std::string limitText(std::string text, std::size_t limit = kTextLimit);

// `n` as exactly `width` digits with leading zeros (the last `width` digits if longer).
std::string zeroPadded(long long n, int width);

}  // namespace vocapan
