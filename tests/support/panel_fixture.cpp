#include "panel_fixture.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "ftxsim/fake_link.h"
#include "panel/run_panel.h"

namespace vocapan::testing {

namespace fs = std::filesystem;

std::string ConfigLines::text() const {
    std::vector<std::string> lines{port,  speed, swr,     tuner, powerOff, repeater10, repeater6, repeater2, repeater70,
                                   relay, debug, network, knob,  voice,    remote,     wsjtx,     allow};
    while (lines.size() > 11 && lines.back().empty()) lines.pop_back();
    std::string all;
    for (const auto& line : lines) all += line + "\r\n";
    return all;
}

ScratchFolder::ScratchFolder() : previous_(fs::current_path()) {
    std::string pattern = (fs::temp_directory_path() / "vocapan-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    path_ = pattern;
    fs::current_path(path_);
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    fs::current_path(previous_, ignored);
    fs::remove_all(path_, ignored);
}

void writeFile(const std::string& name, const std::string& contents) {
    std::ofstream file(name, std::ios::binary | std::ios::trunc);
    file << contents;
}

std::string readFile(const std::string& name) {
    std::ifstream file(name, std::ios::binary);
    std::ostringstream contents;
    contents << file.rdbuf();
    return contents.str();
}

bool fileExists(const std::string& name) { return fs::exists(name); }

std::vector<std::string> fileLines(const std::string& name) {
    std::vector<std::string> lines;
    std::istringstream contents(readFile(name));
    std::string line;
    while (std::getline(contents, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> splitCommands(const std::string& stream) {
    std::vector<std::string> commands;
    std::string current;
    for (const char c : stream) {
        current += c;
        if (c == ';') {
            commands.push_back(current);
            current.clear();
        }
    }
    if (!current.empty()) commands.push_back(current);
    return commands;
}

PanelFixture::PanelFixture(int radioPortNumber)
    : services(fake.services()), radioPort(fake.serial.addDevice(radioPortNumber)), panel(services) {
    ftxsim::attach(radioPort, radio);
}

PanelFixture::PanelFixture(const std::string& serverHost, int serverPort)
    : services(fake.services()), radioPort(fake.remoteLine.addServer(serverHost, serverPort)), panel(services) {
    ftxsim::attach(radioPort, radio);
}

int PanelFixture::runProgram() { return runPanel(services); }

std::vector<std::string> PanelFixture::commands() const { return splitCommands(radioPort.written); }

std::vector<std::string> PanelFixture::prompts() const {
    const std::string folder = "wave\\";
    std::vector<std::string> names;
    for (const auto& path : fake.sound.played) {
        if (path.rfind(folder, 0) != 0) continue;
        std::string name = path.substr(folder.size());
        if (name.size() > 4 && name.compare(name.size() - 4, 4, ".wav") == 0) name.resize(name.size() - 4);
        names.push_back(name);
    }
    return names;
}

void PanelFixture::clearRecords() {
    panel.state.phrase.clear();
    radioPort.written.clear();
    fake.sound.played.clear();
    fake.sound.looks.clear();
    fake.window.drawn.clear();
}

}  // namespace vocapan::testing
