// The serving loop of the ftxsim program: bytes from the port go to the radio at the line
// speed the program set, its answers and unasked reports go back, simulated time follows the
// clock, and every command received is logged with its time and speed.
#include "ftxsim/server.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <fstream>
#include <string>
#include <thread>

namespace ftxsim {

namespace {

using SteadyClock = std::chrono::steady_clock;

constexpr int kWaitMs = 20;  // how long one pass waits for bytes before time moves on

// "hh:mm:ss.mmm" in local time, or with `epoch` seconds since the epoch to the microsecond
// ("1700000000.123456"), which timing measurements can subtract across midnight.
std::string timeStamp(bool epoch) {
    const auto now = std::chrono::system_clock::now();
    const auto micros = std::chrono::duration_cast<std::chrono::microseconds>(now.time_since_epoch()).count();
    char text[32];
    if (epoch) {
        std::snprintf(text, sizeof text, "%lld.%06lld", static_cast<long long>(micros / 1000000),
                      static_cast<long long>(micros % 1000000));
        return text;
    }
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03d", local.tm_hour, local.tm_min, local.tm_sec,
                  static_cast<int>(micros / 1000 % 1000));
    return text;
}

class TrafficLog {
public:
    TrafficLog(const std::string& path, bool epochTimes) : epochTimes_(epochTimes) {
        if (!path.empty()) file_.open(path, std::ios::binary | std::ios::app);
    }

    // Logs what the radio took in since the last call: its new commands, and bytes that
    // arrived garbled.
    void record(const Radio& radio, int baud) {
        const auto& commands = radio.commands();
        for (; logged_ < commands.size(); ++logged_) line(baud, commands[logged_]);
        if (radio.garbledBytes() > garbled_) {
            line(baud, "garbled " + std::to_string(radio.garbledBytes() - garbled_));
            garbled_ = radio.garbledBytes();
        }
    }

    // One line of its own: the time, the line speed, the text.
    void line(int baud, const std::string& text) {
        if (!file_.is_open()) return;
        file_ << timeStamp(epochTimes_) << ' ' << baud << ' ' << text << "\r\n";
        file_.flush();
    }

private:
    bool epochTimes_;
    std::ofstream file_;
    std::size_t logged_ = 0;
    std::size_t garbled_ = 0;
};

// The bytes a line at `bytesPerSecond` has carried since the last read: what the radio may
// take in now. Unused time is not saved up beyond one read's worth.
class LinePace {
public:
    explicit LinePace(int bytesPerSecond) : bytesPerSecond_(bytesPerSecond), last_(SteadyClock::now()) {}

    int allowance(int most) {
        if (bytesPerSecond_ == 0) return most;
        const auto now = SteadyClock::now();
        const double seconds = std::chrono::duration<double>(now - last_).count();
        last_ = now;
        carried_ = std::min<double>(most, carried_ + seconds * bytesPerSecond_);
        return static_cast<int>(carried_);
    }
    void took(int bytes) { carried_ -= bytes; }

private:
    int bytesPerSecond_;
    SteadyClock::time_point last_;
    double carried_ = 0;
};

}  // namespace

void serve(Radio& radio, PtyLine& line, const ServerOptions& options, const volatile std::sig_atomic_t& stopRequested) {
    TrafficLog log(options.logPath, options.logEpoch);
    radio.micReports = options.micReports;
    if (!options.knob.empty()) radio.turnDial(options.knob, options.knobStepMs, options.knobAfterMs);
    if (!options.modeButton.empty()) radio.pressModeButton(options.modeButton, options.modeButtonAfterMs);
    const auto reportEvery = std::chrono::milliseconds(options.reportEveryMs);
    auto simulated = SteadyClock::now();
    auto nextReport = simulated + reportEvery;
    const auto burstAt = simulated + std::chrono::milliseconds(options.burstAfterMs);
    bool burstDue = options.burstBytes > 0 && !options.report.empty();
    std::string burst;
    // While a flood is going out, answers queue behind it rather than cut into a report.
    const auto send = [&](const std::string& bytes) {
        if (burst.empty()) {
            line.write(bytes);
        } else {
            burst += bytes;
        }
    };
    char buffer[512];
    LinePace pace(options.lineBytesPerSecond);

    while (!stopRequested) {
        const int readable = pace.allowance(sizeof buffer);
        // A paced line with nothing carried yet waits one byte's time.
        const int count = readable > 0 ? line.read(buffer, readable, kWaitMs) : 0;
        if (readable == 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        pace.took(count);
        const auto now = SteadyClock::now();
        const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(now - simulated);
        radio.advance(static_cast<int>(elapsed.count()));
        simulated += elapsed;
        if (!options.report.empty() && now >= nextReport) {
            radio.injectReport(options.report);
            nextReport = now + reportEvery;
        }
        if (count > 0) {
            const int baud = line.lineSpeed();
            send(radio.receive(std::string_view(buffer, static_cast<std::size_t>(count)), baud));
            log.record(radio, baud);
        }
        send(radio.takePending());

        if (burstDue && now >= burstAt) {
            burstDue = false;
            while (burst.size() < static_cast<std::size_t>(options.burstBytes)) burst += options.report;
            burst.resize(static_cast<std::size_t>(options.burstBytes));
            log.line(line.lineSpeed(), "burst of " + std::to_string(burst.size()) + " bytes begins");
        }
        if (!burst.empty()) {
            burst.erase(0, line.write(burst));
            if (burst.empty()) log.line(line.lineSpeed(), "burst ends");
        }
    }
}

}  // namespace ftxsim
