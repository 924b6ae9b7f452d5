// The configurations portseek rewrites once the radio is found, as the operator may have
// left them: the input is vocapan.cfg and, when the first byte chooses one, a sibling talk
// program's file of the same text; the next bytes give the port and speed found. The panel
// must then read back from vocapan.cfg exactly the port and speed portseek wrote there; a
// remote station named on line 15 still takes the place of the port, as the operator chose.
#include <array>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include "core/cat_link.h"
#include "finder/config_file.h"
#include "finder/config_writer.h"
#include "fuzz_input.h"
#include "panel/configuration.h"
#include "panel_fixture.h"

namespace {

constexpr std::array<const char*, 7> kSiblingNames{"",           "morlin.cfg", "MORLIN.cfg", "pendra.cfg",
                                                   "PENDRA.cfg", "quisto.cfg", "QUISTO.cfg"};
constexpr std::array<int, 8> kSpeeds{4800, 9600, 19200, 38400, 1200, 2400, 57600, 115200};

void emptyFolder() {
    for (const auto& entry : std::filesystem::directory_iterator(".")) std::filesystem::remove_all(entry.path());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vocapan;
    static testing::ScratchFolder folder;
    static platform::fake::FakePlatform fake;
    static platform::Platform services = fake.services();
    emptyFolder();

    fuzz::FuzzInput input(data, size);
    const char* sibling = kSiblingNames[static_cast<std::size_t>(input.byte()) % kSiblingNames.size()];
    const int port = input.byte() % 110;  // past 99, which the panel's first line cannot hold
    const int speed = kSpeeds[static_cast<std::size_t>(input.byte()) % kSpeeds.size()];
    const std::string text = input.rest();
    testing::writeFile("vocapan.cfg", text);
    if (*sibling) testing::writeFile(sibling, text);

    portseek::Seek seek{{}, services, nullptr};
    seek.state.searchResult = 1;
    seek.state.foundPort = port;
    seek.state.foundBaud = speed;
    portseek::writeConfiguration(seek);

    const std::optional<std::string> written = portseek::readWholeFile("vocapan.cfg");
    if (!written) std::abort();
    if (*written == text) return 0;  // left alone: another program's, or no port to write
    ConfigState config;
    readConfiguration(*written, config);
    const int linkPort = config.remotePort > 0 ? CatLink::kNetworkSlot : port;
    if (config.comPort != linkPort || config.baudRate != speed) std::abort();
    return 0;
}
