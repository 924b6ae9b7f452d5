// The serving loop of the ftxsim program: bytes from the port go to the radio at the line
// speed the program set, its answers and unasked reports go back, simulated time follows the
// clock, and every command received is logged with its time and speed.
#include "ftxsim/server.h"

#include <chrono>
#include <ctime>
#include <fstream>
#include <string>

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

private:
    void line(int baud, const std::string& text) {
        if (!file_.is_open()) return;
        file_ << timeStamp(epochTimes_) << ' ' << baud << ' ' << text << "\r\n";
        file_.flush();
    }

    bool epochTimes_;
    std::ofstream file_;
    std::size_t logged_ = 0;
    std::size_t garbled_ = 0;
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
    char buffer[512];

    while (!stopRequested) {
        const int count = line.read(buffer, sizeof buffer, kWaitMs);
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
            line.write(radio.receive(std::string_view(buffer, static_cast<std::size_t>(count)), baud));
            log.record(radio, baud);
        }
        line.write(radio.takePending());
    }
}

}  // namespace ftxsim
