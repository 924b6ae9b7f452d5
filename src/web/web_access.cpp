#include "web/web_access.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "core/ip_address.h"
#include "core/number_text.h"

namespace vocapan::web {

namespace {

constexpr int kWrongCodesAllowed = 3;
constexpr int kTokenDigits = 32;

std::string lowerCase(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

bool sameAddress(std::string_view a, std::string_view b) {
    const auto first = ipAddressFromText(a);
    const auto second = ipAddressFromText(b);
    return first && second && *first == *second;
}

}  // namespace

bool hostIsThisComputer(std::string_view host, std::string_view local, std::string_view computerName, int port) {
    std::string_view name = host;
    std::string_view portText;
    if (host.starts_with('[')) {
        const auto close = host.find(']');
        if (close == std::string_view::npos) return false;
        name = host.substr(1, close - 1);
        const std::string_view rest = host.substr(close + 1);
        if (!rest.empty() && !rest.starts_with(':')) return false;
        portText = rest.empty() ? rest : rest.substr(1);
    } else if (const auto colon = host.rfind(':'); colon != std::string_view::npos) {
        if (host.find(':') != colon) return false;  // IPv6 without brackets is no Host
        name = host.substr(0, colon);
        portText = host.substr(colon + 1);
    }
    if (!portText.empty() && portText != decimalText(port)) return false;
    const std::string lower = lowerCase(name);
    const std::string computer = lowerCase(computerName);
    if (lower == "localhost" || (!computer.empty() && (lower == computer || lower == computer + ".local"))) return true;
    return sameAddress(lower, local);
}

bool originIsPage(std::string_view origin, std::string_view host) {
    constexpr std::string_view kScheme = "http://";
    return origin.starts_with(kScheme) && lowerCase(origin.substr(kScheme.size())) == lowerCase(host);
}

std::string tokenOfCookie(std::string_view cookie) {
    while (!cookie.empty()) {
        const auto end = cookie.find(';');
        std::string_view pair = cookie.substr(0, end);
        cookie = end == std::string_view::npos ? std::string_view() : cookie.substr(end + 1);
        while (pair.starts_with(' ')) pair.remove_prefix(1);
        if (pair.starts_with(kTokenCookie) && pair.substr(kTokenCookie.size()).starts_with('=')) {
            return std::string(pair.substr(kTokenCookie.size() + 1));
        }
    }
    return {};
}

WebCodes::WebCodes(std::function<unsigned()> random) : random_(std::move(random)) { makeCode(); }

void WebCodes::makeCode() {
    code_.clear();
    for (int digit = 0; digit < 6; ++digit) code_ += static_cast<char>('0' + random_() % 10);
    wrongInARow_ = 0;
    codeUnsaid_ = true;
}

std::optional<std::string> WebCodes::tryCode(std::string_view given) {
    if (given != code_) {
        if (++wrongInARow_ >= kWrongCodesAllowed) makeCode();
        return std::nullopt;
    }
    wrongInARow_ = 0;
    std::string token;
    constexpr std::string_view kHex = "0123456789abcdef";
    for (int digit = 0; digit < kTokenDigits; ++digit) token += kHex[random_() % kHex.size()];
    tokens_.insert(token);
    return token;
}

bool WebCodes::knows(std::string_view token) const { return !token.empty() && tokens_.count(token) > 0; }

bool WebCodes::takeNewCode() { return std::exchange(codeUnsaid_, false); }

}  // namespace vocapan::web
