#include "core/number_text.h"

#include <limits>

namespace vocapan {

int numberFromText(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && text[i] == '-') {
        negative = true;
        ++i;
    }
    long long value = 0;
    constexpr long long kMax = std::numeric_limits<int>::max();
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        value = value * 10 + (text[i] - '0');
        if (value > kMax) value = kMax;  // out-of-range text saturates instead of wrapping
        ++i;
    }
    return static_cast<int>(negative ? -value : value);
}

std::optional<double> decimalFromText(std::string_view text) {
    std::size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (negative) ++i;
    double value = 0;
    double scale = 0;  // 0 before the point, then the weight of the next fraction digit
    bool anyDigit = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.' && scale == 0) {
            scale = 0.1;
        } else if (c >= '0' && c <= '9') {
            anyDigit = true;
            if (scale == 0) {
                value = value * 10 + (c - '0');
            } else {
                value += (c - '0') * scale;
                scale /= 10;
            }
        } else {
            return std::nullopt;
        }
    }
    if (!anyDigit) return std::nullopt;
    return negative ? -value : value;
}

std::string numberText(long long n) { return n < 0 ? std::to_string(n) : " " + std::to_string(n); }

std::string decimalText(long long n) {
    const std::string text = numberText(n);
    return text.front() == ' ' ? text.substr(1) : text;
}

std::string limitText(std::string text, std::size_t limit) {
    if (text.size() > limit) text.resize(limit);
    return text;
}

std::string zeroPadded(long long n, int width) {
    std::string digits = decimalText(n < 0 ? -n : n);
    if (static_cast<int>(digits.size()) < width) digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
    return digits.substr(digits.size() - static_cast<std::size_t>(width));
}

}  // namespace vocapan
