#include "panel/configuration.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>
#include <vector>

#include "core/cat_link.h"
#include "core/ip_address.h"
#include "core/number_text.h"
#include "speech/voice_choice.h"

namespace vocapan {

namespace {

// Lines end in CR LF, a lone CR or a lone LF; a line past the end of the file is empty.
class ConfigLines {
public:
    explicit ConfigLines(const std::string& text) {
        std::string line;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const char c = text[i];
            if (c == '\r' || c == '\n') {
                lines_.push_back(line);
                line.clear();
                if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            } else {
                line += c;
            }
        }
        if (!line.empty()) lines_.push_back(line);
    }
    // Cut to the length of a text field, as the panel's values are read.
    std::string line(std::size_t number) const { return limitText(wholeLine(number)); }
    // Uncut: a list cut in the middle would name an address the operator never wrote.
    std::string wholeLine(std::size_t number) const {
        return number >= 1 && number <= lines_.size() ? lines_[number - 1] : std::string();
    }

private:
    std::vector<std::string> lines_;
};

// `count` characters from character `position` (counted from 1); empty past the end.
std::string piece(const std::string& line, std::size_t position, std::size_t count) {
    if (position < 1 || position > line.size()) return {};
    return line.substr(position - 1, count);
}

std::string lastCharacters(const std::string& line, std::size_t count) {
    return line.size() <= count ? line : line.substr(line.size() - count);
}

// A port number: the last two characters of a line of exactly `twoDigitLength`
// characters, otherwise the last character.
int portNumber(const std::string& line, std::size_t twoDigitLength) {
    return numberFromText(lastCharacters(line, line.size() == twoDigitLength ? 2 : 1));
}

// A repeater offset: four characters from `position` when the line has exactly
// `fullLength` characters, otherwise "0" and three characters from there.
std::string offsetDigits(const std::string& line, std::size_t position, std::size_t fullLength) {
    return line.size() == fullLength ? piece(line, position, 4) : "0" + piece(line, position, 3);
}

constexpr std::array kSerialSpeeds{300, 600, 1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};
constexpr int kHighestPort = 256;
constexpr int kHighestTcpPort = 65535;

// "net=4532" serves network rig control on port 4532 of 127.0.0.1, "net=*:4532" on every
// interface; an empty line, a 0 or a port out of range leaves it off.
void readNetworkLine(const std::string& line, ConfigState& config) {
    config.netAllInterfaces = piece(line, 5, 1) == "*" ? 1 : 0;
    const int port = numberFromText(piece(line, config.netAllInterfaces == 1 ? 7 : 5, kTextLimit));
    config.netPort = port >= 1 && port <= kHighestTcpPort ? port : 0;
    if (config.netPort == 0) config.netAllInterfaces = 0;
}

void dropTrailingBlanks(std::string& line) {
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.pop_back();
}

bool allOf(const std::string& text, bool (*allowed)(char)) {
    return !text.empty() && std::all_of(text.begin(), text.end(), allowed);
}
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isNameCharacter(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '_'; }
// Hexadecimal groups, colons, an IPv4 tail and a zone after "%".
bool isIpv6Character(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == ':' || c == '.' || c == '%'; }

// "remote=HOST:PORT" names the serial server the radio is reached through: a host name, an
// IPv4 address or an IPv6 address in brackets, then the TCP port. Anything else (an empty
// line, the notes of the example file) leaves the radio on the COM port of line 1.
void readRemoteLine(std::string line, ConfigState& config) {
    config.remoteHost.clear();
    config.remotePort = 0;
    constexpr std::string_view kReminder = "remote=";
    if (line.compare(0, kReminder.size(), kReminder) != 0) return;
    dropTrailingBlanks(line);
    const std::string address = line.substr(kReminder.size());
    const auto colon = address.rfind(':');
    if (colon == std::string::npos) return;
    std::string host = address.substr(0, colon);
    const std::string portText = address.substr(colon + 1);
    if (host.size() > 2 && host.front() == '[' && host.back() == ']') {
        host = host.substr(1, host.size() - 2);
        if (!allOf(host, isIpv6Character) || host.find(':') == std::string::npos) return;
    } else if (!allOf(host, isNameCharacter)) {
        return;
    }
    if (!allOf(portText, isDigit) || portText.size() > 5) return;
    const int port = numberFromText(portText);
    if (port < 1 || port > kHighestTcpPort) return;
    config.remoteHost = host;
    config.remotePort = port;
    config.comPort = CatLink::kNetworkSlot;
}

// "allow=ADDRESS[/BITS][,...]" names the other computers whose programs may use the network
// port. A line without the reminder word (an empty line, the notes of the example file) is
// no allow line; one with it that does not list addresses keeps everyone else out.
void readAllowLine(const std::string& line, ConfigState& config) {
    config.netAllowed.clear();
    config.netAllowList = 0;
    constexpr std::string_view kReminder = "allow=";
    if (line.compare(0, kReminder.size(), kReminder) != 0) return;
    auto ranges = addressListFromText(std::string_view(line).substr(kReminder.size()));
    config.netAllowList = ranges ? 1 : -1;
    if (ranges) config.netAllowed = std::move(*ranges);
}

// Dotted IPv4 text; "::ffff:a.b.c.d" is IPv4 to the network port, but not written as one.
bool isIpv4Text(const std::string& text) {
    const auto address = ipAddressFromText(text);
    return address && address->ipv4 && text.find(':') == std::string::npos;
}

// "wsjtx=2237" listens for WSJT-X's datagrams on port 2237 of 127.0.0.1; "wsjtx=224.0.0.1:2237"
// joins that multicast group (or takes that address), so that a logger can listen beside the
// panel. A line without the reminder word (the notes of the example file), an empty value or
// 0 leaves it off; anything else that is not one of the two forms is wrong, and said at start.
void readWsjtxLine(std::string line, ConfigState& config) {
    config.wsjtxPort = 0;
    config.wsjtxAddress.clear();
    config.wsjtxLineWrong = 0;
    constexpr std::string_view kReminder = "wsjtx=";
    if (line.compare(0, kReminder.size(), kReminder) != 0) return;
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.pop_back();
    const std::string value = line.substr(kReminder.size());
    if (value.empty() || value == "0") return;
    const auto colon = value.rfind(':');
    const std::string address = colon == std::string::npos ? "127.0.0.1" : value.substr(0, colon);
    const std::string portText = colon == std::string::npos ? value : value.substr(colon + 1);
    const int port = allOf(portText, isDigit) && portText.size() <= 5 ? numberFromText(portText) : 0;
    if (port < 1 || port > kHighestTcpPort || !isIpv4Text(address)) {
        config.wsjtxLineWrong = 1;
        return;
    }
    config.wsjtxAddress = address;
    config.wsjtxPort = port;
}

// "web=8080" serves the panel's web page on port 8080 of 127.0.0.1 and ::1, "web=*:8080" on
// every address. A line without the reminder word (the notes of the example file), an empty
// value or 0 leaves it off; anything else is wrong, and said at start.
void readWebLine(std::string line, ConfigState& config) {
    config.webPort = 0;
    config.webAllInterfaces = 0;
    config.webLineWrong = 0;
    constexpr std::string_view kReminder = "web=";
    if (line.compare(0, kReminder.size(), kReminder) != 0) return;
    dropTrailingBlanks(line);
    std::string value = line.substr(kReminder.size());
    if (value.empty() || value == "0") return;
    const bool everyAddress = value.starts_with("*:");
    if (everyAddress) value.erase(0, 2);
    const int port = allOf(value, isDigit) && value.size() <= 5 ? numberFromText(value) : 0;
    if (port < 1 || port > kHighestTcpPort) {
        config.webLineWrong = 1;
        return;
    }
    config.webPort = port;
    config.webAllInterfaces = everyAddress ? 1 : 0;
}

}  // namespace

bool portAndSpeedUsable(const ConfigState& config) {
    if (config.remotePort > 0) return true;  // the server's port and speed are its own business
    return config.comPort >= 1 && config.comPort <= kHighestPort &&
           std::find(kSerialSpeeds.begin(), kSerialSpeeds.end(), config.baudRate) != kSerialSpeeds.end();
}

ConfigurationResult readConfiguration(const std::string& fileText, ConfigState& config) {
    const ConfigLines lines(fileText);

    config.comPort = portNumber(lines.line(1), 6);
    config.baudRate = numberFromText(piece(lines.line(2), 7, kTextLimit));

    const std::string line3 = lines.line(3);
    if (line3.compare(0, 3, "pow") == 0) return ConfigurationResult::WrongKind;
    config.swrOption = numberFromText(piece(line3, 5, 1));

    config.tunerMode = numberFromText(piece(lines.line(4), 5, 1));
    config.topBand = "7";  // the radio's highest band is 70 cm
    config.powerOffOnQuit = numberFromText(piece(lines.line(5), 8, 1));

    const std::string line6 = lines.line(6);
    config.offsetSign10 = piece(line6, 7, 1);
    config.offsetDigits10 = "0" + piece(line6, 8, 3);

    const std::string line7 = lines.line(7);
    config.offsetSign11 = piece(line7, 6, 1);
    config.offsetDigits11 = offsetDigits(line7, 7, 10);

    const std::string line8 = lines.line(8);
    config.offsetSign12 = piece(line8, 6, 1);
    config.offsetDigits12 = offsetDigits(line8, 7, 10);

    const std::string line9 = lines.line(9);
    config.offsetSign13 = piece(line9, 7, 1);
    config.offsetDigits13 = offsetDigits(line9, 8, 11);

    config.relayPort = 0;
    config.relayPort = portNumber(lines.line(10), 9);

    // The configured shifts stay here while the working set changes during operation.
    config.stdOffsetSign10 = config.offsetSign10;
    config.stdOffsetDigits10 = config.offsetDigits10;
    config.stdOffsetSign11 = config.offsetSign11;
    config.stdOffsetDigits11 = config.offsetDigits11;
    config.stdOffsetSign12 = config.offsetSign12;
    config.stdOffsetDigits12 = config.offsetDigits12;
    config.stdOffsetSign13 = config.offsetSign13;
    config.stdOffsetDigits13 = config.offsetDigits13;

    config.debugLog = 0;
    config.debugLog = numberFromText(piece(lines.line(11), 7, 1));

    // Optional: "knob=1" speaks what changes at the radio itself; absent it stays quiet.
    config.knobSpeech = numberFromText(piece(lines.line(13), 6, 1));
    readNetworkLine(lines.line(12), config);
    config.voice = voiceFromLine(lines.line(14));  // optional: the recorded voice unless chosen
    config.readerChosen = config.voice == kReaderVoice ? 1 : 0;
    readRemoteLine(lines.line(15), config);
    readAllowLine(lines.wholeLine(17), config);
    readWsjtxLine(lines.line(16), config);
    readWebLine(lines.line(18), config);
    return ConfigurationResult::Read;
}

}  // namespace vocapan
