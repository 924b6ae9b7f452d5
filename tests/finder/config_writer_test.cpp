// The talk programs' configurations after the radio was found: which files are rewritten, what
// they hold afterwards, what the operator hears when a file cannot be written or belongs to
// another program, and the panel reading back the port and speed from the file written.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

#include "finder/config_writer.h"
#include "finder_fixture.h"
#include "panel/configuration.h"

namespace portseek::testing {
namespace {

using Names = std::vector<std::string>;

struct RewriteCase {
    const char* what;
    FolderContents before;  // "<folder>" makes a folder of that name
    int port;
    int baud;
    FolderContents after;
    Names heard;                     // after "delay"
    const char* readOnly = nullptr;  // a file of `before` marked read-only
};

void PrintTo(const RewriteCase& rewrite, std::ostream* out) { *out << rewrite.what; }

class ConfigRewrite : public FinderTest, public ::testing::WithParamInterface<RewriteCase> {};

TEST_P(ConfigRewrite, found_radio_goes_into_the_talk_programs_file) {
    for (const auto& [name, bytes] : GetParam().before) {
        if (bytes == "<folder>")
            std::filesystem::create_directory(name);
        else
            writeFile(name, bytes);
    }
    if (GetParam().readOnly) {
        std::filesystem::permissions(GetParam().readOnly, std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::remove);
    }
    seek.state.searchResult = 1;
    seek.state.foundPort = GetParam().port;
    seek.state.foundBaud = GetParam().baud;

    writeConfiguration(seek);

    EXPECT_EQ(folder(), GetParam().after);
    Names heard{"delay"};
    heard.insert(heard.end(), GetParam().heard.begin(), GetParam().heard.end());
    EXPECT_EQ(spoken(), heard);
}

std::string numberedLines(int first, int last) {
    std::string text;
    for (int n = first; n <= last; ++n) text += "line" + std::to_string(n) + "\r\n";
    return text;
}

// The package's example vocapan.cfg with Windows line ends and the radio's port and speed.
std::string exampleWith(int port, int baud) {
    std::ifstream in(VOCAPAN_EXAMPLE_CONFIG, std::ios::binary);
    std::string text = "com=" + std::to_string(port) + "\r\nspeed=" + std::to_string(baud) + "\r\n";
    std::string line;
    for (int n = 1; std::getline(in, line); ++n) {
        if (n > 2) text += line + "\r\n";
    }
    return text;
}

const std::string kPendra = "com=1\r\nspeed=4800\r\n0\r\n\r\n2\r\n";
const std::string kVocapan = "com=7\r\nspeed=4800\r\n";
// An operator's vocapan.cfg from line 3 on: two-digit forms, an empty line after line 11,
// notes and blanks the panel never reads.
const std::string kOperatorRest =
    "swr=0\r\natu=2\r\npwroff=1\r\nrep10=-100\r\nrep6=-1000\r\nrep2=-600\r\nrep70=-500\r\nrelcom=12\r\n"
    "debug=1\r\n\r\nthe other radio on the left, FTX on the right\r\n  keep  \r\n";
const std::string kForeign = "com=5\r\nspeed=38400\r\npow=1\r\ntun=1\r\n";

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Finder, ConfigRewrite,
    ::testing::Values(
        RewriteCase{"empty lines dropped and name in capitals", {{"pendra.cfg", kPendra}}, 5, 38400,
                    {{"PENDRA.cfg", "com=5\r\nspeed=38400\r\n0\r\n2\r\n"}, {"vocapan.cfg", exampleWith(5, 38400)}},
                    {"cfuep"}},
        RewriteCase{"last of several wins",
                    {{"morlin.cfg", kPendra}, {"quisto.cfg", "com=2\r\nspeed=1200\r\nx\r\n"}},
                    3,
                    9600,
                    {{"morlin.cfg", kPendra}, {"QUISTO.cfg", "com=3\r\nspeed=9600\r\nx\r\n"},
                     {"vocapan.cfg", exampleWith(3, 9600)}},
                    {"cfuep"}},
        RewriteCase{"morlin alone and port 256 beyond the panel", {{"morlin.cfg", kPendra}}, 256, 115200,
                    {{"MORLIN.cfg", "com=256\r\nspeed=115200\r\n0\r\n2\r\n"}}, {"cfuep", "cfgnw"}},
        RewriteCase{"no talk program's file but a vocapan cfg of two lines", {{"vocapan.cfg", kVocapan}}, 3, 9600,
                    {{"vocapan.cfg", "com=3\r\nspeed=9600\r\n"}}, {"cfuep"}},
        RewriteCase{"a file of one line", {{"pendra.cfg", "com=1"}}, 3, 9600,
                    {{"PENDRA.cfg", "com=3\r\nspeed=9600\r\n"}, {"vocapan.cfg", exampleWith(3, 9600)}}, {"cfuep"}},
        RewriteCase{"lone CR and LF line ends", {{"pendra.cfg", "com=1\rspeed=4800\n0\r\r\n\n2\rlast"}}, 3, 9600,
                    {{"PENDRA.cfg", "com=3\r\nspeed=9600\r\n0\r\n2\r\nlast\r\n"}, {"vocapan.cfg", exampleWith(3, 9600)}},
                    {"cfuep"}},
        RewriteCase{"lines after the 19th kept", {{"pendra.cfg", numberedLines(1, 19) + "\r\n" + numberedLines(21, 30)}},
                    3, 9600,
                    {{"PENDRA.cfg", "com=3\r\nspeed=9600\r\n" + numberedLines(3, 19) + numberedLines(21, 30)},
                     {"vocapan.cfg", exampleWith(3, 9600)}},
                    {"cfuep"}},
        RewriteCase{"the file of an earlier search found again", {{"PENDRA.cfg", kPendra}}, 4, 2400,
                    {{"PENDRA.cfg", "com=4\r\nspeed=2400\r\n0\r\n2\r\n"}, {"vocapan.cfg", exampleWith(4, 2400)}},
                    {"cfuep"}},
        RewriteCase{"a stale temporary file is replaced", {{"pendra.cfg", kPendra}, {"PENDRA.cfg.tmp", "junk"}}, 5,
                    38400, {{"PENDRA.cfg", "com=5\r\nspeed=38400\r\n0\r\n2\r\n"}, {"vocapan.cfg", exampleWith(5, 38400)}},
                    {"cfuep"}},
        // The old file of the other name stays until the new one has its name.
        RewriteCase{"old file kept when the new name cannot be taken", {{"pendra.cfg", kPendra}, {"PENDRA.cfg", "<folder>"}},
                    3, 9600, {{"pendra.cfg", kPendra}, {"PENDRA.cfg", "<folder>"}, {"vocapan.cfg", exampleWith(3, 9600)}},
                    {"cfgnw", "cfuep"}},
        // The panel's own file.
        RewriteCase{"vocapan cfg with notes after line 11", {{"vocapan.cfg", "com=12\r\nspeed=4800\r\n" + kOperatorRest}},
                    4, 19200, {{"vocapan.cfg", "com=4\r\nspeed=19200\r\n" + kOperatorRest}}, {"cfuep"}},
        RewriteCase{"two digit port", {{"vocapan.cfg", "com=3\r\nspeed=38400\r\n" + kOperatorRest}}, 12, 115200,
                    {{"vocapan.cfg", "com=12\r\nspeed=115200\r\n" + kOperatorRest}}, {"cfuep"}},
        RewriteCase{"no vocapan cfg gets the package example", {}, 3, 9600, {{"vocapan.cfg", exampleWith(3, 9600)}},
                    {"cfuep"}},
        RewriteCase{"an empty vocapan cfg gets the package example", {{"vocapan.cfg", ""}}, 7, 1200,
                    {{"vocapan.cfg", exampleWith(7, 1200)}}, {"cfuep"}},
        RewriteCase{"plain line ends become CR LF", {{"vocapan.cfg", "com=1\nspeed=4800\n\nswr=0"}}, 3, 9600,
                    {{"vocapan.cfg", "com=3\r\nspeed=9600\r\n\r\nswr=0\r\n"}}, {"cfuep"}},
        RewriteCase{"read only vocapan cfg left alone", {{"vocapan.cfg", kVocapan}}, 3, 9600, {{"vocapan.cfg", kVocapan}},
                    {"cfgnw"}, "vocapan.cfg"},
        RewriteCase{"read only talk program's file left alone", {{"pendra.cfg", kPendra}}, 3, 9600,
                    {{"pendra.cfg", kPendra}, {"vocapan.cfg", exampleWith(3, 9600)}}, {"cfgnw", "cfuep"}, "pendra.cfg"},
        RewriteCase{"vocapan cfg without room for the new one",
                    {{"vocapan.cfg", kVocapan}, {"vocapan.cfg.tmp", "<folder>"}}, 3, 9600,
                    {{"vocapan.cfg", kVocapan}, {"vocapan.cfg.tmp", "<folder>"}}, {"cfgnw"}},
        RewriteCase{"another program's file left alone", {{"pendra.cfg", kPendra}, {"vocapan.cfg", kForeign}}, 3, 9600,
                    {{"PENDRA.cfg", "com=3\r\nspeed=9600\r\n0\r\n2\r\n"}, {"vocapan.cfg", kForeign}},
                    {"cfuep", "wrong", "conf"}},
        RewriteCase{"POW in capitals is no other program", {{"vocapan.cfg", "com=5\r\nspeed=38400\r\nPOW=1\r\n"}}, 3,
                    9600, {{"vocapan.cfg", "com=3\r\nspeed=9600\r\nPOW=1\r\n"}}, {"cfuep"}}),
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

    EXPECT_EQ(folder(),
              (FolderContents{
                  {"pendra.cfg", kPendra}, {"PENDRA.cfg.tmp", "<folder>"}, {"vocapan.cfg", exampleWith(3, 9600)}}));
    EXPECT_EQ(spoken(), (std::vector<std::string>{"delay", "cfgnw", "cfuep"}));
}

TEST_F(ConfigWriteFailure, unreadable_talk_program_file_is_announced_and_left_alone) {
    std::filesystem::create_directory("pendra.cfg");
    seek.state.foundPort = 3;
    seek.state.foundBaud = 9600;

    writeConfiguration(seek);

    EXPECT_EQ(folder(), (FolderContents{{"pendra.cfg", "<folder>"}, {"vocapan.cfg", exampleWith(3, 9600)}}));
    EXPECT_EQ(spoken(), (std::vector<std::string>{"delay", "cfgnw", "cfuep"}));
}

// The panel reads what the finder wrote with its own reader: the port and speed found, and
// every other setting as the operator's file or the package's example had it.
class PanelReadsBack : public FinderTest, public ::testing::WithParamInterface<std::tuple<int, int, bool>> {};

auto otherSettings(const vocapan::ConfigState& c) {
    return std::tie(c.swrOption, c.tunerMode, c.powerOffOnQuit, c.offsetSign10, c.offsetDigits10, c.offsetSign11,
                    c.offsetDigits11, c.offsetSign12, c.offsetDigits12, c.offsetSign13, c.offsetDigits13, c.relayPort,
                    c.debugLog);
}

TEST_P(PanelReadsBack, the_found_port_and_speed) {
    const auto [port, baud, operatorFile] = GetParam();
    const std::string before = operatorFile ? "com=5\r\nspeed=4800\r\n" + kOperatorRest : exampleWith(3, 38400);
    if (operatorFile) writeFile("vocapan.cfg", before);
    seek.state.foundPort = port;
    seek.state.foundBaud = baud;

    writeConfiguration(seek);

    vocapan::ConfigState old;
    vocapan::ConfigState now;
    ASSERT_EQ(vocapan::readConfiguration(before, old), vocapan::ConfigurationResult::Read);
    ASSERT_EQ(vocapan::readConfiguration(folder()["vocapan.cfg"], now), vocapan::ConfigurationResult::Read);
    EXPECT_EQ(now.comPort, port);
    EXPECT_EQ(now.baudRate, baud);
    EXPECT_EQ(otherSettings(now), otherSettings(old));
}

INSTANTIATE_TEST_SUITE_P(Finder, PanelReadsBack,
                         ::testing::Combine(::testing::Values(1, 9, 10, 12, 99),
                                            ::testing::Values(115200, 57600, 38400, 19200, 9600, 4800, 2400, 1200),
                                            ::testing::Bool()));

}  // namespace
}  // namespace portseek::testing
