// The simulated FTX transceiver behind the CAT link: it keeps VFO A and B with their modes,
// split, the band memory, meters, levels, menus, tone and shift, answers every query the
// panel, the radio finder and CAT software such as Hamlib rely on, and applies set commands
// to its state without answering. Tests can also work its own front panel.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "ftxsim/band_stack.h"
#include "ftxsim/front_panel.h"

namespace ftxsim {

struct RadioOptions {
    std::string id = "0840";  // the four digits answered to "ID;"
    bool silent = false;      // hears and obeys commands but answers nothing at all
    int onlyBaud = 0;         // when not 0, bytes at any other speed are garbled and unanswered
};

// How the radio treats a command it cannot take: a real FTX answers "?;" to letters it does
// not know and to a malformed frequency. Commands of known letters whose form it has no
// answer for are taken silently, as set commands are.
inline constexpr std::string_view kRefusal = "?;";

class Radio {
public:
    explicit Radio(RadioOptions options = {});

    // Bytes arriving on the CAT line at `baud`; answers what the radio sends back, unasked
    // reports that were pending first. Commands may arrive split across calls; a command is
    // complete at its ";". Line ends and blanks between commands are skipped, so that a
    // person can type commands at the radio from a terminal.
    std::string receive(std::string_view bytes, int baud);

    // Bytes that arrived unreadable (sent at another speed or framing): they spoil the
    // command being assembled and are otherwise lost.
    void lineNoise(std::size_t count);

    // Queues an unasked report (for example "FA014074000;") sent with the next answer,
    // or fetched by takePending().
    void injectReport(const std::string& report);
    std::string takePending();

    // Lets simulated time pass: the S-meter drifts around `signalLevel`, a tuning cycle of
    // the antenna tuner ends, mic-level reports are queued while `micReports` is on, and the
    // operator's planned moves at the front panel happen.
    void advance(int milliseconds);

    // The operator at the radio turns the main dial through `frequencies` (VFO A), the first
    // `afterMs` from now and each next one `stepMs` later; a mode button pressed `afterMs` from
    // now. With auto information on ("AI1") each move is reported unasked.
    void turnDial(const std::vector<long long>& frequencies, int stepMs, int afterMs);
    void pressModeButton(const std::string& modeCode, int afterMs);

    RadioOptions& options() { return options_; }
    const std::vector<std::string>& commands() const { return commands_; }  // each with ";"
    std::size_t garbledBytes() const { return garbledBytes_; }

    // Radio state, readable and settable by tests.
    long long vfoAHz = 7100000;
    long long vfoBHz = 7100000;
    std::string modeCode = "1";   // VFO A's mode, the character after "MD0"
    std::string modeCodeB = "1";  // VFO B's mode, after "MD1"
    bool split = false;           // transmitting on VFO B ("ST1", "FT1"/"FT3")
    bool transmitting = false;    // "TX1"/"TX2" on, "TX0" off; set it to model the operator's PTT
    bool tuning = false;          // the antenna tuner is tuning ("AC" ending in 3)
    int sMeter = 60;              // answered to "SM0", 0 to 255
    int signalLevel = 60;         // the level the S-meter wanders around
    int swr = 85;                 // answered to "RM6" while transmitting or tuning
    int micLevel = 40;            // answered to "RM4"
    bool micReports = false;      // while on, an "RM4" report goes out every 200 ms
    // Set values by query form (for example "PC" -> "1100", "AG0" -> "050").
    std::map<std::string, std::string> settings;
    std::map<std::string, std::string> menus;  // menu number (6 digits) -> value

    static constexpr int kTuneMs = 2000;              // length of one tuning cycle of the tuner
    static constexpr int kMeterStepMs = 200;          // the meters move at this pace
    static constexpr std::size_t kBufferLimit = 256;  // longest command the radio buffers

private:
    std::string answer(const std::string& command);
    std::string frequencyCommand(const std::string& command);
    std::string menuCommand(const std::string& command);
    std::string meterQuery(const std::string& command);
    std::string settingCommand(const std::string& command);
    std::string informationAnswer() const;
    std::string bandSelect(const std::string& command);
    std::string stateAnswer(const std::string& form) const;
    void setState(const std::string& form, const std::string& value);
    void applyAction(const std::string& command);
    void applyMove(const FrontPanelMove& move);
    void meterStep();

    RadioOptions options_;
    std::string partial_;
    std::string pending_;
    std::vector<std::string> commands_;
    std::size_t garbledBytes_ = 0;
    int tuneLeftMs_ = 0;
    int meterClockMs_ = 0;
    long long clockMs_ = 0;  // simulated time since the radio was switched on
    BandStack bandStack_;
    FrontPanel frontPanel_;
    std::uint32_t noise_ = 0x2545F491u;
};

}  // namespace ftxsim
