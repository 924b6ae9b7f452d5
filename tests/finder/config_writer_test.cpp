// The talk program's configuration after the radio was found: which file is rewritten, what it
// holds afterwards, and what the operator hears when there is nothing to rewrite or the write
// fails.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "finder/config_writer.h"
#include "finder_fixture.h"

namespace portseek::testing {
namespace {

struct RewriteCase {
    const char* what;
    FolderContents before;
    int port;
    int baud;
    FolderContents after;
    std::string closingPrompt;
};

void PrintTo(const RewriteCase& rewrite, std::ostream* out) { *out << rewrite.what; }

class ConfigRewrite : public FinderTest, public ::testing::WithParamInterface<RewriteCase> {};

TEST_P(ConfigRewrite, found_radio_goes_into_the_talk_programs_file) {
    for (const auto& [name, bytes] : GetParam().before) writeFile(name, bytes);
    seek.state.searchResult = 1;
    seek.state.foundPort = GetParam().port;
    seek.state.foundBaud = GetParam().baud;

    writeConfiguration(seek);

    EXPECT_EQ(folder(), GetParam().after);
    EXPECT_EQ(spoken(), (std::vector<std::string>{"delay", GetParam().closingPrompt}));
}

std::string numberedLines(int first, int last) {
    std::string text;
    for (int n = first; n <= last; ++n) text += "line" + std::to_string(n) + "\r\n";
    return text;
}

const std::string kPendra = "com=1\r\nspeed=4800\r\n0\r\n\r\n2\r\n";
const std::string kVocapan = "com=7\r\nspeed=4800\r\n";

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Finder, ConfigRewrite,
    ::testing::Values(
        RewriteCase{"empty lines dropped and name in capitals", {{"pendra.cfg", kPendra}}, 5, 38400,
                    {{"PENDRA.cfg", "com=5\r\nspeed=38400\r\n0\r\n2\r\n"}}, "cfuep"},
        RewriteCase{"last of several wins",
                    {{"morlin.cfg", kPendra}, {"quisto.cfg", "com=2\r\nspeed=1200\r\nx\r\n"}},
                    3,
                    9600,
                    {{"morlin.cfg", kPendra}, {"QUISTO.cfg", "com=3\r\nspeed=9600\r\nx\r\n"}},
                    "cfuep"},
        RewriteCase{"morlin alone", {{"morlin.cfg", kPendra}}, 256, 115200,
                    {{"MORLIN.cfg", "com=256\r\nspeed=115200\r\n0\r\n2\r\n"}}, "cfuep"},
        RewriteCase{"no talk program's file", {{"vocapan.cfg", kVocapan}}, 3, 9600, {{"vocapan.cfg", kVocapan}},
                    "cfgnf"},
        RewriteCase{"a file of one line", {{"pendra.cfg", "com=1"}}, 3, 9600,
                    {{"PENDRA.cfg", "com=3\r\nspeed=9600\r\n"}}, "cfuep"},
        RewriteCase{"lone CR and LF line ends", {{"pendra.cfg", "com=1\rspeed=4800\n0\r\r\n\n2\rlast"}}, 3, 9600,
                    {{"PENDRA.cfg", "com=3\r\nspeed=9600\r\n0\r\n2\r\nlast\r\n"}}, "cfuep"},
        RewriteCase{"lines after the 19th kept", {{"pendra.cfg", numberedLines(1, 19) + "\r\n" + numberedLines(21, 30)}},
                    3, 9600, {{"PENDRA.cfg", "com=3\r\nspeed=9600\r\n" + numberedLines(3, 19) + numberedLines(21, 30)}},
                    "cfuep"},
        RewriteCase{"the file of an earlier search found again", {{"PENDRA.cfg", kPendra}}, 4, 2400,
                    {{"PENDRA.cfg", "com=4\r\nspeed=2400\r\n0\r\n2\r\n"}}, "cfuep"},
        RewriteCase{"a stale temporary file is replaced", {{"pendra.cfg", kPendra}, {"PENDRA.cfg.tmp", "junk"}}, 5,
                    38400, {{"PENDRA.cfg", "com=5\r\nspeed=38400\r\n0\r\n2\r\n"}}, "cfuep"}),
    [](const auto& info) {
        std::string name = info.param.what;
        for (char& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });
// clang-format on

using ConfigWriteFailure = FinderTest;

TEST_F(ConfigWriteFailure, unwritable_new_file_is_announced_and_old_file_kept) {
    writeFile("pendra.cfg", kPendra);
    std::filesystem::create_directory("PENDRA.cfg.tmp");  // the new content has nowhere to go
    seek.state.foundPort = 3;
    seek.state.foundBaud = 9600;

    writeConfiguration(seek);

    EXPECT_EQ(folder(), (FolderContents{{"pendra.cfg", kPendra}, {"PENDRA.cfg.tmp", "<folder>"}}));
    EXPECT_EQ(spoken(), (std::vector<std::string>{"delay", "cfgnf"}));
}

TEST_F(ConfigWriteFailure, unreadable_talk_program_file_is_announced_and_left_alone) {
    std::filesystem::create_directory("pendra.cfg");
    seek.state.foundPort = 3;
    seek.state.foundBaud = 9600;

    writeConfiguration(seek);

    EXPECT_EQ(folder(), (FolderContents{{"pendra.cfg", "<folder>"}}));
    EXPECT_EQ(spoken(), (std::vector<std::string>{"delay", "cfgnf"}));
}

}  // namespace
}  // namespace portseek::testing
