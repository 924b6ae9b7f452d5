// Every channel the panel can store survives the memory file: stored, saved, read back and
// saved again it comes back byte for byte, is listed in its line form, and no start reports
// it as damaged. The combinations cover every kind, mode, band, shift sign, tone form and
// preamplifier level.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "controls/memory_channels.h"
#include "memory/memory_file.h"
#include "memory/record_format.h"
#include "panel_session.h"

namespace vocapan::testing {
namespace {

struct BandPlace {
    int hzA, hzB;
    std::string listedA, listedB;
};

// A frequency on each band 1 to 14, and a transmit frequency 25 kHz above it for split.
const std::array<BandPlace, 15> kPlaces{{
    {},
    {1900000, 1925000, "1.9", "1.925"},
    {3600000, 3625000, "3.6", "3.625"},
    {5400000, 5425000, "5.4", "5.425"},
    {7100000, 7125000, "7.1", "7.125"},
    {10100000, 10125000, "10.1", "10.125"},
    {14074000, 14099000, "14.074", "14.099"},
    {18100000, 18125000, "18.1", "18.125"},
    {21200000, 21225000, "21.2", "21.225"},
    {24890000, 24915000, "24.89", "24.915"},
    {29620000, 29645000, "29.62", "29.645"},
    {50150000, 50175000, "50.15", "50.175"},
    {145600000, 145625000, "145.6", "145.625"},
    {438000000, 438025000, "438.0", "438.025"},
    {9670000, 9695000, "9.67", "9.695"},
}};

const std::array<std::string, 8> kModeWords{"", "  LSB", "  USB", "  CW", "  AM", "  FMN", "  C4FM", "  FMW"};

struct Shift {
    std::string sign, digits;        // as the configuration gave them
    std::string stored, listedTail;  // the nine characters after "B", and the listing's part
};
const std::vector<Shift> kShifts{
    {"+", "0600", "+00000600", "  Repeater  +600Khz"},
    {"-", "1000", "-00001000", "  Repeater  -1000Khz"},
    {"", "0600", " 00000600", "  Repeater  -600Khz"},  // no sign on the configuration's line
    {"0", "0", "000000000", "  Repeater  -0Khz"},      // a short line: sign "0", offset "0"
};

struct Tone {
    std::string typed, stored;
};
const std::vector<Tone> kTones{{"999", "999"}, {"012", "012"}, {"754", "754"}, {"000", "000"}, {"12", "999"}};

std::string nine(int hz) {
    std::string digits = std::to_string(hz);
    return std::string(9 - digits.size(), '0') + digits;
}

struct Expected {
    std::string record, listed;
};

// Puts the panel where the operator would be, stores channel `slot` of bank `slot / 10`,
// and says what the record and its listed line must be.
Expected store(Panel& panel, int slot, char kind, int mode, int band, const Shift& shift, const Tone& tone,
               int preamp) {
    auto& s = panel.state;
    const BandPlace& place = kPlaces[static_cast<std::size_t>(band)];
    s.band = band, s.mode = mode, s.vfoAHz = place.hzA, s.preampLevel = preamp;
    s.bandStack[static_cast<std::size_t>(band)] =
        "0" + std::to_string(mode) + "A" + nine(place.hzA) + "B" + nine(place.hzA) + "999" + std::to_string(preamp);
    s.vfoBTarget = kind == '1' ? 1 : 0;
    s.vfoBText = "B" + nine(place.hzB);
    s.repeaterOn = kind == '5' ? 1 : 0;
    const bool shiftBand = band >= 10 && band <= 13;
    if (shiftBand) {
        const std::size_t i = static_cast<std::size_t>(band - 10);
        std::array<std::string*, 4> signs{&s.offsetSign10, &s.offsetSign11, &s.offsetSign12, &s.offsetSign13};
        std::array<std::string*, 4> digits{&s.offsetDigits10, &s.offsetDigits11, &s.offsetDigits12, &s.offsetDigits13};
        *signs[i] = shift.sign, *digits[i] = shift.digits;
    }
    s.toneEntry = tone.typed == "999" ? 0 : 1;
    s.toneCode = tone.typed;
    s.bankDigitPending = slot / 10;
    s.keyCode = '0' + slot % 10;
    storeChannel(panel);

    const char storedKind = kind == '5' && !shiftBand ? '0' : kind;  // only those bands shift
    const bool split = storedKind == '1';
    const std::string bandDigits = (band < 10 ? "0" : "") + std::to_string(band);
    std::string tail = storedKind == '5' ? shift.stored : nine(split ? place.hzB : place.hzA);
    Expected e;
    e.record = std::string(1, storedKind) + std::to_string(mode) + bandDigits + "A" + nine(place.hzA) + "B" + tail +
               tone.stored + std::to_string(preamp);
    e.listed = "Slot " + std::to_string(slot % 10) + " A=" + place.listedA;
    if (storedKind != '5') e.listed += "  B=" + (split ? place.listedB : place.listedA);
    e.listed += kModeWords[static_cast<std::size_t>(mode)];
    if (storedKind == '5') e.listed += shift.listedTail;
    e.listed += split ? "  split" : "       ";
    if (tone.stored != "999") e.listed += std::string("   ") + (tone.stored[0] > '4' ? "DCS=" : "CTCSS=") + tone.stored;
    return e;
}

// The hundred channels just stored are saved, read into an empty panel, saved again.
void checkRoundTrip(PanelFixture& fixture, const std::vector<Expected>& stored) {
    auto& s = fixture.panel.state;
    const std::string savedOnce = readFile("savmem.dat");
    std::vector<std::string> listing{"Memory Bank Information", "  "};
    for (std::size_t slot = 0; slot < stored.size(); ++slot) {
        ASSERT_EQ(s.memorySlots[slot], stored[slot].record);
        ASSERT_TRUE(isStoredChannel(stored[slot].record)) << stored[slot].record;
        if (slot % 10 == 0) listing.insert(listing.end(), {"  ", "Bank" + std::to_string(slot / 10)});
        listing.push_back(stored[slot].listed);
    }
    ASSERT_EQ(fileLines("memory.txt"), listing);

    for (auto& slot : s.memorySlots) slot = "9";
    ASSERT_EQ(loadMemories(fixture.panel), 0);
    for (std::size_t slot = 0; slot < stored.size(); ++slot) ASSERT_EQ(s.memorySlots[slot], stored[slot].record);
    saveMemories(fixture.panel);
    ASSERT_EQ(readFile("savmem.dat"), savedOnce);
    ASSERT_EQ(fileLines("memory.txt"), listing);
}

TEST(MemoryRoundTrip, every_channel_the_panel_stores_comes_back_byte_for_byte_and_listed) {
    PanelFixture fixture;
    connectSession(fixture);
    fixture.panel.state.versionText = "3.5e";  // the header then holds the band, as the program writes it
    std::vector<Expected> stored;
    int combinations = 0;
    auto add = [&](char kind, int mode, int band, const Shift& shift, const Tone& tone, int preamp) {
        if (stored.empty())
            for (auto& slot : fixture.panel.state.memorySlots) slot = "9";
        stored.push_back(store(fixture.panel, static_cast<int>(stored.size()), kind, mode, band, shift, tone, preamp));
        ++combinations;
        if (stored.size() == 100) {
            checkRoundTrip(fixture, stored);
            stored.clear();
        }
    };
    for (const char kind : {'0', '1', '5'})
        for (int mode = 1; mode <= 7; ++mode)
            for (int band = 1; band <= 14; ++band)
                for (const Tone& tone : kTones)
                    for (int preamp = 0; preamp <= 2; ++preamp) {
                        if (kind != '5' || band < 10 || band > 13) {
                            add(kind, mode, band, kShifts[0], tone, preamp);
                            continue;
                        }
                        for (const Shift& shift : kShifts) add(kind, mode, band, shift, tone, preamp);
                    }
    if (!stored.empty()) checkRoundTrip(fixture, stored);
    EXPECT_FALSE(HasFatalFailure());
    EXPECT_EQ(combinations, 3 * 7 * 14 * 5 * 3 + 7 * 4 * 5 * 3 * 3);
}

TEST(MemoryRoundTrip, a_channel_stored_with_a_blank_shift_sign_is_listed_and_survives_a_save) {
    PanelFixture fixture;
    connectSession(fixture);
    auto& s = fixture.panel.state;
    s.memorySlots[0] = "5712A145600000B 000006000880";
    saveMemories(fixture.panel);
    EXPECT_EQ(fileLines("memory.txt").back(), "Slot 0 A=145.6  FMW  Repeater  -600Khz          CTCSS=088");
    s.memorySlots[0] = "9";
    EXPECT_EQ(loadMemories(fixture.panel), 0);
    EXPECT_EQ(s.memorySlots[0], "5712A145600000B 000006000880");
}

TEST(MemoryRoundTrip, a_damaged_channel_is_set_aside_in_the_backup_and_said_once_at_start) {
    PanelFixture fixture;
    std::string file = "VOCAPAN v3.5b 3.5e 40\r\n";
    for (int band = 1; band <= 14; ++band) file += "01A007100000B0071000009990\r\n";
    file += "0104A00710000XB0071000009990\r\n";  // a channel no store could have written
    file += "5712A145600000B 000006000880\r\n";
    for (int slot = 2; slot < 100; ++slot) file += "9\r\n";
    writeFile("savmem.dat", file);
    initialiseSession(fixture);
    const auto heard = fixture.prompts();
    EXPECT_EQ(std::count(heard.begin(), heard.end(), "damaged"), 1);
    EXPECT_EQ(readFile("savmem.bak"), file);
    EXPECT_EQ(fixture.panel.state.memorySlots[0], "9");
    EXPECT_EQ(fixture.panel.state.memorySlots[1], "5712A145600000B 000006000880");

    saveMemories(fixture.panel);  // the session ends; the next start finds nothing damaged
    fixture.clearRecords();
    initialiseSession(fixture);
    const auto heardAgain = fixture.prompts();
    EXPECT_EQ(std::count(heardAgain.begin(), heardAgain.end(), "damaged"), 0);
    EXPECT_EQ(readFile("savmem.bak"), file);
}

}  // namespace
}  // namespace vocapan::testing
