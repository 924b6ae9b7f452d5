// The real Linux serial backend against the real ftxsim program: the radio is linked as COM5
// in a scratch working folder, and the port is opened, set and read as the panel and the
// radio finder do.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/linux/backends.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using platform::LineFormat;
using platform::ReadTimeouts;
using SteadyClock = std::chrono::steady_clock;

constexpr ReadTimeouts kReturnAtOnce{ReadTimeouts::kReturnAtOnce, 0, 0};
constexpr ReadTimeouts kFinderTimeouts{1000, 5, 0};
constexpr auto kAnswerTime = std::chrono::milliseconds(100);

bool entryExists(const fs::path& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0;
}

long long millisecondsSince(SteadyClock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(SteadyClock::now() - start).count();
}

class PtySerialTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/ftxsim-test-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder_ = pattern;
        previousFolder_ = fs::current_path();
        fs::current_path(folder_);
    }

    void TearDown() override {
        stopRadio();
        fs::current_path(previousFolder_);
        fs::remove_all(folder_);
    }

    // Starts ftxsim linked as COM5 here, with its log, and waits for the link to appear.
    void startRadio(std::vector<std::string> extra = {}) {
        std::vector<std::string> arguments = {FTXSIM_PATH, "--link", (folder_ / "COM5").string(), "--log",
                                              (folder_ / "radio.log").string()};
        arguments.insert(arguments.end(), extra.begin(), extra.end());
        std::vector<char*> argv;
        for (auto& argument : arguments) argv.push_back(argument.data());
        argv.push_back(nullptr);
        ASSERT_EQ(posix_spawn(&radio_, FTXSIM_PATH, nullptr, nullptr, argv.data(), environ), 0);
        const auto start = SteadyClock::now();
        while (!entryExists(folder_ / "COM5") && millisecondsSince(start) < 3000) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        ASSERT_TRUE(entryExists(folder_ / "COM5")) << "ftxsim made no link";
    }

    void stopRadio() {
        if (radio_ <= 0) return;
        kill(radio_, SIGTERM);
        int status = 0;
        waitpid(radio_, &status, 0);
        radio_ = 0;
    }

    // COM5 opened as the panel opens the radio's port.
    std::unique_ptr<platform::SerialPort> openPort(int baud, ReadTimeouts timeouts = kReturnAtOnce) {
        auto port = opener_->open(5);
        if (!port) return nullptr;
        EXPECT_TRUE(port->setReadTimeouts(timeouts));
        EXPECT_TRUE(port->setBaudRate(baud));
        EXPECT_TRUE(port->setLineFormat({8, 0, 2}));
        return port;
    }

    static std::string readAll(platform::SerialPort& port) {
        char buffer[255];
        const int count = port.readBytes(buffer, sizeof buffer);
        return std::string(buffer, static_cast<std::size_t>(count));
    }

    // A query as the panel makes it: write, let the answer arrive, read what is there.
    static std::string query(platform::SerialPort& port, const std::string& command) {
        port.writeBytes(command.data(), static_cast<int>(command.size()));
        std::this_thread::sleep_for(kAnswerTime);
        return readAll(port);
    }

    std::string radioLog() const {
        std::ifstream file(folder_ / "radio.log", std::ios::binary);
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }

    fs::path folder_;
    fs::path previousFolder_;
    pid_t radio_ = 0;
    std::unique_ptr<platform::SerialPortOpener> opener_ = platform::linux_backend::makeSerialPortOpener();
};

TEST_F(PtySerialTest, radio_linked_as_com5_answers_its_identity) {
    startRadio();
    auto port = openPort(38400);
    ASSERT_NE(port, nullptr);
    port->writeBytes("ID;", 3);
    std::this_thread::sleep_for(kAnswerTime);
    EXPECT_EQ(port->bytesWaiting(), 7);
    EXPECT_EQ(readAll(*port), "ID0840;");
    EXPECT_EQ(query(*port, "FA014074000;"), "");
    EXPECT_EQ(query(*port, "FA;"), "FA014074000;");
}

TEST_F(PtySerialTest, radio_hears_only_its_own_line_speed) {
    startRadio({"--only-baud", "9600"});
    auto port = openPort(38400);
    ASSERT_NE(port, nullptr);
    EXPECT_EQ(query(*port, ";;;FA;"), "");
    ASSERT_TRUE(port->setBaudRate(9600));
    EXPECT_EQ(query(*port, ";;;FA;"), "FA007100000;");
}

TEST_F(PtySerialTest, read_that_returns_at_once_does_not_wait_for_a_silent_radio) {
    startRadio({"--silent"});
    auto port = openPort(38400);
    ASSERT_NE(port, nullptr);
    port->writeBytes("ID;", 3);
    const auto start = SteadyClock::now();
    EXPECT_EQ(readAll(*port), "");
    EXPECT_LT(millisecondsSince(start), 50);
}

TEST_F(PtySerialTest, read_ends_a_second_after_the_last_byte) {
    startRadio();
    // A total limit of 20 ms per byte (5.1 s for 255) leaves the interval to end the read.
    auto port = openPort(38400, {1000, 20, 0});
    ASSERT_NE(port, nullptr);
    port->writeBytes("FA;", 3);
    const auto start = SteadyClock::now();
    EXPECT_EQ(readAll(*port), "FA007100000;");
    const auto elapsed = millisecondsSince(start);
    EXPECT_GE(elapsed, 950);
    EXPECT_LT(elapsed, 3000);
}

TEST_F(PtySerialTest, finder_read_of_a_silent_radio_ends_at_the_total_time_out) {
    startRadio({"--silent"});
    auto port = openPort(38400, kFinderTimeouts);
    ASSERT_NE(port, nullptr);
    port->writeBytes("FA;", 3);
    const auto start = SteadyClock::now();
    EXPECT_EQ(readAll(*port), "");
    const auto elapsed = millisecondsSince(start);
    EXPECT_GE(elapsed, 1260);
    EXPECT_LT(elapsed, 1500);
}

TEST_F(PtySerialTest, port_is_held_exclusively_and_opens_again_once_closed) {
    startRadio();
    for (int round = 0; round < 3; ++round) {
        auto port = openPort(38400);
        ASSERT_NE(port, nullptr) << "round " << round;
        EXPECT_EQ(opener_->open(5), nullptr) << "a second program must find the port busy";
        EXPECT_EQ(query(*port, "ID;"), "ID0840;") << "round " << round;
    }
}

TEST_F(PtySerialTest, leftover_answers_do_not_reach_the_next_program) {
    startRadio();
    {
        auto port = openPort(38400);
        ASSERT_NE(port, nullptr);
        port->writeBytes("ID;", 3);
        std::this_thread::sleep_for(kAnswerTime);
    }
    auto port = openPort(38400);
    ASSERT_NE(port, nullptr);
    EXPECT_EQ(port->bytesWaiting(), 0);
}

TEST_F(PtySerialTest, refused_settings_and_modem_lines_on_a_pseudo_terminal) {
    startRadio();
    auto port = openPort(38400);
    ASSERT_NE(port, nullptr);
    EXPECT_FALSE(port->setBaudRate(12345));
    EXPECT_FALSE(port->setLineFormat({9, 0, 1}));
    EXPECT_FALSE(port->setLineFormat({8, 3, 1}));
    EXPECT_FALSE(port->setLineFormat({8, 0, 3}));
    port->setModemLines(false, false);  // a pseudo-terminal has none; nothing may break
    EXPECT_EQ(query(*port, "ID;"), "ID0840;") << "refused settings must leave the line as it was";
}

TEST_F(PtySerialTest, only_terminals_count_as_ports) {
    std::ofstream("COM7") << "not a port";
    ASSERT_EQ(symlink((folder_ / "nowhere").c_str(), "COM6"), 0);
    EXPECT_EQ(opener_->open(7), nullptr) << "a plain file";
    EXPECT_EQ(opener_->open(6), nullptr) << "a broken link";
    EXPECT_EQ(opener_->open(200), nullptr) << "a number no device family reaches";
}

TEST_F(PtySerialTest, radio_logs_what_it_heard_and_removes_its_link_when_stopped) {
    startRadio();
    {
        auto port = openPort(19200);
        ASSERT_NE(port, nullptr);
        query(*port, "ID;");
    }
    stopRadio();
    EXPECT_FALSE(entryExists(folder_ / "COM5"));
    const std::string log = radioLog();
    EXPECT_NE(log.find(" 19200 ID;\r\n"), std::string::npos) << log;
}

TEST_F(PtySerialTest, radio_that_went_away_comes_back_under_the_same_link) {
    startRadio();
    auto lost = openPort(38400);
    ASSERT_NE(lost, nullptr);
    stopRadio();
    EXPECT_FALSE(entryExists(folder_ / "COM5"));
    EXPECT_EQ(query(*lost, "ID;"), "") << "a port whose radio is gone reads nothing and does not fail hard";
    EXPECT_EQ(lost->bytesWaiting(), -1) << "the hung-up line is told apart from a quiet radio";
    ASSERT_TRUE(lost->setReadTimeouts(kFinderTimeouts));
    char answer[255];
    const auto start = SteadyClock::now();
    EXPECT_EQ(lost->readBytes(answer, sizeof answer), -1);
    EXPECT_LT(millisecondsSince(start), 1000) << "a read does not wait out its time-out on a line that is gone";
    EXPECT_EQ(opener_->open(5), nullptr) << "no radio, no port";
    lost.reset();
    startRadio();
    auto port = openPort(38400);
    ASSERT_NE(port, nullptr);
    EXPECT_EQ(query(*port, "ID;FA;"), "ID0840;FA007100000;");
}

TEST_F(PtySerialTest, operator_turns_the_radios_dial_while_the_panel_polls) {
    startRadio({"--knob", "14074000,14075000,14076000", "--knob-step-ms", "100", "--knob-after-ms", "300"});
    auto port = openPort(38400);
    ASSERT_NE(port, nullptr);
    std::vector<std::string> seen;
    const auto start = SteadyClock::now();
    while (millisecondsSince(start) < 1500) {
        port->writeBytes("FA;", 3);
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
        const std::string answer = readAll(*port);
        if (!answer.empty() && (seen.empty() || seen.back() != answer)) seen.push_back(answer);
    }
    const std::vector<std::string> expected = {"FA007100000;", "FA014074000;", "FA014075000;", "FA014076000;"};
    EXPECT_EQ(seen, expected);
}

}  // namespace
