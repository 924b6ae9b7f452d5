// Internet addresses as the operator writes them on the allow line of vocapan.cfg and as the
// network port reports the computer a program connects from: IPv4 and IPv6 addresses, the
// ranges "ADDRESS/BITS" that list a whole home network, and which addresses are this computer.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace vocapan {

// An IPv4 address keeps its four bytes at the front. An IPv6 address that carries an IPv4
// address (::ffff:a.b.c.d, as a dual-stack port reports an IPv4 program) is that IPv4 address.
struct IpAddress {
    bool ipv4 = true;
    std::array<std::uint8_t, 16> bytes{};
    bool operator==(const IpAddress&) const = default;
};

// The addresses whose first `bits` bits are those of `base`, of the same family.
struct AddressRange {
    IpAddress base;
    int bits = 32;
};

// An address in dotted IPv4 or in IPv6 text ("fd00::1", "::ffff:192.168.1.9"); nothing for
// anything else, a zone ("%eth0") included.
std::optional<IpAddress> ipAddressFromText(std::string_view text);

// "ADDRESS" or "ADDRESS/BITS" (0 to 32 for IPv4, 0 to 128 for IPv6); an address alone is
// the one address. Bits past the mask in the address are not looked at.
std::optional<AddressRange> addressRangeFromText(std::string_view text);

// "ADDRESS[/BITS][,ADDRESS[/BITS]...]", blanks allowed around each entry; nothing when any
// entry is not an address or range, or when there is none.
std::optional<std::vector<AddressRange>> addressListFromText(std::string_view text);

bool inRange(const IpAddress& address, const AddressRange& range);
bool inAnyRange(const IpAddress& address, const std::vector<AddressRange>& ranges);

// 127.0.0.1 or ::1: a program on the computer the panel runs on.
bool isThisComputer(const IpAddress& address);

}  // namespace vocapan
