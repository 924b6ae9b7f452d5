// Builds and writes "memory.txt": a heading, then for each bank with used channels a blank
// line, "Bank" and its digit, and one line per channel with frequencies, mode, repeater
// shift, split and tone.
#include "memory/memory_listing.h"

#include <array>

#include "core/number_text.h"
#include "memory/file_replace.h"
#include "memory/record_format.h"

namespace vocapan {

namespace {

constexpr const char* kListingFile = "memory.txt";

// Mode words by mode digit 1 to 7.
constexpr std::array<std::string_view, 7> kModeWords = {"  LSB", "  USB", "  CW", "  AM", "  FMN", "  C4FM", "  FMW"};

// Three MHz digits and six below them, as "14.074": no leading zeros before the point, no
// trailing zeros after it, but at least one digit on each side.
std::string frequencyText(std::string_view nineDigits) {
    std::string fraction(nineDigits.substr(3, 6));
    while (fraction.size() > 1 && fraction.back() == '0') fraction.pop_back();
    return decimalText(numberFromText(nineDigits.substr(0, 3))) + "." + fraction;
}

// The offset as written after the sign, "00000600" giving "600"; all zeros give "0".
std::string withoutLeadingZeros(std::string_view text) {
    const std::size_t first = text.find_first_not_of('0');
    return first == std::string_view::npos ? "0" : std::string(text.substr(first));
}

}  // namespace

std::string channelLine(int channel, std::string_view record) {
    const char kind = record[0];
    std::string line = "Slot " + decimalText(channel) + " A=" + frequencyText(record.substr(5, 9));
    if (kind != '5') line += "  B=" + frequencyText(record.substr(15, 9));
    line += kModeWords[static_cast<std::size_t>(record[1] - '1')];
    if (kind == '5') {
        line += record[15] == '+' ? "  Repeater  +" : "  Repeater  -";
        line += withoutLeadingZeros(record.substr(16, 8)) + "Khz";
    }
    line += kind == '1' ? "  split" : "       ";
    const std::string_view tone = record.substr(24, 3);
    if (tone != "999") line += std::string("   ") + (tone[0] > '4' ? "DCS=" : "CTCSS=") + std::string(tone);
    return line;
}

std::vector<std::string> memoryListingLines(const std::array<std::string, 100>& memorySlots) {
    std::vector<std::string> lines = {"Memory Bank Information", "  "};
    bool anyUsed = false;
    for (int bank = 0; bank < 10; ++bank) {
        bool bankHeaded = false;
        for (int channel = 0; channel < 10; ++channel) {
            const std::string& record = memorySlots[static_cast<std::size_t>(bank * 10 + channel)];
            if (!isStoredChannel(record)) continue;
            if (!bankHeaded) {
                lines.push_back("  ");
                lines.push_back("Bank" + decimalText(bank));
                bankHeaded = true;
            }
            lines.push_back(channelLine(channel, record));
            anyUsed = true;
        }
    }
    if (!anyUsed) lines.push_back("Empty");
    return lines;
}

void writeMemoryListing(Panel& panel) {
    replaceFileWithLines(kListingFile, memoryListingLines(panel.state.memorySlots));
}

}  // namespace vocapan
