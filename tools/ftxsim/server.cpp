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

// "hh:mm:ss.mmm", local time.
std::string timeStamp() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const auto millis = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03d", local.tm_hour, local.tm_min, local.tm_sec,
                  static_cast<int>(millis));
    return text;
}

class TrafficLog {
public:
    explicit TrafficLog(const std::string& path) {
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
        file_ << timeStamp() << ' ' << baud << ' ' << text << "\r\n";
        file_.flush();
    }

    std::ofstream file_;
    std::size_t logged_ = 0;
    std::size_t garbled_ = 0;
};

}  // namespace

void serve(Radio& radio, PtyLine& line, const ServerOptions& options, const volatile std::sig_atomic_t& stopRequested) {
    TrafficLog log(options.logPath);
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
