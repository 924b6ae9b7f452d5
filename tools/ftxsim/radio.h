// The simulated FTX transceiver behind the CAT link: it keeps VFO A and B, mode, meters,
// levels, menus, tone and shift, answers every query the panel and the radio finder rely on,
// and applies set commands to its state without answering.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace ftxsim {

struct RadioOptions {
    std::string id = "0840";  // the four digits answered to "ID;"
    bool silent = false;      // answers nothing at all
    int onlyBaud = 0;         // when not 0, bytes at any other speed are garbled and unanswered
};

class Radio {
public:
    explicit Radio(RadioOptions options = {});

    // Bytes arriving on the CAT line at `baud`; answers what the radio sends back.
    // Commands may arrive split across calls; a command is complete at its ";".
    std::string receive(std::string_view bytes, int baud);

    // Queues an unasked report (for example "FA014074000;") sent with the next answer,
    // or fetched by takePending().
    void injectReport(const std::string& report);
    std::string takePending();

    // Lets simulated time pass: the S-meter drifts a little.
    void advance(int milliseconds);

    RadioOptions& options() { return options_; }
    const std::vector<std::string>& commands() const { return commands_; }  // each with ";"

    // Radio state, readable and settable by tests.
    long long vfoAHz = 7100000;
    long long vfoBHz = 7100000;
    std::string modeCode = "1";  // the character after "MD0"
    bool transmitting = false;
    bool tuning = false;
    int sMeter = 0;
    int swr = 0;
    // Set values by command prefix (for example "PC" -> "1100", "AG0" -> "050").
    std::map<std::string, std::string> settings;
    std::map<std::string, std::string> menus;  // menu number (6 digits) -> value

private:
    std::string answer(const std::string& command);

    RadioOptions options_;
    std::string partial_;
    std::string pending_;
    std::vector<std::string> commands_;
};

}  // namespace ftxsim
