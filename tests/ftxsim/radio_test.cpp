// The simulated radio as the panel and the radio finder meet it: the answer forms of every
// query they rely on, set commands taken silently, commands split across writes, and the
// radio's moods (another model, silence, one line speed only).
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "ftxsim/radio.h"

namespace ftxsim {
namespace {

constexpr int kBaud = 38400;

struct Exchange {
    std::string sent;
    std::string answered;
};

class RadioTest : public ::testing::Test {
protected:
    std::string send(const std::string& bytes, int baud = kBaud) { return radio.receive(bytes, baud); }
    Radio radio;
};

TEST_F(RadioTest, fresh_radio_answers_every_query_in_its_fixed_width_form) {
    const std::vector<Exchange> cases = {
        {"ID;", "ID0840;"},
        {"FA;", "FA007100000;"},
        {"FB;", "FB007100000;"},
        {"SM0;", "SM0060;"},
        {"RM6;", "RM6000;"},
        {"RM4;", "RM4040;"},
        {"GT0;", "GT03;"},
        {"AG0;", "AG0050;"},
        {"AG1;", "AG1040;"},
        {"ML0;", "ML00;"},
        {"ML1;", "ML1050;"},
        {"PC;", "PC1100;"},
        {"PR0;", "PR00;"},
        {"PL;", "PL050;"},
        {"VX;", "VX0;"},
        {"BI;", "BI0;"},
        {"KS;", "KS020;"},
        {"MG;", "MG050;"},
        {"SQ0;", "SQ0000;"},
        {"AC;", "AC000;"},
        {"MD0;", "MD01;"},
        {"TX;", "TX0;"},
        {"EX030703;", "EX0307030;"},
        // What CAT software such as Hamlib asks at open and per call, and the panel's other settings.
        {"AI;", "AI0;"},
        {"VS;", "VS0;"},
        {"PS;", "PS1;"},
        {"FT;", "FT0;"},
        {"ST;", "ST0;"},
        {"MD1;", "MD11;"},
        {"SH0;", "SH0015;"},
        {"SH1;", "SH1015;"},
        {"PA0;", "PA00;"},
        {"RA0;", "RA00;"},
        {"CN00;", "CN00000;"},
        {"CT0;", "CT00;"},
        {"OS0;", "OS00;"},
        {"AN0;", "AN01;"},
        {"BC0;", "BC00;"},
        {"CO00;", "CO000000;"},
        {"RG0;", "RG0255;"},
        {"NA0;", "NA00;"},
        {"IF;", "IF000007100000+000000100000;"},
    };
    for (const auto& c : cases) EXPECT_EQ(send(c.sent), c.answered) << "query " << c.sent;
}

TEST_F(RadioTest, frequency_answer_has_its_terminator_as_twelfth_character) {
    radio.vfoAHz = 145500000;
    const std::string answer = send("FA;");
    ASSERT_EQ(answer.size(), 12u);
    EXPECT_EQ(answer, "FA145500000;");
}

TEST_F(RadioTest, set_commands_change_what_the_radio_answers_without_answering_themselves) {
    const std::vector<std::vector<Exchange>> cases = {
        {{"FA014074000;", ""}, {"FA;", "FA014074000;"}},
        {{"FB021074000;", ""}, {"FB;", "FB021074000;"}, {"FA;", "FA007100000;"}},
        {{"MD02;", ""}, {"MD0;", "MD02;"}},
        {{"AG0030;", ""}, {"AG0;", "AG0030;"}, {"AG1;", "AG1040;"}},
        {{"PC2010;", ""}, {"PC;", "PC2010;"}},
        {{"ML1100;", ""}, {"ML01;", ""}, {"ML1;", "ML1100;"}, {"ML0;", "ML01;"}},
        {{"GT02;", ""}, {"GT0;", "GT02;"}},
        {{"VX1;", ""}, {"BI1;", ""}, {"VX;", "VX1;"}, {"BI;", "BI1;"}},
        {{"KS030;", ""}, {"MG070;", ""}, {"KS;", "KS030;"}, {"MG;", "MG070;"}},
        {{"EX0103180012;", ""}, {"EX010318;", "EX0103180012;"}},
        {{"PS0;", ""}, {"PS;", "PS0;"}},
        {{"TX1;", ""}, {"TX;", "TX1;"}, {"RM6;", "RM6085;"}, {"TX0;", ""}, {"RM6;", "RM6000;"}},
        {{"FA014074000;FB021074000;SV;", ""}, {"FA;FB;", "FA021074000;FB014074000;"}},
        {{"MD02;MD14;SV;", ""}, {"MD0;MD1;", "MD04;MD12;"}},
        {{"FA014074000;MD02;AB;", ""},
         {"FB;MD1;", "FB014074000;MD12;"},
         {"FB021074000;BA;", ""},
         {"FA;", "FA021074000;"}},
        {{"FT1;", ""}, {"FT;ST;", "FT1;ST1;"}, {"ST0;", ""}, {"FT;", "FT0;"}, {"ST1;FT2;", ""}, {"ST;", "ST0;"}},
        {{"FA145500000;MD04;CT02;OS02;", ""}, {"IF;", "IF000145500000+000000402002;"}},
        {{"CN00012;CN01054;CO011200;", ""}, {"CN00;CN01;CO01;", "CN00012;CN01054;CO011200;"}},
        {{"PA11;PA21;RG1000;", ""}, {"PA1;PA2;PA0;RG1;", "PA11;PA21;PA00;RG1000;"}},
        {{"AI1;", ""}, {"AI;", "AI1;"}, {"AI0;", ""}, {"AI;", "AI0;"}},
        // The band memory: a band select leaves the band where it was and returns to where the new
        // band was left, frequency and mode; Hamlib's form without the receiver digit does the same.
        {{"FA007074000;BS005;", ""},
         {"FA;MD0;", "FA014000000;MD02;"},
         {"FA014074000;MD03;BS003;", ""},
         {"FA;MD0;", "FA007074000;MD01;"},
         {"BS05;", ""},
         {"FA;MD0;", "FA014074000;MD03;"}},
        {{"BS015;", ""}, {"FA;MD0;", "FA144000000;MD04;"}, {"BS011;", ""}, {"FA;", "FA015000000;"}},
        {{"VS1;BS016;", ""}, {"FA;FB;MD1;", "FA007100000;FB430000000;MD14;"}},
    };
    for (const auto& session : cases) {
        Radio fresh;
        std::vector<std::string> expected, got;
        for (const auto& step : session) {
            expected.push_back(step.sent + " -> " + step.answered);
            got.push_back(step.sent + " -> " + fresh.receive(step.sent, kBaud));
        }
        EXPECT_EQ(got, expected);
    }
}

TEST_F(RadioTest, every_set_command_the_panel_sends_is_taken_without_a_word) {
    const std::string panelSets =
        "VS0;EX0307030;EX0307040;BS003;BS016;RA00;NL0000;CO000000;CO00001;GT02;AG0030;AG1030;"
        "AC100;AC000;OS01;OS02;OS00;EX0103180012;CN00012;CN01100;CT01;CT00;PA00;PA11;PA21;"
        "SH0015;ZI;ST1;ST0;NA01;BC01;EX0863;EX0860;RL010;PR01;PL050;ML1100;MD05;MD0B;MD0H;"
        "PC1005;KS025;MG050;VX1;BI0;TX1;TX0;SV;BS000;BS009;BS010;BS011;BS015;CN01100;CO011200;CO00000;RG1000;"
        "RG0000;NL0005;RL004;RL000;PA01;PA02;PA10;EX0103190152;ST1;ST0;FB014074000;RA01;PS0;";
    std::vector<std::string> answered;
    std::size_t start = 0;
    for (std::size_t end = panelSets.find(';'); end != std::string::npos; end = panelSets.find(';', start)) {
        const std::string command = panelSets.substr(start, end + 1 - start);
        const std::string answer = send(command);
        if (!answer.empty()) answered.push_back(command + " -> " + answer);
        start = end + 1;
    }
    EXPECT_EQ(answered, std::vector<std::string>{});
}

TEST_F(RadioTest, commands_it_does_not_know_are_refused) {
    const std::vector<Exchange> cases = {
        {"QQ;", "?;"},    {"fa;", "?;"},       {"F;", "?;"},      {"FA12;", "?;"},  {"FA01407400X;", "?;"},
        {"ID1;", "?;"},   {"EX03A703;", "?;"}, {"SM;", "?;"},     {"IF0;", "?;"},   {"BS;", "?;"},
        {"BS012;", "?;"}, {"BS0A3;", "?;"},    {"BS1003;", "?;"}, {"BS017;", "?;"},
    };
    for (const auto& c : cases) EXPECT_EQ(send(c.sent), c.answered) << "command " << c.sent;
    EXPECT_EQ(radio.vfoAHz, 7100000) << "a refused frequency or band must not retune the radio";
}

TEST_F(RadioTest, radio_finder_probe_is_answered_with_the_frequency) {
    EXPECT_EQ(send(";;;"), "");
    EXPECT_EQ(send("FA;"), "FA007100000;");
    const std::vector<std::string> heard = {";", ";", ";", "FA;"};
    EXPECT_EQ(radio.commands(), heard);
}

TEST_F(RadioTest, commands_split_across_writes_are_put_together) {
    EXPECT_EQ(send("F"), "");
    EXPECT_EQ(send("A"), "");
    EXPECT_EQ(send(";SM0;F"), "FA007100000;SM0060;");
    EXPECT_EQ(send("A0140"), "");
    EXPECT_EQ(send("74000;ID;"), "ID0840;");
    EXPECT_EQ(radio.vfoAHz, 14074000);
    const std::vector<std::string> heard = {"FA;", "SM0;", "FA014074000;", "ID;"};
    EXPECT_EQ(radio.commands(), heard);
}

TEST_F(RadioTest, line_ends_typed_between_commands_are_skipped) {
    EXPECT_EQ(send("ID;\r\nFA;\n  MD0;"), "ID0840;FA007100000;MD01;");
}

TEST_F(RadioTest, runaway_text_without_terminator_does_not_grow_without_end) {
    EXPECT_EQ(send(std::string(1000, 'X')), "");
    EXPECT_EQ(send(";FA;"), "?;FA007100000;");
    EXPECT_LE(radio.commands().front().size(), Radio::kBufferLimit + 1);
}

TEST(RadioMoods, another_model_answers_its_own_identity) {
    Radio radio({.id = "0650"});
    EXPECT_EQ(radio.receive("ID;", kBaud), "ID0650;");
}

TEST(RadioMoods, silent_radio_obeys_but_never_answers) {
    Radio radio({.silent = true});
    EXPECT_EQ(radio.receive("ID;FA014074000;FA;", kBaud), "");
    EXPECT_EQ(radio.vfoAHz, 14074000);
    const std::vector<std::string> heard = {"ID;", "FA014074000;", "FA;"};
    EXPECT_EQ(radio.commands(), heard);
}

TEST(RadioMoods, radio_at_one_speed_hears_only_garble_at_any_other) {
    Radio radio({.onlyBaud = 9600});
    for (const int baud : {115200, 57600, 38400, 19200, 4800}) {
        EXPECT_EQ(radio.receive(";;;FA;", baud), "") << baud << " baud";
    }
    EXPECT_TRUE(radio.commands().empty());
    EXPECT_EQ(radio.garbledBytes(), 30u);
    EXPECT_EQ(radio.receive(";;;FA;", 9600), "FA007100000;");
}

TEST(RadioMoods, garble_spoils_the_command_being_assembled) {
    Radio radio({.onlyBaud = 9600});
    EXPECT_EQ(radio.receive("F", 9600), "");
    EXPECT_EQ(radio.receive("xx", 4800), "");
    EXPECT_EQ(radio.receive("A;", 9600), "?;");
}

TEST_F(RadioTest, injected_report_goes_out_ahead_of_the_next_answer) {
    radio.injectReport("RM4050;");
    EXPECT_EQ(send("VS0;"), "") << "a set command carries nothing back";
    EXPECT_EQ(send("FA;"), "RM4050;FA007100000;");
    radio.injectReport("FA014074000;");
    EXPECT_EQ(radio.takePending(), "FA014074000;");
    EXPECT_EQ(radio.takePending(), "");
}

TEST_F(RadioTest, s_meter_flickers_around_the_signal_level) {
    radio.signalLevel = 100;
    radio.sMeter = 100;
    radio.advance(Radio::kMeterStepMs - 1);
    EXPECT_EQ(send("SM0;"), "SM0100;") << "the meter moves only once a step of time has passed";
    std::set<int> seen;
    for (int i = 0; i < 60; ++i) {
        radio.advance(Radio::kMeterStepMs);
        seen.insert(radio.sMeter);
        EXPECT_GE(radio.sMeter, 88);
        EXPECT_LE(radio.sMeter, 112);
    }
    EXPECT_GT(seen.size(), 3u);
    char expected[16];
    std::snprintf(expected, sizeof expected, "SM0%03d;", radio.sMeter);
    EXPECT_EQ(send("SM0;"), expected);
}

TEST_F(RadioTest, tuner_cycle_shows_swr_until_it_ends) {
    EXPECT_EQ(send("AC100;AC103;"), "");
    EXPECT_EQ(send("RM6;"), "RM6085;");
    radio.advance(Radio::kTuneMs - 1);
    EXPECT_TRUE(radio.tuning);
    radio.advance(1);
    EXPECT_FALSE(radio.tuning);
    EXPECT_EQ(send("RM6;AC;"), "RM6000;AC101;");
}

TEST_F(RadioTest, operator_at_the_radio_turns_the_dial_and_presses_a_mode_button) {
    radio.turnDial({14074000, 14075000, 14076000}, 100, 500);
    radio.pressModeButton("2", 650);
    // Milliseconds waited, then what the panel's frequency and mode queries find.
    const std::vector<std::pair<int, std::string>> moments = {
        {0, "FA007100000;MD01;"},   {499, "FA007100000;MD01;"}, {1, "FA014074000;MD01;"},
        {100, "FA014075000;MD01;"}, {100, "FA014076000;MD02;"}, {1000, "FA014076000;MD02;"},
    };
    int elapsed = 0;
    for (const auto& [wait, answer] : moments) {
        radio.advance(wait);
        elapsed += wait;
        EXPECT_EQ(send("FA;MD0;"), answer) << "at " << elapsed << " ms";
    }
    EXPECT_EQ(radio.takePending(), "") << "auto information is off";
    send("AI1;");
    radio.turnDial({7074000}, 100, 0);
    radio.pressModeButton("3", 0);
    radio.advance(1);
    EXPECT_EQ(radio.takePending(), "FA007074000;MD03;");
}

TEST_F(RadioTest, mic_level_reports_come_unasked_while_switched_on) {
    radio.advance(2 * Radio::kMeterStepMs);
    EXPECT_EQ(radio.takePending(), "");
    radio.micReports = true;
    radio.micLevel = 7;
    radio.advance(2 * Radio::kMeterStepMs);
    EXPECT_EQ(radio.takePending(), "RM4007;RM4007;");
}

}  // namespace
}  // namespace ftxsim
