// Field-by-field checks of band entries and memory records, shared by loading, recall and
// the listing: every record the panel writes itself passes, and a damaged line of the memory
// file is never taken for a place on the radio.
#include "memory/record_format.h"

#include <algorithm>

namespace vocapan {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool digitsAt(std::string_view text, std::size_t from, std::size_t count) {
    const std::string_view field = text.substr(from, count);
    return field.size() == count && std::all_of(field.begin(), field.end(), isDigit);
}

bool charIn(char c, std::string_view allowed) { return allowed.find(c) != std::string_view::npos; }

}  // namespace

bool isBandEntry(std::string_view entry) {
    if (entry.size() != kBandEntryLength) return false;
    const char kind = entry[0];
    if (!charIn(kind, "015") || !charIn(entry[1], "1234567")) return false;
    if (entry[2] != 'A' || !digitsAt(entry, 3, 9) || entry[12] != 'B') return false;
    // A repeater entry carries the shift instead of a VFO B frequency: the sign and the four
    // offset characters are whatever the configuration gave the band, so only the zeros
    // between them are fixed.
    const bool secondVfoOk = kind == '5' ? entry.substr(14, 4) == "0000" : digitsAt(entry, 13, 9);
    return secondVfoOk && digitsAt(entry, 22, 3) && charIn(entry[25], "012");
}

bool isStoredChannel(std::string_view record) {
    if (record.size() != kMemoryRecordLength || !digitsAt(record, 2, 2)) return false;
    const int band = (record[2] - '0') * 10 + (record[3] - '0');
    if (band < 1 || band > 14) return false;
    // Without its band number a record has the layout of a band entry.
    char entry[kBandEntryLength];
    std::copy_n(record.begin(), 2, entry);
    std::copy(record.begin() + 4, record.end(), entry + 2);
    return isBandEntry(std::string_view(entry, kBandEntryLength));
}

bool isEmptyChannel(std::string_view record) { return record.empty() || record.front() == '9'; }

std::string toneField(std::string_view toneCode) {
    return digitsAt(toneCode, 0, 3) && toneCode.size() == 3 ? std::string(toneCode) : std::string(kNoTone);
}

std::string shiftField(std::string_view sign, std::string_view offsetDigits) {
    std::string field(1, sign.empty() ? ' ' : sign.front());
    field += "0000";
    const std::string_view digits = offsetDigits.substr(0, 4);
    field.append(4 - digits.size(), '0');
    field += digits;
    return field;
}

}  // namespace vocapan
