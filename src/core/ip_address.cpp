#include "core/ip_address.h"

#include <algorithm>

namespace vocapan {

namespace {

constexpr int kIpv4Bits = 32;
constexpr int kIpv6Bits = 128;
constexpr int kIpv6Groups = 8;
constexpr std::array<std::uint8_t, 12> kIpv4InIpv6{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xff, 0xff};

bool isDigit(char c) { return c >= '0' && c <= '9'; }

int hexValue(char c) {
    if (isDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// A decimal number of one to `most` digits, nothing for anything else.
std::optional<int> smallDecimal(std::string_view text, std::size_t most) {
    if (text.empty() || text.size() > most || !std::all_of(text.begin(), text.end(), isDigit)) return std::nullopt;
    int value = 0;
    for (const char c : text) value = value * 10 + (c - '0');
    return value;
}

std::optional<std::array<std::uint8_t, 4>> ipv4Bytes(std::string_view text) {
    std::array<std::uint8_t, 4> bytes{};
    for (std::size_t index = 0; index < bytes.size(); ++index) {
        const auto dot = text.find('.');
        const bool last = index + 1 == bytes.size();
        if (last != (dot == std::string_view::npos)) return std::nullopt;
        const auto part = smallDecimal(text.substr(0, dot), 3);
        if (!part || *part > 255) return std::nullopt;
        bytes[index] = static_cast<std::uint8_t>(*part);
        if (!last) text.remove_prefix(dot + 1);
    }
    return bytes;
}

// The 16-bit groups of one side of "::" (empty text: none); an IPv4 address may end the
// address, as its last two groups.
std::optional<std::vector<std::uint16_t>> ipv6Groups(std::string_view text, bool endsAddress) {
    std::vector<std::uint16_t> groups;
    while (!text.empty()) {
        const auto colon = text.find(':');
        const std::string_view group = text.substr(0, colon);
        if (colon == std::string_view::npos && endsAddress && group.find('.') != std::string_view::npos) {
            const auto tail = ipv4Bytes(group);
            if (!tail) return std::nullopt;
            groups.push_back(static_cast<std::uint16_t>((*tail)[0] << 8 | (*tail)[1]));
            groups.push_back(static_cast<std::uint16_t>((*tail)[2] << 8 | (*tail)[3]));
            return groups;
        }
        if (group.empty() || group.size() > 4) return std::nullopt;
        unsigned value = 0;
        for (const char c : group) {
            const int digit = hexValue(c);
            if (digit < 0) return std::nullopt;
            value = value * 16 + static_cast<unsigned>(digit);
        }
        groups.push_back(static_cast<std::uint16_t>(value));
        if (colon == std::string_view::npos) break;
        text.remove_prefix(colon + 1);
        if (text.empty()) return std::nullopt;  // a lone ":" at the end
    }
    return groups;
}

std::optional<IpAddress> ipv6Address(std::string_view text) {
    const auto gap = text.find("::");
    std::optional<std::vector<std::uint16_t>> front;
    std::optional<std::vector<std::uint16_t>> back;
    if (gap == std::string_view::npos) {
        front = ipv6Groups(text, true);
        back.emplace();
        if (!front || front->size() != kIpv6Groups) return std::nullopt;
    } else {
        const std::string_view after = text.substr(gap + 2);
        if (after.find("::") != std::string_view::npos) return std::nullopt;
        front = ipv6Groups(text.substr(0, gap), false);
        back = ipv6Groups(after, true);
        // "::" stands for at least one group of zeros.
        if (!front || !back || front->size() + back->size() >= kIpv6Groups) return std::nullopt;
    }
    IpAddress address;
    address.ipv4 = false;
    const auto put = [&address](std::size_t group, std::uint16_t value) {
        address.bytes[group * 2] = static_cast<std::uint8_t>(value >> 8);
        address.bytes[group * 2 + 1] = static_cast<std::uint8_t>(value & 0xff);
    };
    for (std::size_t i = 0; i < front->size(); ++i) put(i, (*front)[i]);
    for (std::size_t i = 0; i < back->size(); ++i) put(kIpv6Groups - back->size() + i, (*back)[i]);
    return address;
}

bool carriesIpv4(const IpAddress& address) {
    return !address.ipv4 && std::equal(kIpv4InIpv6.begin(), kIpv4InIpv6.end(), address.bytes.begin());
}

// The IPv4 address an IPv6 address carries, as the IPv4 address it is.
IpAddress asIpv4(const IpAddress& address) {
    IpAddress ipv4;
    std::copy_n(address.bytes.begin() + kIpv4InIpv6.size(), 4, ipv4.bytes.begin());
    return ipv4;
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

}  // namespace

std::optional<IpAddress> ipAddressFromText(std::string_view text) {
    if (text.find(':') == std::string_view::npos) {
        const auto bytes = ipv4Bytes(text);
        if (!bytes) return std::nullopt;
        IpAddress address;
        std::copy(bytes->begin(), bytes->end(), address.bytes.begin());
        return address;
    }
    const auto address = ipv6Address(text);
    if (address && carriesIpv4(*address)) return asIpv4(*address);
    return address;
}

std::optional<AddressRange> addressRangeFromText(std::string_view text) {
    const auto slash = text.find('/');
    const std::string_view addressText = text.substr(0, slash);
    const auto address = ipAddressFromText(addressText);
    if (!address) return std::nullopt;
    // Written in IPv6 form, the mask counts IPv6 bits, even for ::ffff:a.b.c.d.
    const bool writtenAsIpv6 = addressText.find(':') != std::string_view::npos;
    int bits = writtenAsIpv6 ? kIpv6Bits : kIpv4Bits;
    if (slash != std::string_view::npos) {
        const auto given = smallDecimal(text.substr(slash + 1), 3);
        if (!given || *given > bits) return std::nullopt;
        bits = *given;
    }
    if (writtenAsIpv6 && address->ipv4) {
        // The IPv4 addresses under the mask's last 32 bits; a shorter mask would reach past
        // them into IPv6 addresses, which is no range the panel guesses at.
        if (bits < kIpv6Bits - kIpv4Bits) return std::nullopt;
        bits -= kIpv6Bits - kIpv4Bits;
    }
    return AddressRange{*address, bits};
}

std::optional<std::vector<AddressRange>> addressListFromText(std::string_view text) {
    std::vector<AddressRange> ranges;
    for (;;) {
        const auto comma = text.find(',');
        const auto range = addressRangeFromText(trimmed(text.substr(0, comma)));
        if (!range) return std::nullopt;
        ranges.push_back(*range);
        if (comma == std::string_view::npos) return ranges;
        text.remove_prefix(comma + 1);
    }
}

bool inRange(const IpAddress& address, const AddressRange& range) {
    // Each family has its own ranges: 0.0.0.0/0 is every IPv4 address, ::/0 every IPv6 one.
    if (address.ipv4 != range.base.ipv4) return false;
    const int whole = range.bits / 8;
    if (!std::equal(address.bytes.begin(), address.bytes.begin() + whole, range.base.bytes.begin())) return false;
    const int rest = range.bits % 8;
    if (rest == 0) return true;
    const auto mask = static_cast<std::uint8_t>(0xff << (8 - rest));
    return (address.bytes[static_cast<std::size_t>(whole)] & mask) ==
           (range.base.bytes[static_cast<std::size_t>(whole)] & mask);
}

bool inAnyRange(const IpAddress& address, const std::vector<AddressRange>& ranges) {
    return std::any_of(ranges.begin(), ranges.end(),
                       [&](const AddressRange& range) { return inRange(address, range); });
}

bool isThisComputer(const IpAddress& address) {
    static const IpAddress kIpv4Loopback{true, {127, 0, 0, 1}};
    static const IpAddress kIpv6Loopback{false, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}};
    return address == kIpv4Loopback || address == kIpv6Loopback;
}

}  // namespace vocapan
