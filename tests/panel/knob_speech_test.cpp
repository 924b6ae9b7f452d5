// The operator turns the radio's own dial or presses its mode button, or another program
// tunes it through the relay: with "knob=1" on line 13 the panel says where the radio
// stopped, once; without it the panel stays silent and asks the radio nothing new.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "controls/frequency_ops.h"
#include "controls/mode_change.h"
#include "panel/event_handler.h"
#include "panel_fixture.h"
#include "panel_session.h"

namespace vocapan::testing {
namespace {

using Strings = std::vector<std::string>;

constexpr int kTickMs = 50;
constexpr int kPromptMs = 300;  // the radio's clock runs on while a prompt plays
constexpr int kRelayPort = 7;
constexpr int kRunMs = 3000;

struct KnobCase {
    const char* name;
    bool knobOn;
    std::function<void(PanelFixture&)> act;  // what happens once the panel is connected
    Strings heard;                           // every prompt from then on
    Strings sent;                            // the commands other than the polls
};

void pressKey(PanelFixture& f, int code) {
    handleMessage(f.panel, {platform::MessageKind::KeyDown, code, 0});
    handleMessage(f.panel, {platform::MessageKind::KeyUp, code, 0});
}

void fromOtherProgram(PanelFixture& f, const std::string& text) { f.fake.serial.device(kRelayPort)->inbound += text; }

void turnDial(PanelFixture& f, std::vector<long long> frequencies, int stepMs = 100) {
    f.radio.turnDial(frequencies, stepMs, 100);
}

// The frequency and meter polls alternate, one every other tick; the mode may only ride on
// the frequency poll. The rest is returned.
Strings checkPollsAndTakeTheRest(const Strings& commands, bool modeAsked) {
    Strings rest;
    std::string nextPoll = "FA;";
    std::string previous;
    int modeQuestions = 0;
    for (const auto& command : commands) {
        if (command == "MD0;") {
            EXPECT_EQ(previous, "FA;") << "the mode was asked outside the frequency poll";
            ++modeQuestions;
        } else if (command == "FA;" || command == "SM0;") {
            EXPECT_EQ(command, nextPoll);
            nextPoll = command == "FA;" ? "SM0;" : "FA;";
        } else {
            rest.push_back(command);
        }
        previous = command;
    }
    EXPECT_EQ(modeQuestions, modeAsked ? kRunMs / 1000 : 0);  // once a second, or never
    return rest;
}

TEST(KnobSpeech, changes_made_at_the_radio_are_spoken_once_where_they_stop) {
    const Strings at7074{"7", "point", "0", "7", "4", "mhz"};
    const Strings at20m14074{"20", "metres", "1", "4", "point", "0", "7", "4", "mhz"};
    // clang-format off
    const std::vector<KnobCase> cases{
        {"without line 13 nothing is spoken and nothing new is asked", false,
         [](PanelFixture& f) { turnDial(f, {7074000}); f.radio.pressModeButton("3", 200); }, {}, {}},
        {"nothing changes, nothing is said", true, [](PanelFixture&) {}, {}, {}},
        {"one jump of the dial", true, [](PanelFixture& f) { turnDial(f, {7074000}); }, at7074, {}},
        {"a turning dial is spoken once where it stops, with the new band first", true,
         [](PanelFixture& f) { turnDial(f, {14074000, 14075000, 14076000}); },
         {"20", "metres", "1", "4", "point", "0", "7", "6", "mhz"}, {}},
        {"a slow turn, a step every 300 ms, is one announcement too", true,
         [](PanelFixture& f) { turnDial(f, {7074000, 7073000, 7072000, 7071000}, 300); },
         {"7", "point", "0", "7", "1", "mhz"}, {}},
        {"a change while a prompt plays is spoken after it", true,
         [](PanelFixture& f) { turnDial(f, {7074000}); pressKey(f, 'A'); },
         {"af", "7", "point", "0", "7", "4", "mhz"}, {}},
        {"the panel's own frequency is not spoken again", true,
         [](PanelFixture& f) { f.panel.state.vfoAHz = 7074000; sendFrequency(f.panel); }, {}, {"FA007074000;"}},
        {"the mode button at the radio", true, [](PanelFixture& f) { f.radio.pressModeButton("3", 100); },
         {"cw"}, {}},
        {"a frequency from another program through the relay", true,
         [](PanelFixture& f) { fromOtherProgram(f, "FA014074000;"); }, at20m14074, {"FA014074000;"}},
        {"a mode from another program through the relay", true,
         [](PanelFixture& f) { fromOtherProgram(f, "MD03;"); }, {"cw"}, {"MD03;", "NA00;"}},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PanelFixture f;
        f.fake.serial.addDevice(kRelayPort);
        ConfigLines config;
        config.relay = "relay=7";
        if (c.knobOn) config.network = "net=0", config.knob = "knob=1";
        connectSession(f, config);
        // A silenced readout finds no file and takes no time.
        f.fake.sound.onPlay = [&f](const std::string& path) {
            if (path.rfind("wave\\", 0) == 0) f.radio.advance(kPromptMs);
        };

        c.act(f);
        for (int ms = 0; ms < kRunMs; ms += kTickMs) {
            f.radio.advance(kTickMs);
            pollTick(f.panel);
        }
        EXPECT_EQ(f.prompts(), c.heard);
        EXPECT_EQ(checkPollsAndTakeTheRest(f.commands(), c.knobOn), c.sent);
    }
}

TEST(KnobSpeech, a_mode_set_at_the_radio_becomes_the_panels_and_is_drawn) {
    PanelFixture f;
    ConfigLines config;
    config.knob = "knob=1";
    connectSession(f, config);
    f.radio.modeCode = "B";  // narrow FM
    runTicks(f, 20);         // one second: the mode is asked once
    EXPECT_EQ(f.panel.state.mode, 5);
    const Strings modeLine = drawnAt(f, 45);
    EXPECT_NE(std::find(modeLine.begin(), modeLine.end(), "50,45:FMN     "), modeLine.end());
    EXPECT_EQ(f.prompts(), (Strings{"fm", "nar"}));
}

TEST(KnobSpeech, a_mode_answer_older_than_the_panels_own_mode_change_is_not_taken) {
    PanelFixture f;
    ConfigLines config;
    config.knob = "knob=1";
    connectSession(f, config);
    runTicks(f, 16);  // the fifth frequency poll, with the mode question, is sent next
    runTicks(f, 1);
    f.panel.state.mode = 3;  // CW, as a mode key sets it before the radio's answer is read
    applyMode(f.panel);
    f.clearRecords();
    runTicks(f, 20);
    EXPECT_EQ(f.panel.state.mode, 3);
    EXPECT_EQ(f.prompts(), Strings{});
}

}  // namespace
}  // namespace vocapan::testing
