// Memory channels as the operator uses them: C stores, G recalls, B chooses the bank, U steps
// to the next used channel; every kind of channel comes back as stored, is listed, and
// survives the memory file being saved and read again.
#include <array>

#include "controls/memory_channels.h"
#include "key_table.h"
#include "memory/memory_file.h"
#include "memory/memory_listing.h"

namespace vocapan::testing {
namespace {

auto none = [](PanelFixture&) {};

void repeaterWithTone(PanelFixture& p) {
    on2m(p);
    auto& s = p.panel.state;
    s.repeaterOn = 1, s.toneEntry = 1, s.toneCode = "088", s.offsetSign12 = "-", s.offsetDigits12 = "0600";
}

void narrowFmWithDcs(PanelFixture& p) {
    on2m(p);
    auto& s = p.panel.state;
    s.mode = 5, s.toneEntry = 1, s.toneCode = "754", s.dcsSelected = 1;
}

void splitOn40m(PanelFixture& p) {
    auto& s = p.panel.state;
    s.vfoBTarget = 1, s.vfoBText = "B007200000", s.bandStack[4] = "11A007150000B0072000009990";
}

void withSlot(PanelFixture& p, int slot, const std::string& record) {
    p.panel.state.memorySlots[static_cast<std::size_t>(slot)] = record;
}

const std::string kSimplex40m = "0104A007100000B0071000009990";
const std::string kRepeater2m = "5712A145600000B-000006000880";

TEST(MemoryChannelKeys, c_stores_every_kind_of_channel_at_once_into_the_file_and_listing) {
    struct StoreCase {
        std::string keys;
        std::function<void(PanelFixture&)> setup;
        int slot;
        std::string record;
        std::vector<std::string> heard;
        std::string listed;
    };
    const std::vector<StoreCase> cases{
        {"C 5", none, 5, kSimplex40m, {"sch", "5", "ok"}, "Slot 5 A=7.1  B=7.1  LSB       "},
        {"C 9",
         repeaterWithTone,
         9,
         kRepeater2m,
         {"sch", "9", "ok"},
         "Slot 9 A=145.6  FMW  Repeater  -600Khz          CTCSS=088"},
        {"C B 3 7",
         narrowFmWithDcs,
         37,
         "0512A145600000B1456000007540",
         {"sch", "bank", "3", "channel", "7", "ok"},
         "Slot 7 A=145.6  B=145.6  FMN          DCS=754"},
        {"C 1", splitOn40m, 1, "1104A007150000B0072000009990", {"sch", "1", "ok"}, "Slot 1 A=7.15  B=7.2  LSB  split"},
        // A code still being typed is no tone yet: the record keeps its fixed width.
        {"C 2",
         [](PanelFixture& p) {
             on2m(p);
             p.panel.state.toneEntry = 1, p.panel.state.toneCode = "12";
         },
         2,
         "0712A145600000B1456000009990",
         {"sch", "2", "ok"},
         "Slot 2 A=145.6  B=145.6  FMW       "},
        // The configuration gave 2 m no sign: the shift is kept with a blank and listed as "-".
        {"C 0",
         [](PanelFixture& p) {
             repeaterWithTone(p);
             p.panel.state.offsetSign12 = "";
         },
         0,
         "5712A145600000B 000006000880",
         {"sch", "0", "ok"},
         "Slot 0 A=145.6  FMW  Repeater  -600Khz          CTCSS=088"},
    };
    for (const StoreCase& c : cases) {
        PanelFixture panel;
        connectSession(panel);
        c.setup(panel);
        typeKeys(panel, c.keys);
        EXPECT_EQ(panel.prompts(), c.heard) << c.keys;
        EXPECT_TRUE(panel.commands().empty()) << c.keys;
        const auto saved = fileLines("savmem.dat");
        ASSERT_EQ(saved.size(), 115u);
        EXPECT_EQ(saved[static_cast<std::size_t>(15 + c.slot)], c.record) << c.keys;
        const auto listed = fileLines("memory.txt");
        EXPECT_EQ(listed.back(), c.listed) << c.keys;
    }
}

TEST(MemoryChannelKeys, g_puts_each_kind_of_channel_back_on_the_radio) {
    runKeyTable({
        {"G 5",
         [](PanelFixture& p) { withSlot(p, 5, kSimplex40m); },
         {"ST0;", "BS003;", "FA007100000;", "MD01;", "NA00;", "CT00;", "PA00;"},
         {"gch", "5", "40", "metres"},
         [](const PanelState& s) {
             EXPECT_EQ(s.memoryBank, 0);
             EXPECT_EQ(s.announceAfterRecall, 1);
         }},
        {"G 9",
         [](PanelFixture& p) {
             withSlot(p, 9, kRepeater2m);
             p.panel.state.offsetDigits12 = "0500";
         },
         {"BS015;", "FA145600000;", "OS00;", "MD04;", "NA00;", "SQ0;", "EX0103180012;", "OS02;", "CN00088;", "CT02;",
          "PA10;"},
         {"gch", "9", "2", "metres", "repeater", "off", "delay", "delay", "repeater", "on", "ctcss", "0", "8", "8"},
         [](const PanelState& s) {
             EXPECT_EQ(s.repeaterOn, 1);
             EXPECT_EQ(s.offsetDigits12, "0600");
             EXPECT_EQ(s.toneEntry, 1);
         }},
        {"G B 3 7",
         [](PanelFixture& p) { withSlot(p, 37, "0512A145600000B1456000007541"); },
         {"ST0;", "BS015;", "FA145600000;", "MD0B;", "NA00;", "SQ0;", "EX0863;", "CN01054;", "PA11;"},
         {"gch", "bank", "3", "channel", "7", "2", "metres", "delay", "delay", "dcs", "on"},
         [](const PanelState& s) {
             EXPECT_EQ(s.dcsSelected, 1);
             EXPECT_EQ(s.preampLevel, 1);
         }},
        {"G 1",
         [](PanelFixture& p) { withSlot(p, 1, "1104A007150000B0072000009992"); },
         {"ST1;", "BS003;", "FA007150000;", "FB007200000;", "MD01;", "NA00;", "CT00;", "PA02;"},
         {"gch", "1", "split", "40", "metres"},
         [](const PanelState& s) { EXPECT_EQ(s.vfoBTarget, 1); }},
        // A tone is restored only in FM; a repeater channel keeps its shift in any mode.
        {"G 4",
         [](PanelFixture& p) { withSlot(p, 4, "5612A145600000B+000006000880"); },
         {"BS015;", "FA145600000;", "OS00;", "MD0H;", "NA00;", "EX0103180012;", "OS01;", "CT00;", "PA10;"},
         {"gch", "4", "2", "metres", "repeater", "off", "repeater", "on"}},
        // Split on before a repeater channel ends at the radio too.
        {"G 9",
         [](PanelFixture& p) {
             splitOn40m(p);
             withSlot(p, 9, kRepeater2m);
         },
         {"ST0;", "BS015;", "FA145600000;", "OS00;", "MD04;", "NA00;", "SQ0;", "EX0103180012;", "OS02;", "CN00088;",
          "CT02;", "PA10;"},
         {"gch", "9", "2", "metres", "repeater", "off", "delay", "delay", "repeater", "on", "ctcss", "0", "8", "8"},
         [](const PanelState& s) { EXPECT_EQ(s.vfoBTarget, 0); }},
        // On 10 m the shift goes down whatever the sign, as the shift key sends it.
        {"G 6",
         [](PanelFixture& p) { withSlot(p, 6, "5710A029620000B+000001000880"); },
         {"BS009;", "FA029620000;", "OS00;", "MD04;", "NA00;", "SQ0;", "EX0103160100;", "OS02;", "CN00088;", "CT02;",
          "PA00;"},
         {"gch", "6", "10", "metres", "repeater", "off", "delay", "delay", "repeater", "on", "ctcss", "0", "8", "8"}},
        {"G 3", none, {}, {"gch", "3", "invalid"}, [](const PanelState& s) { EXPECT_EQ(s.memoryBank, 99); }},
        {"G 4", [](PanelFixture& p) { withSlot(p, 4, "0104A00710000XB0071000009990"); }, {}, {"gch", "4", "invalid"}},
        {"G 4", [](PanelFixture& p) { withSlot(p, 4, "0115A007100000B0071000009990"); }, {}, {"gch", "4", "invalid"}},
        {"G J", none, {"FA007100000;"}, {"gch"}, [](const PanelState& s) { EXPECT_EQ(s.channelEntry, 0); }},
    });
}

TEST(MemoryChannelKeys, the_recalled_frequency_is_announced_not_a_report_asked_for_before) {
    PanelFixture panel;
    connectSession(panel);
    withSlot(panel, 9, kRepeater2m);
    typeKeys(panel, "G 9");
    panel.clearRecords();
    deliver(panel, "FA007100000;");  // the poll's answer from before the recall
    EXPECT_TRUE(panel.prompts().empty());
    deliver(panel, "FA145600000;");
    EXPECT_EQ(panel.prompts(),
              (std::vector<std::string>{"repeater", "1", "4", "5", "point", "6", "mhz", "fm", "preamp", "off"}));
}

TEST(MemoryChannelKeys, u_steps_quietly_to_the_next_used_channel_of_the_bank) {
    auto slots = [](std::initializer_list<int> used) {
        return [used](PanelFixture& p) {
            for (const int slot : used) withSlot(p, slot, kSimplex40m);
            withSlot(p, 7, "0104A00710000XB0071000009990");  // damaged: never stepped to
        };
    };
    const std::vector<std::string> recall{"ST0;", "BS003;", "FA007100000;", "MD01;", "NA00;", "CT00;", "PA00;"};
    std::vector<std::string> twice = recall;
    twice.insert(twice.end(), recall.begin(), recall.end());
    runKeyTable({
        {"U", none, {}, {"ncs"}},
        {"G 5 U",
         slots({5, 8}),
         twice,
         {"gch", "5", "40", "metres", "channel", "8", "40", "metres"},
         [](const PanelState& s) {
             EXPECT_EQ(s.memorySlot, 8);
             EXPECT_EQ(s.quietRecall, 1);
         }},
        {"G 5 U", slots({5}), twice, {"gch", "5", "40", "metres", "channel", "5", "40", "metres"}},
        // Quiet as it is, U says that the channel it stepped to shifts the transmitter.
        {"G 1 U",
         [](PanelFixture& p) {
             withSlot(p, 1, kSimplex40m);
             withSlot(p, 2, kRepeater2m);
         },
         [&] {
             auto sent = recall;
             sent.insert(sent.end(), {"BS015;", "FA145600000;", "OS00;", "MD04;", "NA00;", "SQ0;", "EX0103180012;",
                                      "OS02;", "CN00088;", "CT02;", "PA10;"});
             return sent;
         }(),
         {"gch", "1", "40", "metres", "channel", "2", "2", "metres", "delay", "delay", "repeater", "on"}},
        {"G 5 J U",
         slots({5, 8}),
         [&] {
             auto sent = recall;
             sent.push_back("FA007100000;");
             return sent;
         }(),
         {"gch", "5", "40", "metres", "ncs"}},
    });
}

TEST(MemoryChannelKeys, stored_channels_of_every_kind_are_recalled_as_stored_and_listed) {
    PanelFixture panel;
    connectSession(panel);
    auto& state = panel.panel.state;
    typeKeys(panel, "C 0");  // simplex LSB on 40 m
    splitOn40m(panel);
    typeKeys(panel, "C 1");
    state.vfoBTarget = 0;
    repeaterWithTone(panel);
    typeKeys(panel, "C 2");
    state.repeaterOn = 0;
    narrowFmWithDcs(panel);
    typeKeys(panel, "C 3");
    const std::vector<std::string> listing = fileLines("memory.txt");
    EXPECT_EQ(listing, (std::vector<std::string>{
                           "Memory Bank Information",
                           "  ",
                           "  ",
                           "Bank0",
                           "Slot 0 A=7.1  B=7.1  LSB       ",
                           "Slot 1 A=7.15  B=7.2  LSB  split",
                           "Slot 2 A=145.6  FMW  Repeater  -600Khz          CTCSS=088",
                           "Slot 3 A=145.6  B=145.6  FMN          DCS=754",
                       }));

    // Each recall gives back what the store took.
    const std::array<std::string, 4> expectedFa{"FA007100000;", "FA007150000;", "FA145600000;", "FA145600000;"};
    for (int slot = 0; slot < 4; ++slot) {
        panel.clearRecords();
        typeKeys(panel, "G " + std::to_string(slot));
        const auto sent = panel.commands();
        EXPECT_NE(std::find(sent.begin(), sent.end(), expectedFa[static_cast<std::size_t>(slot)]), sent.end()) << slot;
    }
    EXPECT_EQ(state.toneCode, "754");
    EXPECT_EQ(state.dcsSelected, 1);
}

}  // namespace
}  // namespace vocapan::testing
