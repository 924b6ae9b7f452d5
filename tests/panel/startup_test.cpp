// The program from start to end: the greeting, the configuration paths, the window, and
// the shutdown sequence, seen as the operator and the radio see them.
#include <gtest/gtest.h>

#include "core/key_codes.h"
#include "key_session.h"
#include "panel/event_handler.h"
#include "panel/poll_cycle.h"
#include "panel_fixture.h"

namespace vocapan::testing {
namespace {

using Prompts = std::vector<std::string>;
const Prompts kGreeting{"ftx", "3", "point", "5"};

Prompts greetingThen(const Prompts& more) {
    Prompts all = kGreeting;
    all.insert(all.end(), more.begin(), more.end());
    return all;
}

TEST(Startup, without_a_configuration_the_operator_hears_it_is_missing_and_nothing_is_opened) {
    PanelFixture panel;
    panel.runProgram();
    EXPECT_EQ(panel.prompts(), greetingThen({"cfgnf"}));
    EXPECT_EQ(panel.fake.braille.flashed.back(), "configuration file not found");  // the braille display too
    EXPECT_EQ(panel.fake.sound.played[0], "wave\\ftx.wav");
    EXPECT_EQ(panel.fake.sound.played[1], "wave\\3.wav");
    EXPECT_TRUE(panel.fake.serial.openAttempts.empty());
    EXPECT_FALSE(fileExists("savmem.dat"));
}

struct UnusableConfigurationCase {
    const char* name;
    ConfigLines config;
    Prompts heard;
};

void PrintTo(const UnusableConfigurationCase& c, std::ostream* os) { *os << c.name; }

ConfigLines configWith(std::string ConfigLines::*line, const std::string& value) {
    ConfigLines config;
    config.*line = value;
    config.powerOff = "pwroff=1";  // would switch the radio off, but the radio is never reached
    return config;
}

class UnusableConfiguration : public ::testing::TestWithParam<UnusableConfigurationCase> {};

TEST_P(UnusableConfiguration, is_refused_without_touching_the_radio) {
    const UnusableConfigurationCase& c = GetParam();
    PanelFixture panel;
    writeFile("vocapan.cfg", c.config.text());
    panel.runProgram();
    EXPECT_EQ(panel.prompts(), greetingThen(c.heard));
    EXPECT_TRUE(panel.fake.serial.openAttempts.empty());
    EXPECT_TRUE(panel.radioPort.written.empty());
    EXPECT_TRUE(panel.fake.window.wasClosed);
    EXPECT_FALSE(fileExists("savmem.dat"));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Cases, UnusableConfiguration,
    ::testing::Values(
        UnusableConfigurationCase{"another_programs", configWith(&ConfigLines::swr, "pow=1"), {"wrong", "conf"}},
        UnusableConfigurationCase{"a_port_that_is_not_a_number", configWith(&ConfigLines::port, "com=x"), {"cfgerr"}},
        UnusableConfigurationCase{"a_speed_of_0", configWith(&ConfigLines::speed, "speed=0"), {"cfgerr"}},
        UnusableConfigurationCase{"a_speed_no_port_runs_at", configWith(&ConfigLines::speed, "speed=12345"), {"cfgerr"}}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// The panel starts with line 14 as given; once the radio has answered, the operator presses
// the keys, and closes the window after `ticks` ticks of the poll.
void runWithKeys(PanelFixture& panel, const std::string& voiceLine, const std::vector<int>& keys, int ticks = 8) {
    ConfigLines config;
    config.voice = voiceLine;
    writeFile("vocapan.cfg", config.text());
    panel.fake.window.ticksToDeliver = ticks;
    int polls = 0;
    auto radioAnswers = panel.radioPort.responder;
    panel.radioPort.responder = [&, radioAnswers, keys](const std::string& written, int baud,
                                                        const platform::LineFormat& format) {
        if (written == "FA;" && ++polls == 2) {
            for (const int key : keys) {
                panel.fake.window.post({platform::MessageKind::KeyDown, key, 0});
                panel.fake.window.post({platform::MessageKind::KeyUp, key, 0});
            }
        }
        return radioAnswers(written, baud, format);
    };
    panel.runProgram();
}

// F, then Backspace: the frequency readout, then the last phrase again.
void frequencyReadoutSaidTwice(PanelFixture& panel, const std::string& voiceLine) {
    runWithKeys(panel, voiceLine, {int('F'), vk::kBackspace});
}

std::vector<std::string> lastPlayed(const PanelFixture& panel, std::size_t count) {
    const auto& played = panel.fake.sound.played;
    return {played.end() - static_cast<long>(std::min(count, played.size())), played.end()};
}

TEST(Startup, the_fastest_voice_plays_its_own_recordings_and_the_first_voice_fills_its_gaps) {
    PanelFixture panel;
    panel.fake.sound.missing = {"wave3\\lsb.wav"};
    frequencyReadoutSaidTwice(panel, "voice=3");
    EXPECT_EQ(panel.fake.sound.played.front(), "wave3\\ftx.wav");
    const std::vector<std::string> readout{"wave3\\7.wav", "wave3\\point.wav", "wave3\\1.wav", "wave3\\mhz.wav",
                                           "wave\\lsb.wav"};
    std::vector<std::string> twice = readout;
    twice.insert(twice.end(), readout.begin(), readout.end());
    EXPECT_EQ(lastPlayed(panel, twice.size()), twice);
    EXPECT_TRUE(panel.fake.reader.said.empty());
}

TEST(Startup, the_screen_readers_voice_gets_each_phrase_as_words_and_only_the_reply_pauses_play) {
    PanelFixture panel;
    frequencyReadoutSaidTwice(panel, "voice=reader");
    const std::vector<std::string> said = panel.fake.reader.said;
    ASSERT_GE(said.size(), 4u);
    EXPECT_EQ(said.front(), "FTX panel three point five");
    EXPECT_EQ(std::vector<std::string>(said.end() - 2, said.end()),
              std::vector<std::string>(2, "seven point one megahertz LSB"));
    for (const auto& path : panel.fake.sound.played) EXPECT_EQ(path, "wave\\delay.wav");
}

TEST(Startup, without_a_screen_reader_the_recorded_voice_speaks_and_says_so_once) {
    PanelFixture panel;
    panel.fake.reader.reachable = false;
    frequencyReadoutSaidTwice(panel, "voice=reader");
    const auto heard = panel.prompts();
    EXPECT_EQ(Prompts(heard.begin(), heard.begin() + 5), greetingThen({"noreader"}));
    EXPECT_EQ(std::count(heard.begin(), heard.end(), "noreader"), 1);
    EXPECT_EQ(Prompts(heard.end() - 2, heard.end()), (Prompts{"mhz", "lsb"}));
    EXPECT_TRUE(panel.fake.reader.said.empty());
}

// A connected panel in the screen reader's voice; keys and ticks go through the event handler.
struct ReaderSession {
    ReaderSession() {
        connectSession(fixture);
        auto& state = fixture.panel.state;
        state.voice = 4;
        state.readerChosen = 1;
        state.mode = 2;
        fixture.fake.reader.stateNow = platform::ReaderState::Listening;
    }
    void keys(const std::string& typed) { typeKeys(fixture, typed); }
    void ticks(int count) {
        for (int i = 0; i < count; ++i) handleMessage(fixture.panel, {platform::MessageKind::Timer, 0, kPollTimer});
    }
    PanelFixture fixture;
};

const std::string kReadout = "seven point one megahertz USB";
const Prompts kReadoutPrompts{"7", "point", "1", "mhz", "usb"};

TEST(ScreenReaderVoice, unkeying_silences_what_the_reader_is_saying_first) {
    ReaderSession session;
    session.keys("Space F Space");
    EXPECT_EQ(session.fixture.fake.reader.said, (Prompts{"transmit on", kReadout, "(cancel)", "transmit off"}));
    EXPECT_EQ(session.fixture.commands(), (Prompts{"TX1;", "TX0;"}));
}

TEST(ScreenReaderVoice, a_reader_that_stops_taking_phrases_is_said_once_and_nothing_is_lost) {
    ReaderSession session;
    auto& reader = session.fixture.fake.reader;
    session.keys("F");
    // It never took the readout: at the next tick the recorded voice says why, then the readout.
    reader.stateNow = platform::ReaderState::Gone;
    reader.untakenNow = 1;
    reader.reachable = false;
    session.ticks(1);
    Prompts heard{"noreader"};
    heard.insert(heard.end(), kReadoutPrompts.begin(), kReadoutPrompts.end());
    EXPECT_EQ(session.fixture.prompts(), heard);
    // From then on the recorded voice speaks, and says why no more.
    session.fixture.clearRecords();
    session.keys("F");
    EXPECT_EQ(session.fixture.prompts(), kReadoutPrompts);
    EXPECT_EQ(reader.said, Prompts{kReadout});
    // It is looked for again while away, and speaks once it answers.
    EXPECT_GE(reader.reconnects, 1);
    reader.reachable = true;
    session.ticks(2);  // asked again, then found answering
    session.fixture.clearRecords();
    session.keys("F");
    EXPECT_TRUE(session.fixture.prompts().empty());
    EXPECT_EQ(reader.said, (Prompts{kReadout, kReadout}));
}

TEST(ScreenReaderVoice, a_phrase_found_with_the_reader_gone_is_said_in_the_recorded_voice_after_the_word_why) {
    ReaderSession session;
    session.fixture.fake.reader.stateNow = platform::ReaderState::Gone;
    session.keys("F");
    Prompts heard{"noreader"};
    heard.insert(heard.end(), kReadoutPrompts.begin(), kReadoutPrompts.end());
    EXPECT_EQ(session.fixture.prompts(), heard);
    EXPECT_TRUE(session.fixture.fake.reader.said.empty());
}

TEST(ScreenReaderVoice, while_another_window_has_the_focus_the_recorded_voice_speaks_without_a_word_why) {
    ReaderSession session;
    session.fixture.fake.reader.stateNow = platform::ReaderState::Elsewhere;
    session.keys("F");
    EXPECT_EQ(session.fixture.prompts(), kReadoutPrompts);
    session.fixture.fake.reader.stateNow = platform::ReaderState::Listening;
    session.keys("F");
    EXPECT_EQ(session.fixture.fake.reader.said, Prompts{kReadout});
}

TEST(ScreenReaderVoice, reaching_the_reader_at_start_waits_a_second_at_most) {
    PanelFixture panel;
    frequencyReadoutSaidTwice(panel, "voice=reader");
    EXPECT_EQ(panel.fake.reader.connectTimeoutsMs, std::vector<int>{1000});
}

struct BrailleCase {
    const char* name;
    std::string voiceLine;
    std::vector<int> keys;
    std::string lastPhrase;
    std::string frequencyLine;
};

TEST(Startup, the_braille_display_shows_each_phrase_for_four_seconds_then_the_frequency_line_in_every_voice) {
    // clang-format off
    const std::vector<BrailleCase> cases{
        {"recorded voice, F", "voice=1", {int('F')}, "seven point one megahertz LSB", "7.100000"},
        {"screen reader, F", "voice=reader", {int('F')}, "seven point one megahertz LSB", "7.100000"},
        {"a tuning key says nothing", "voice=1", {int('F'), vk::kRight}, "seven point one megahertz LSB", "7.100100"},
    };
    // clang-format on
    for (const BrailleCase& c : cases) {
        PanelFixture panel;
        auto& braille = panel.fake.braille;
        runWithKeys(panel, c.voiceLine, c.keys, 16);  // the radio reports a tuned frequency at a later poll
        EXPECT_EQ(braille.starts, 1) << c.name;
        ASSERT_FALSE(braille.flashed.empty()) << c.name;
        EXPECT_EQ(braille.flashed.front(), "FTX panel three point five") << c.name;
        EXPECT_EQ(braille.flashed.back(), c.lastPhrase) << c.name;
        braille.now = platform::BrailleTime(3999);
        EXPECT_EQ(braille.shown(), c.lastPhrase) << c.name;
        braille.now = platform::BrailleTime(4000);
        EXPECT_EQ(braille.shown(), c.frequencyLine) << c.name;
        braille.press(platform::BrailleKey::LineDown);
        EXPECT_TRUE(braille.shown().starts_with("LSB")) << c.name << ": " << braille.shown();
    }
}

TEST(Startup, the_panel_window_has_its_title_place_and_size) {
    PanelFixture panel;
    writeFile("vocapan.cfg", ConfigLines{}.text());
    panel.runProgram();
    EXPECT_EQ(panel.fake.window.title, "*** Vocapan Front Panel v3.5e ***");
    EXPECT_EQ(panel.fake.window.geometry, (platform::WindowGeometry{250, 100, 950, 500}));
}

TEST(Startup, the_banner_and_the_key_guide_are_drawn) {
    PanelFixture panel;
    writeFile("vocapan.cfg", ConfigLines{}.text());
    panel.runProgram();
    const auto& drawn = panel.fake.window.drawn;
    ASSERT_GE(drawn.size(), 4u);
    EXPECT_EQ(drawn[0].text, "*** Vocapan V 3.5e ***");
    EXPECT_EQ(drawn[0].x, 0);
    EXPECT_EQ(drawn[0].y, 0);
    EXPECT_EQ(drawn[1].y, 0);  // the notice follows the banner on its line
    EXPECT_EQ(drawn[1].x, platform::fake::FakePanelWindow::kCharWidth * 22);
    EXPECT_EQ(drawn[2].x, 140);
    EXPECT_EQ(drawn[2].y, 380);
    EXPECT_EQ(drawn[2].text,
              "b=Band  f=Freq  e=Entry m=Mode  w=Filter width p=Power a=af gain r=RF gain q=Quit  s=SMeter/swr");
    EXPECT_EQ(drawn[3].x, 140);
    EXPECT_EQ(drawn[3].y, 405);
    EXPECT_EQ(drawn[3].text, "F1=Preamp F2=Attenuator F3=Noise Blanker F4=Noise Reduction F5=Notch F6=Speech Proc.");
}

TEST(Startup, the_radio_hears_vfo_a_selected_before_anything_else) {
    PanelFixture panel;
    writeFile("vocapan.cfg", ConfigLines{}.text());
    panel.runProgram();
    ASSERT_FALSE(panel.commands().empty());
    EXPECT_EQ(panel.commands().front(), "VS0;");
    EXPECT_EQ(panel.radioPort.baud, 38400);
    EXPECT_EQ(panel.radioPort.format, (platform::LineFormat{8, 0, 2}));
    EXPECT_EQ(panel.radioPort.timeouts.intervalMs, platform::ReadTimeouts::kReturnAtOnce);
}

TEST(Startup, closing_the_window_saves_the_memories_closes_the_window_and_releases_the_port) {
    PanelFixture panel;
    writeFile("vocapan.cfg", ConfigLines{}.text());
    panel.fake.window.post({platform::MessageKind::CloseRequest, 0, 0});
    panel.runProgram();
    EXPECT_TRUE(panel.fake.window.wasClosed);
    EXPECT_FALSE(panel.fake.window.timerRunning);
    EXPECT_FALSE(panel.radioPort.open);
    EXPECT_EQ(fileLines("savmem.dat").size(), 115u);
    const auto commands = panel.commands();
    EXPECT_EQ(std::find(commands.begin(), commands.end(), "PS0;"), commands.end());
}

TEST(Startup, power_off_on_quit_switches_the_radio_off_last_after_the_window_closed) {
    PanelFixture panel;
    ConfigLines config;
    config.powerOff = "pwroff=1";
    writeFile("vocapan.cfg", config.text());
    bool windowClosedFirst = false;
    bool memoriesSavedFirst = false;
    auto radioAnswers = panel.radioPort.responder;
    panel.radioPort.responder = [&](const std::string& written, int baud, const platform::LineFormat& format) {
        if (written == "PS0;") {
            windowClosedFirst = panel.fake.window.wasClosed;
            memoriesSavedFirst = fileExists("savmem.dat");
        }
        return radioAnswers(written, baud, format);
    };
    panel.runProgram();
    ASSERT_FALSE(panel.commands().empty());
    EXPECT_EQ(panel.commands().back(), "PS0;");
    EXPECT_TRUE(windowClosedFirst);
    EXPECT_TRUE(memoriesSavedFirst);
    EXPECT_EQ(panel.prompts().back(), "delay");  // the radio is given time to switch off
}

TEST(Startup, the_debug_transcript_starts_with_its_header_and_the_first_command) {
    PanelFixture panel;
    ConfigLines config;
    config.debug = "debug=1";
    writeFile("vocapan.cfg", config.text());
    writeFile("debug.dat", "old transcript\r\n");
    panel.runProgram();
    const auto lines = fileLines("debug.dat");
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0], "VOCAPAN 3.5e  07-12-2026   13:05:09");
    EXPECT_EQ(lines[1], "Comport= 5  Speed= 38400 Baud");
    EXPECT_EQ(lines[2], "TX=VS0;");
    EXPECT_EQ(readFile("debug.dat").find("old transcript"), std::string::npos);
}

TEST(Startup, without_debugging_no_transcript_is_touched) {
    PanelFixture panel;
    writeFile("vocapan.cfg", ConfigLines{}.text());
    writeFile("debug.dat", "kept\r\n");
    panel.runProgram();
    EXPECT_EQ(readFile("debug.dat"), "kept\r\n");
}

}  // namespace
}  // namespace vocapan::testing
