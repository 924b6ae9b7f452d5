// The operator's sessions with the finder over the fake console and serial ports: what is
// heard, what the console shows, which ports and speeds are probed, and "q" to stop.
#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "finder/finder.h"
#include "finder_fixture.h"
#include "ftxsim/fake_link.h"

namespace portseek::testing {
namespace {

using Names = std::vector<std::string>;
using Responder = decltype(platform::fake::FakeSerialDevice::responder);

const Names kGreeting{"pzkv", "1", "point", "0", "pzks", "fcps"};
const std::string kBannerLine = std::string(kBanner) + "\r\n";
const std::vector<int> kAllSpeeds{115200, 57600, 38400, 19200, 9600, 4800, 2400, 1200};

Names operator+(Names first, const Names& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

// Two pauses of "delay" per probe.
Names probes(int count) { return Names(static_cast<std::size_t>(2 * count), "delay"); }

// What is heard once the radio answered on `port` at `baud` and its configuration was written.
Names heardFound(const std::string& port, const std::string& baud) {
    Names heard{"radiofound"};
    for (const char digit : port) heard.emplace_back(1, digit);
    heard.emplace_back("speed");
    for (const char digit : baud) heard.emplace_back(1, digit);
    return heard + Names{"baud", "delay", "delay", "cfuep"};
}

// A far end that answers the frequency query with `answer` at `baud` and says nothing else.
auto scriptedAnswer(int baud, std::string answer) {
    return [baud, answer](const std::string& written, int lineBaud, const platform::LineFormat&) {
        return written == "FA;" && lineBaud == baud ? answer : std::string();
    };
}

class SearchSession : public FinderTest {
protected:
    // A port that exists; the speed of every "FA;" it receives is noted. Silent unless
    // `answer` says otherwise.
    platform::fake::FakeSerialDevice& addPort(int comNumber, Responder answer = {}) {
        platform::fake::FakeSerialDevice& device = fake.serial.addDevice(comNumber);
        device.responder = [this, comNumber, answer](const std::string& written, int baud,
                                                     const platform::LineFormat& format) {
            if (written == "FA;") speedsProbed[comNumber].push_back(baud);
            return answer ? answer(written, baud, format) : std::string();
        };
        return device;
    }
    // The simulated radio on `comNumber`, listening at `baud` only.
    ftxsim::Radio& addRadio(int comNumber, int baud) {
        ftxsim::Radio& radio = radios.emplace_back(ftxsim::RadioOptions{.onlyBaud = baud});
        platform::fake::FakeSerialDevice wire;
        ftxsim::attach(wire, radio);
        addPort(comNumber, wire.responder);
        return radio;
    }
    void pressAfterPolls(int key, int polls) {
        fake.console.onPoll = [key, polls](platform::fake::FakeConsole& console) {
            if (console.polls == polls) console.keys.push_back(key);
        };
    }

    std::map<int, std::vector<int>> speedsProbed;
    std::deque<ftxsim::Radio> radios;
};

TEST_F(SearchSession, no_ports_hears_the_greeting_the_search_and_radio_not_found) {
    runFinder(seek);

    EXPECT_EQ(spoken(), kGreeting + Names{"rnf"});
    EXPECT_EQ(fake.sound.played.front(), "wave\\pzkv.wav");
    EXPECT_EQ(fake.console.output, kBannerLine);
    std::vector<int> everyPort;
    for (int n = 1; n <= 256; ++n) everyPort.push_back(n);
    EXPECT_EQ(fake.serial.openAttempts, everyPort);
    EXPECT_TRUE(fake.console.allocated);
    EXPECT_TRUE(fake.console.released);
    EXPECT_EQ(folder(), FolderContents{});
}

TEST_F(SearchSession, speaks_in_the_faster_voice_chosen_on_the_panels_line_14) {
    writeFile("vocapan.cfg", "com=3\r\nspeed=9600\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\nvoice=2\r\n");
    fake.sound.missing = {"wave2\\rnf.wav"};
    runFinder(seek);
    EXPECT_EQ(fake.sound.played.front(), "wave2\\pzkv.wav");
    EXPECT_EQ(fake.sound.played.back(), "wave\\rnf.wav");  // missing there, said from the first voice
}

TEST_F(SearchSession, radio_on_port_3_at_9600_after_two_silent_ports) {
    addPort(1);
    addPort(2);
    addRadio(3, 9600);

    runFinder(seek);

    EXPECT_EQ(fake.console.output, kBannerLine + "Com: 1 \r\nCom: 2 \r\nCom: 3 \r\n");
    EXPECT_EQ(speedsProbed[1], kAllSpeeds);
    EXPECT_EQ(speedsProbed[2], kAllSpeeds);
    EXPECT_EQ(speedsProbed[3], (std::vector<int>{115200, 57600, 38400, 19200, 9600}));
    EXPECT_EQ(spoken(), kGreeting + probes(8 + 8 + 5) + heardFound("3", "9600"));
    EXPECT_EQ(fake.serial.device(3)->written, ";;;FA;;;;FA;;;;FA;;;;FA;;;;FA;");
    EXPECT_EQ(fake.serial.openAttempts.back(), 3) << "the search goes on after the radio answered";
    EXPECT_EQ(fake.serial.device(3)->format, (platform::LineFormat{8, 0, 1}));
    EXPECT_EQ(fake.serial.device(3)->timeouts, (platform::ReadTimeouts{1000, 5, 0}));
}

TEST_F(SearchSession, radio_on_port_12_is_spoken_as_one_two) {
    addRadio(12, 115200);

    runFinder(seek);

    EXPECT_EQ(fake.console.output, kBannerLine + "Com: 12 \r\n");
    std::vector<int> opened;
    for (int n = 1; n <= 12; ++n) opened.push_back(n);
    opened.push_back(12);  // the probe at 115200 after the port showed it exists
    EXPECT_EQ(fake.serial.openAttempts, opened);
    EXPECT_EQ(spoken(), kGreeting + probes(1) + heardFound("12", "115200"));
}

struct AnswerCase {
    std::string answer;
    bool found;
};

void PrintTo(const AnswerCase& answer, std::ostream* out) { *out << ::testing::PrintToString(answer.answer); }

class RadioAnswers : public SearchSession, public ::testing::WithParamInterface<AnswerCase> {};

TEST_P(RadioAnswers, radio_counts_as_found_when_FA_occurs_anywhere_in_its_answer) {
    addPort(4, scriptedAnswer(38400, GetParam().answer));

    runFinder(seek);

    EXPECT_EQ(fake.console.output, kBannerLine + "Com: 4 \r\n") << "an answering port is listed either way";
    const Names result = GetParam().found ? heardFound("4", "38400") : Names{"rnf"};
    EXPECT_EQ(spoken(), kGreeting + probes(GetParam().found ? 3 : 8) + result);
}

INSTANTIATE_TEST_SUITE_P(Finder, RadioAnswers,
                         ::testing::Values(AnswerCase{"?;FA014074000;", true}, AnswerCase{"FA", true},
                                           AnswerCase{std::string("\0\0FA007100000;", 14), true},
                                           AnswerCase{"?;", false}, AnswerCase{"ID0840;", false},
                                           AnswerCase{"fa014074000;", false}, AnswerCase{"F", false}));

struct StopCase {
    const char* what;
    int key;
    int pollsBeforeKey;
    std::string console;
    Names heard;
};

void PrintTo(const StopCase& stop, std::ostream* out) { *out << stop.what; }

class OperatorStops : public SearchSession, public ::testing::WithParamInterface<StopCase> {};

// A talk program's file lies beside the finder and a radio answers on port 2 at 1200 baud,
// so a search that ran on would speak and rewrite the file.
TEST_P(OperatorStops, q_ends_the_search_without_a_word_and_without_touching_a_file) {
    const std::string pendra = "com=1\r\nspeed=4800\r\n0\r\n\r\n2\r\n";
    writeFile("pendra.cfg", pendra);
    addPort(1);
    addRadio(2, 1200);
    pressAfterPolls(GetParam().key, GetParam().pollsBeforeKey);

    runFinder(seek);

    EXPECT_EQ(fake.console.output, kBannerLine + GetParam().console);
    EXPECT_EQ(spoken(), GetParam().heard);
    EXPECT_EQ(folder(), (FolderContents{{"pendra.cfg", pendra}}));
    EXPECT_TRUE(fake.console.released);
}

INSTANTIATE_TEST_SUITE_P(Finder, OperatorStops,
                         ::testing::Values(
                             // Polls: one before port 1, then one before each of its speeds.
                             StopCase{"before the first port", 'q', 1, "", kGreeting},
                             StopCase{"between two speeds", 'q', 3, "Com: 1 \r\n", kGreeting + probes(1)},
                             StopCase{"before the next port", 'q', 10, "Com: 1 \r\n", kGreeting + probes(8)}),
                         [](const auto& info) {
                             std::string name = info.param.what;
                             for (char& c : name) c = c == ' ' ? '_' : c;
                             return name;
                         });

TEST_F(SearchSession, only_lower_case_q_stops_the_search) {
    addPort(1);
    addRadio(2, 1200);
    fake.console.keys = {'Q', 'x', 27};

    runFinder(seek);

    EXPECT_EQ(seek.state.searchResult, 1);
    EXPECT_EQ(seek.state.foundPort, 2);
}

}  // namespace
}  // namespace portseek::testing
