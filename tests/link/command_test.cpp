// What leaves for the radio and what is read back: the VFO-B rewrite, the terminator, the
// last frequency command, the transcript, and the repair of reports below 1 MHz.
#include <gtest/gtest.h>

#include "controls/frequency_ops.h"
#include "link/command.h"
#include "panel/initialise_panel.h"
#include "panel_fixture.h"

namespace vocapan::testing {
namespace {

// A panel whose CAT port is open on the radio, as after start-up.
class CommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto& state = panel.panel.state;
        state.comPort = 5;
        state.baudRate = 38400;
        state.dataBits = 8;
        state.stopBits = 2;
        state.waveDir = "wave\\";
        openPanelPort(panel.panel, state.comPort);
    }
    void startTranscript() {
        auto& state = panel.panel.state;
        state.debugLog = 1;
        state.debugFile.open("debug.dat", std::ios::binary | std::ios::trunc);
    }
    void radioSends(const std::string& text) { panel.radioPort.inbound += text; }

    PanelFixture panel;
    PanelState& state = panel.panel.state;
};

struct SendCase {
    int vfoBTarget;
    std::string workText;
    std::string written;
    std::string lastFreqCommand;
};

void PrintTo(const SendCase& c, std::ostream* os) { *os << "'" << c.workText << "' with vfoBTarget " << c.vfoBTarget; }

class SendTable : public CommandTest, public ::testing::WithParamInterface<SendCase> {};

TEST_P(SendTable, command_as_the_radio_receives_it) {
    const SendCase& c = GetParam();
    state.vfoBTarget = c.vfoBTarget;
    state.lastFreqCommand = "unchanged";
    send(panel.panel, c.workText);
    EXPECT_EQ(panel.radioPort.written, c.written);
    EXPECT_EQ(state.workText, c.written);  // workText holds the command as sent
    EXPECT_EQ(state.lastFreqCommand, c.lastFreqCommand);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, SendTable,
    ::testing::Values(SendCase{1, "FA014074000", "FB014074000;", "FB014074000;"},  // working on VFO B
                      SendCase{0, "FA014074000", "FA014074000;", "FA014074000;"},
                      SendCase{1, "FB007100000", "FB007100000;", "FB007100000;"},  // FB is never rewritten
                      SendCase{0, "FA", "FA;", "unchanged"},                       // a poll is no frequency
                      SendCase{0, "FA012", "FA012;", "FA012;"},                    // six characters with ";"
                      SendCase{1, "MD02", "MD02;", "unchanged"}, SendCase{1, "SFA", "SFA;", "unchanged"}));

TEST_F(CommandTest, an_overlong_command_loses_its_tail_to_the_text_limit) {
    send(panel.panel, std::string(300, 'X'));
    EXPECT_EQ(panel.radioPort.written, std::string(254, 'X'));
}

TEST_F(CommandTest, without_a_port_commands_are_dropped_but_still_logged) {
    startTranscript();
    panel.panel.catLink.closeSerialPort(5);
    state.comPort = 0;
    send(panel.panel, "MD02");
    EXPECT_TRUE(panel.radioPort.written.empty());
    EXPECT_EQ(fileLines("debug.dat"), (std::vector<std::string>{"TX=MD02;"}));
}

TEST_F(CommandTest, every_command_adds_its_line_to_the_transcript_at_once) {
    startTranscript();
    send(panel.panel, "MD02");
    EXPECT_EQ(readFile("debug.dat"), "TX=MD02;\r\n");
    send(panel.panel, "FA");
    EXPECT_EQ(readFile("debug.dat"), "TX=MD02;\r\nTX=FA;\r\n");
}

TEST_F(CommandTest, a_query_waits_with_the_delay_prompt_and_reads_the_answer) {
    query(panel.panel, "GT0");
    EXPECT_EQ(panel.prompts(), (std::vector<std::string>{"delay"}));
    EXPECT_EQ(state.replyText.substr(0, 3), "GT0");
    EXPECT_EQ(state.replyCount, static_cast<int>(state.replyText.size()));
}

TEST_F(CommandTest, nothing_waiting_gives_an_empty_reply_and_no_transcript_line) {
    startTranscript();
    state.replyText = "old";
    readReply(panel.panel);
    EXPECT_EQ(state.replyText, "");
    EXPECT_EQ(state.replyCount, 0);
    EXPECT_EQ(readFile("debug.dat"), "");
}

TEST_F(CommandTest, a_report_below_one_megahertz_reads_as_one_megahertz_without_terminator) {
    startTranscript();
    radioSends("FA000500000;");
    readReply(panel.panel);
    EXPECT_EQ(state.replyText, "FA001000000");
    EXPECT_EQ(fileLines("debug.dat"), (std::vector<std::string>{"RX=FA001000000"}));
}

TEST_F(CommandTest, an_answer_behind_an_earlier_report_is_read_whole) {
    radioSends("FA014074000;GT01;");
    readReply(panel.panel);
    EXPECT_EQ(state.replyText, "FA014074000;GT01;");
    EXPECT_NE(state.replyText.find("GT0"), std::string::npos);
}

TEST_F(CommandTest, a_shorter_reply_leaves_nothing_of_a_longer_one) {
    radioSends("FA014074000;");
    readReply(panel.panel);
    radioSends("GT01;");
    readReply(panel.panel);
    EXPECT_EQ(state.replyText, "GT01;");
}

TEST_F(CommandTest, at_most_255_bytes_are_read_and_the_rest_waits) {
    radioSends(std::string(300, 'S'));
    readReply(panel.panel);
    EXPECT_EQ(state.replyText.size(), 255u);
    EXPECT_EQ(state.replyCount, 255);
    readReply(panel.panel);
    EXPECT_EQ(state.replyText.size(), 45u);
}

TEST(BandEntryFrequency, leading_zeros_of_the_megahertz_are_dropped) {
    EXPECT_EQ(bandEntryFrequencyText("01A007100000B0071000009990"), "7.100000");
    EXPECT_EQ(bandEntryFrequencyText("03A010100000B0100000009990"), "10.100000");
    EXPECT_EQ(bandEntryFrequencyText("01A001900000B0019000009990"), "1.900000");
    EXPECT_EQ(bandEntryFrequencyText("05A145000000B1450000009990"), "145.000000");
    EXPECT_EQ(bandEntryFrequencyText("05A000500000B1450000009990"), "0.500000");  // two zeros at most
}

TEST(Initialisation, a_memory_file_without_a_band_leaves_the_panel_on_40_metres) {
    PanelFixture panel;
    writeFile("savmem.dat", "VOCAPAN v3.5b 3.5e\r\n");
    panel.panel.state.comPort = 5;
    initialisePanel(panel.panel);
    EXPECT_EQ(panel.panel.state.band, 4);
    EXPECT_EQ(panel.panel.state.freqDisplayText, "7.100000");
    EXPECT_EQ(panel.commands(), (std::vector<std::string>{"VS0;"}));
}

TEST(Initialisation, start_values_replace_whatever_was_there_but_the_configuration_stays) {
    PanelFixture panel;
    auto& state = panel.panel.state;
    state.comPort = 5;
    state.baudRate = 4800;
    state.offsetDigits12 = "0600";
    state.keyerSpeed = 40;
    state.replyText = "stale";
    initialisePanel(panel.panel);
    EXPECT_EQ(state.keyerSpeed, 15);
    EXPECT_EQ(state.replyText, "");
    EXPECT_EQ(state.baudRate, 4800);
    EXPECT_EQ(state.offsetDigits12, "0600");
    EXPECT_EQ(state.toneCode, "999");
    EXPECT_EQ(state.memoryBank, 99);
    EXPECT_EQ(state.modeCommand[5], "MD0B");
    EXPECT_EQ(state.bandStack[6], "02A014200000B0142000009991");
    EXPECT_EQ(state.memorySlots[99], "9");
    EXPECT_EQ(panel.radioPort.baud, 4800);
}

}  // namespace
}  // namespace vocapan::testing
