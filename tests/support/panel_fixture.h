// A panel on the fake platform with the simulated radio behind its CAT port, in a fresh
// working folder of its own: what a whole-panel test needs to drive the program as the
// operator would and to see the radio traffic, the words spoken and the texts drawn.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "core/panel.h"
#include "ftxsim/radio.h"
#include "platform/fake/fake_platform.h"

namespace vocapan::testing {

// The lines of a vocapan.cfg, by position; the keys before the values are never read.
struct ConfigLines {
    std::string port = "com=5";
    std::string speed = "speed=38400";
    std::string swr = "swr=0";
    std::string tuner = "tun=1";
    std::string powerOff = "pwroff=0";
    std::string repeater10 = "rep10=-100";
    std::string repeater6 = "rep6=-1000";
    std::string repeater2 = "rep2=-0600";
    std::string repeater70 = "rep70=-7600";
    std::string relay = "relay=0";
    std::string debug = "debug=0";
    std::string network;  // line 12
    std::string knob;     // line 13
    std::string voice;    // line 14
    std::string remote;   // line 15
    std::string wsjtx;    // line 16
    std::string allow;    // line 17
    // Lines 12 on are left out from the last that is empty.
    std::string text() const;  // the lines, each ended by CR LF
};

// Makes a fresh folder the working folder for the life of the object.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path previous_;
    std::filesystem::path path_;
};

void writeFile(const std::string& name, const std::string& contents);
std::string readFile(const std::string& name);  // empty when missing
bool fileExists(const std::string& name);
// A file's lines without their CR LF.
std::vector<std::string> fileLines(const std::string& name);

class PanelFixture {
public:
    explicit PanelFixture(int radioPort = 5);
    // The radio behind a serial server on the network instead of a COM port.
    PanelFixture(const std::string& serverHost, int serverPort);

    // Runs the whole program, start to end, as main does.
    int runProgram();

    // Everything written to the radio, split into commands, each with its ";".
    std::vector<std::string> commands() const;
    // The prompt names played from the prompt folder, in order, without the folder and
    // without ".wav"; sounds from any other prefix (a silenced readout) are left out.
    std::vector<std::string> prompts() const;
    // Forgets the traffic and the words so far, to look at what comes next.
    void clearRecords();

    ScratchFolder folder;
    platform::fake::FakePlatform fake;
    platform::Platform services;
    ftxsim::Radio radio;
    platform::fake::FakeSerialDevice& radioPort;
    Panel panel;
};

// Splits a byte stream at each ";" (kept); a trailing unterminated piece is kept as is.
std::vector<std::string> splitCommands(const std::string& stream);

}  // namespace vocapan::testing
