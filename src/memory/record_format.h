// The two stored forms of a place on the radio: the band entry (26 characters, one per band
// in the band table) and the memory record (28 characters, or "9" for an empty channel).
// These checks decide what may be taken from the memory file and sent to the radio.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vocapan {

// Band entry: kind ("0" simplex, "1" split, "5" repeater shift), mode digit 1 to 7, "A" and
// VFO A in nine digits, "B" and VFO B in nine digits (for kind "5": the shift sign, "0000"
// and the four offset characters, as the configuration gave them: "-00000600"), three-digit
// tone code ("999" none), preamplifier "0" to "2".
constexpr std::size_t kBandEntryLength = 26;

// Memory record: a band entry with the two-digit band number "01" to "14" after the mode.
constexpr std::size_t kMemoryRecordLength = 28;

// The record of a channel holding nothing.
constexpr std::string_view kEmptyChannel = "9";

// True when `entry` has every field of a band entry in its place.
bool isBandEntry(std::string_view entry);

// True when `record` is a whole stored channel that can be put on the radio as it stands.
bool isStoredChannel(std::string_view record);

// True when `record` marks its channel as unused: it is empty or begins with "9".
bool isEmptyChannel(std::string_view record);

// The tone code as stored: "999" (none) unless `toneCode` is a whole three-digit code, so a
// code still being typed never breaks the fixed width of an entry or record.
constexpr std::string_view kNoTone = "999";
std::string toneField(std::string_view toneCode);

// The nine characters after "B" of a repeater entry or record: the sign (a blank when the
// configuration gave none), "0000", and the offset in four characters, zeros in front of a
// shorter one ("0" from an empty configuration line gives "0000").
std::string shiftField(std::string_view sign, std::string_view offsetDigits);

}  // namespace vocapan
