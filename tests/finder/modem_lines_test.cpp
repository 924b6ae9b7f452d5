// A radio can key its transmitter on RTS or DTR: every port the finder opens has both lines
// dropped before anything else is done with it, and neither is raised again.
#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "finder/finder.h"
#include "finder_fixture.h"
#include "ftxsim/fake_link.h"

namespace portseek::testing {
namespace {

// Passes every call through to the fake port and notes it, per opening of a port.
class RecordingPort : public platform::SerialPort {
public:
    RecordingPort(std::unique_ptr<platform::SerialPort> port, std::vector<std::string>& calls)
        : port_(std::move(port)), calls_(calls) {}
    bool setBaudRate(int baud) override { return note("baud", port_->setBaudRate(baud)); }
    bool setLineFormat(const platform::LineFormat& format) override {
        return note("format", port_->setLineFormat(format));
    }
    bool setReadTimeouts(const platform::ReadTimeouts& timeouts) override {
        return note("timeouts", port_->setReadTimeouts(timeouts));
    }
    void setModemLines(bool rts, bool dtr) override {
        calls_.push_back(std::string("rts=") + (rts ? "1" : "0") + " dtr=" + (dtr ? "1" : "0"));
        port_->setModemLines(rts, dtr);
    }
    int bytesWaiting() override { return note("waiting", port_->bytesWaiting()); }
    int readBytes(char* buffer, int max) override { return note("read", port_->readBytes(buffer, max)); }
    int writeBytes(const char* bytes, int length) override { return note("write", port_->writeBytes(bytes, length)); }

private:
    template <typename T>
    T note(const char* call, T result) {
        calls_.push_back(call);
        return result;
    }
    std::unique_ptr<platform::SerialPort> port_;
    std::vector<std::string>& calls_;
};

class RecordingOpener : public platform::SerialPortOpener {
public:
    explicit RecordingOpener(platform::SerialPortOpener& opener) : opener_(opener) {}
    std::unique_ptr<platform::SerialPort> open(int comNumber) override {
        std::unique_ptr<platform::SerialPort> port = opener_.open(comNumber);
        if (!port) return nullptr;
        openings.emplace_back();
        return std::make_unique<RecordingPort>(std::move(port), openings.back());
    }
    std::deque<std::vector<std::string>> openings;  // the calls made on each opened port

private:
    platform::SerialPortOpener& opener_;
};

using ModemLines = FinderTest;

TEST_F(ModemLines, rts_and_dtr_drop_first_on_every_opened_port_and_stay_low) {
    fake.serial.addDevice(1);
    fake.serial.addDevice(2).refuseSettings = true;
    ftxsim::Radio radio(ftxsim::RadioOptions{.onlyBaud = 4800});
    ftxsim::attach(fake.serial.addDevice(5), radio);
    RecordingOpener opener(fake.serial);
    platform::Platform recordingServices{opener,       fake.sound,  fake.window,     fake.console, fake.clock,
                                         fake.network, fake.reader, fake.remoteLine, fake.wsjtx,   fake.braille};
    Seek recorded{{}, recordingServices, nullptr};

    runFinder(recorded);

    EXPECT_EQ(fake.console.output, std::string(kBanner) + "\r\nCom: 1 \r\nCom: 5 \r\n")
        << "a port that refuses the line settings is skipped";
    ASSERT_EQ(opener.openings.size(), 1u + 8u + 1u + 1u + 6u) << "port 1 at every speed, port 2 once, port 5 to 4800";
    for (const std::vector<std::string>& calls : opener.openings) {
        ASSERT_FALSE(calls.empty());
        EXPECT_EQ(calls.front(), "rts=0 dtr=0");
        for (const std::string& call : calls) {
            if (call.starts_with("rts")) {
                EXPECT_EQ(call, "rts=0 dtr=0");
            }
        }
    }
    for (const int n : {1, 2, 5}) {
        EXPECT_FALSE(fake.serial.device(n)->rts) << "COM" << n;
        EXPECT_FALSE(fake.serial.device(n)->dtr) << "COM" << n;
    }
}

}  // namespace
}  // namespace portseek::testing
