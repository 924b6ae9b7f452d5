// The memory file across sessions: what the operator finds in the folder after start and
// quit, what a file from an earlier session puts back, and that nothing of a file the
// panel cannot use is thrown away.
#include <gtest/gtest.h>

#include <filesystem>

#include "memory/memory_file.h"
#include "memory_fixture.h"

namespace vocapan::testing {
namespace {

namespace fs = std::filesystem;

const std::string kEmptyListing = crlfLines({"Memory Bank Information", "  ", "Empty"});
const std::string kRecord37 = "0206A014074000B0140740009990";

TEST_F(MemoryTest, first_start_writes_the_start_contents_and_an_empty_listing) {
    writeWholeFile("memory.dat", "left by an old version\r\n");

    loadMemories(panel);

    EXPECT_EQ(readWholeFile("savmem.dat"), crlfLines(memoryFileLines("VOCAPAN v3.5b 3.5e 40", defaultBandLines())));
    EXPECT_EQ(readWholeFile("memory.txt"), kEmptyListing);
    EXPECT_FALSE(fs::exists("memory.dat"));
    EXPECT_FALSE(fs::exists("savmem.bak"));
    EXPECT_FALSE(fs::exists("savmem.dat.tmp"));
    EXPECT_EQ(panel.state.band, 4);
    EXPECT_EQ(bandStackNow(), defaultBandLines());
}

TEST_F(MemoryTest, a_session_on_2m_with_a_stored_channel_comes_back_and_saves_unchanged) {
    std::vector<std::string> bands = defaultBandLines();
    bands[11] = "55A145600000B-000006000881";  // 2 m: repeater shift, tone 088, preamp 1
    bands[3] = "12A007150000B0072000007532";   // 40 m: split, DCS 753, preamp 2
    std::vector<std::string> records(38, "9");
    records[37] = kRecord37;
    const std::string file = crlfLines(memoryFileLines("VOCAPAN v3.5b 3.5e <1", bands, records));
    writeWholeFile("savmem.dat", file);

    loadMemories(panel);

    EXPECT_EQ(panel.state.band, 12);
    EXPECT_EQ(panel.state.nrOn, 1);
    EXPECT_EQ(bandStackNow(), bands);
    EXPECT_EQ(panel.state.memorySlots[37], kRecord37);
    EXPECT_FALSE(fs::exists("memory.txt")) << "a good file is only read at start";
    EXPECT_FALSE(fs::exists("savmem.bak"));

    saveMemories(panel);

    EXPECT_EQ(readWholeFile("savmem.dat"), file);
    EXPECT_EQ(readWholeFile("memory.txt"),
              crlfLines({"Memory Bank Information", "  ", "  ", "Bank3", "Slot 7 A=14.074  B=14.074  USB       "}));
}

TEST_F(MemoryTest, files_of_older_versions_are_read_with_the_same_layout) {
    for (const std::string header : {"VOCAPAN v1.0a 1.0b 80", "VOCAPAN v3.5a 3.5c 6", "VOCAPAN v3.5b 3.5e >0"}) {
        SCOPED_TRACE(header);
        const std::string file = crlfLines(memoryFileLines(header, defaultBandLines(), {kRecord37}));
        writeWholeFile("savmem.dat", file);
        panel.state.band = 4;
        panel.state.nrOn = 1;

        loadMemories(panel);

        EXPECT_EQ(panel.state.band, header.back() == '>' ? 14 : header[19] - '0');
        EXPECT_EQ(panel.state.nrOn, 0);
        EXPECT_EQ(panel.state.memorySlots[0], kRecord37);
        EXPECT_EQ(readWholeFile("savmem.dat"), file);
        EXPECT_FALSE(fs::exists("savmem.bak"));
    }
}

TEST_F(MemoryTest, header_without_a_usable_band_leaves_the_band_unchosen) {
    for (const std::string header :
         {"VOCAPAN v3.5b 3.5e", "VOCAPAN v3.5b 3.5e 00", "VOCAPAN v3.5b 3.5e ?0", "VOCAPAN v3.5b 3.5e ~1"}) {
        SCOPED_TRACE(header);
        writeWholeFile("savmem.dat", crlfLines(memoryFileLines(header, defaultBandLines())));
        panel.state.band = 4;

        loadMemories(panel);

        EXPECT_EQ(panel.state.band, 0);
    }
}

TEST_F(MemoryTest, foreign_file_is_kept_as_backup_and_replaced_by_the_start_contents) {
    for (const std::string& foreign : {std::string("vocapan v3.5b 3.5e 61\r\n02A014200000B0142000009991\r\n"),
                                       std::string("VOCAPAN"), std::string(), std::string("\r\n\r\n")}) {
        SCOPED_TRACE(foreign);
        writeWholeFile("savmem.dat", foreign);

        loadMemories(panel);

        EXPECT_EQ(readWholeFile("savmem.bak"), foreign);
        EXPECT_EQ(readWholeFile("savmem.dat"), crlfLines(memoryFileLines("VOCAPAN v3.5b 3.5e 40", defaultBandLines())));
        EXPECT_EQ(readWholeFile("memory.txt"), kEmptyListing);
        EXPECT_EQ(panel.state.band, 4);
        EXPECT_EQ(bandStackNow(), defaultBandLines());
    }
}

TEST_F(MemoryTest, unreadable_memory_file_is_moved_aside_not_deleted) {
    fs::create_directory("savmem.dat");  // opens, but no line can be read from it
    writeWholeFile("savmem.dat/inside", "x");

    loadMemories(panel);

    EXPECT_TRUE(fs::exists("savmem.bak/inside"));
    EXPECT_EQ(readWholeFile("savmem.dat"), crlfLines(memoryFileLines("VOCAPAN v3.5b 3.5e 40", defaultBandLines())));
}

TEST_F(MemoryTest, folder_that_refuses_the_file_ends_loading_with_the_start_contents) {
    fs::create_directory("savmem.dat.tmp");  // the new file cannot be written

    loadMemories(panel);

    EXPECT_FALSE(fs::exists("savmem.dat"));
    EXPECT_EQ(panel.state.band, 4);
    EXPECT_EQ(bandStackNow(), defaultBandLines());
}

TEST_F(MemoryTest, short_file_keeps_the_start_contents_for_the_lines_it_lacks) {
    std::vector<std::string> bands = {"02A001840000B0018400009990", "01A003700000B0037000009990"};
    const std::string file = crlfLines({"VOCAPAN v3.5b 3.5e 20", bands[0], bands[1]});
    writeWholeFile("savmem.dat", file);

    loadMemories(panel);

    std::vector<std::string> expected = defaultBandLines();
    expected[0] = bands[0];
    expected[1] = bands[1];
    EXPECT_EQ(bandStackNow(), expected);
    EXPECT_EQ(panel.state.band, 2);
    for (const std::string& slot : panel.state.memorySlots) EXPECT_EQ(slot, "9");
    EXPECT_EQ(readWholeFile("savmem.bak"), file) << "the short file is kept before the next save completes it";
}

TEST_F(MemoryTest, damaged_lines_keep_the_band_default_and_become_empty_channels) {
    std::vector<std::string> bands = defaultBandLines();
    bands[0] = "02A001840000B001840000999";   // one character short
    bands[5] = "02A014250000B0142500009991";  // good: 20 m moved to 14.250
    bands[9] = std::string(300, '0');         // far too long
    std::vector<std::string> records(5, "9");
    records[0] = "0206A014074000B01407400099";    // cut off
    records[1] = "0206A014O74000B0140740009990";  // letter O among the digits
    records[2] = "0206A014074000B0140740009990";  // good
    records[3] = "";
    records[4] = "9 cleared by hand";  // empty all the same
    const std::string file = crlfLines(memoryFileLines("VOCAPAN v3.5b 3.5e 60", bands, records));
    writeWholeFile("savmem.dat", file);

    loadMemories(panel);

    std::vector<std::string> expected = defaultBandLines();
    expected[5] = bands[5];
    EXPECT_EQ(bandStackNow(), expected);
    EXPECT_EQ(panel.state.memorySlots[0], "9");
    EXPECT_EQ(panel.state.memorySlots[1], "9");
    EXPECT_EQ(panel.state.memorySlots[2], records[2]);
    EXPECT_EQ(panel.state.memorySlots[3], "9");
    EXPECT_EQ(panel.state.memorySlots[4], "9");
    EXPECT_EQ(readWholeFile("savmem.bak"), file);
}

TEST_F(MemoryTest, lines_ended_by_carriage_return_or_line_feed_alone_are_read) {
    for (const std::string end : {"\r", "\n"}) {
        std::string file = "VOCAPAN v3.5b 3.5e 90" + end;
        std::vector<std::string> bands = defaultBandLines();
        bands[8] = "01A024940000B0249400009990";
        for (const std::string& line : bands) file += line + end;
        file += kRecord37;  // the last line needs no end
        writeWholeFile("savmem.dat", file);

        loadMemories(panel);

        EXPECT_EQ(panel.state.band, 9);
        EXPECT_EQ(bandStackNow(), bands);
        EXPECT_EQ(panel.state.memorySlots[0], kRecord37);
    }
}

TEST_F(MemoryTest, header_names_the_band_by_one_character_and_the_noise_reduction_state) {
    const std::vector<std::pair<int, std::string>> cases = {
        {1, "VOCAPAN v3.5b 3.5e 11"},  {9, "VOCAPAN v3.5b 3.5e 91"},  {10, "VOCAPAN v3.5b 3.5e :1"},
        {11, "VOCAPAN v3.5b 3.5e ;1"}, {12, "VOCAPAN v3.5b 3.5e <1"}, {13, "VOCAPAN v3.5b 3.5e =1"},
        {14, "VOCAPAN v3.5b 3.5e >1"}, {0, "VOCAPAN v3.5b 3.5e"},     {15, "VOCAPAN v3.5b 3.5e"}};
    panel.state.nrOn = 1;
    for (const auto& [band, header] : cases) {
        panel.state.band = band;
        saveMemories(panel);
        const std::string file = readWholeFile("savmem.dat");
        EXPECT_EQ(file.substr(0, file.find('\r')), header) << "band " << band;
    }
}

}  // namespace
}  // namespace vocapan::testing
