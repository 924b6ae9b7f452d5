// Loading and saving "savmem.dat": a header naming the current band and the noise-reduction
// state, the 14 band entries, then the 100 memory records, one per line, ended by CR LF.
// A file that cannot be read or is foreign is kept as "savmem.bak" before the band table and
// channels in memory are written in its place; damaged lines never reach the state.
#include "memory/memory_file.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string_view>
#include <system_error>
#include <vector>

#include "core/band_table.h"
#include "core/number_text.h"
#include "memory/file_replace.h"
#include "memory/memory_listing.h"
#include "memory/record_format.h"

namespace vocapan {

namespace {

constexpr const char* kMemoryFile = "savmem.dat";
constexpr const char* kBackupFile = "savmem.bak";
constexpr const char* kOldMemoryFile = "memory.dat";  // left behind by old versions

constexpr std::string_view kWrittenHeader = "VOCAPAN v3.5b ";
// Files of these versions share one layout; only the first 13 characters are compared.
constexpr std::array<std::string_view, 3> kAcceptedHeaders = {"VOCAPAN v1.0a", "VOCAPAN v3.5a", "VOCAPAN v3.5b"};
constexpr std::size_t kBandCharIndex = 19;  // the band as one character, code 48 + band
constexpr std::size_t kNrCharIndex = 20;    // "1" when noise reduction was on

constexpr int kSlotCount = 100;
constexpr std::size_t kFileLines = 1 + kBandCount + kSlotCount;

// The first lines of `path`, at most `maxLines`; a line ends at CR, LF or CR LF, which is not
// kept. A line is kept to one character past the text limit, enough to know it is too long.
// Nothing when the file cannot be opened.
std::optional<std::vector<std::string>> readLines(const char* path, std::size_t maxLines) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    std::vector<std::string> lines;
    std::string line;
    bool lineOpen = false;
    // Read through the stream, not its buffer: a read error then ends the file instead of
    // throwing.
    char c = 0;
    while (lines.size() < maxLines && file.get(c)) {
        if (c == '\r' || c == '\n') {
            if (c == '\r' && file.peek() == '\n') file.get(c);
            lines.push_back(std::move(line));
            line.clear();
            lineOpen = false;
            continue;
        }
        lineOpen = true;
        if (line.size() <= kTextLimit) line.push_back(c);
    }
    if (lineOpen && lines.size() < maxLines) lines.push_back(std::move(line));
    return lines;
}

bool isAcceptedHeader(std::string_view header) {
    for (std::string_view accepted : kAcceptedHeaders)
        if (header.substr(0, accepted.size()) == accepted) return true;
    return false;
}

std::string headerLine(const PanelState& state) {
    std::string header = std::string(kWrittenHeader) + state.versionText;
    if (state.band >= 1 && state.band <= kBandCount) {
        header += ' ';
        header += static_cast<char>('0' + state.band);  // bands 10 to 14 become ":" to ">"
        header += state.nrOn == 1 ? '1' : '0';
    }
    return header;
}

// What reading the lines found: whether every line was whole, and how many channels held
// something that is not a channel.
struct Taken {
    bool whole = true;
    int damagedChannels = 0;
};

// Takes the band and noise-reduction state from the header, and every valid line after it.
Taken takeLines(PanelState& state, const std::vector<std::string>& lines) {
    const std::string& header = lines.front();
    state.nrOn = header.size() > kNrCharIndex && header[kNrCharIndex] == '1' ? 1 : 0;
    const int bandCode = header.size() > kBandCharIndex ? static_cast<unsigned char>(header[kBandCharIndex]) : 0;
    const int band = bandCode - '0';
    // A band the table does not hold counts as none chosen, which start-up turns into 40 m.
    state.band = band >= 1 && band <= kBandCount ? band : 0;

    Taken taken;
    taken.whole = lines.size() >= kFileLines;
    for (int b = 1; b <= kBandCount; ++b) {
        const std::size_t lineIndex = static_cast<std::size_t>(b);
        if (lineIndex >= lines.size()) break;
        if (isBandEntry(lines[lineIndex]))
            state.bandStack[lineIndex] = lines[lineIndex];
        else
            taken.whole = false;  // the band keeps its start entry
    }
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const std::size_t lineIndex = static_cast<std::size_t>(1 + kBandCount + slot);
        if (lineIndex >= lines.size()) break;
        const std::string& line = lines[lineIndex];
        const bool stored = isStoredChannel(line);
        if (!stored && !isEmptyChannel(line)) {
            taken.whole = false;
            ++taken.damagedChannels;
        }
        state.memorySlots[static_cast<std::size_t>(slot)] = stored ? line : std::string(kEmptyChannel);
    }
    return taken;
}

// Moves a file that is about to be replaced out of the way, so the operator can still get
// at what it held.
void setAside() {
    std::error_code error;
    if (std::filesystem::exists(kMemoryFile, error)) std::filesystem::rename(kMemoryFile, kBackupFile, error);
}

}  // namespace

int loadMemories(Panel& panel) {
    bool rewritten = false;
    for (;;) {
        const std::optional<std::vector<std::string>> lines = readLines(kMemoryFile, kFileLines);
        if (lines && !lines->empty() && isAcceptedHeader(lines->front())) {
            const Taken taken = takeLines(panel.state, *lines);
            if (rewritten) return 0;
            // Damaged or missing lines are replaced at the next save: keep the file as it was.
            if (!taken.whole) {
                std::error_code error;
                std::filesystem::copy_file(kMemoryFile, kBackupFile, std::filesystem::copy_options::overwrite_existing,
                                           error);
            }
            return taken.damagedChannels;
        }
        // Written once and still not readable: the folder will not keep the file, so the
        // session goes on with the start contents.
        if (rewritten) return 0;
        if (!lines) {
            std::error_code error;
            std::filesystem::remove(kOldMemoryFile, error);
        }
        setAside();
        saveMemories(panel);
        rewritten = true;
    }
}

void saveMemories(Panel& panel) {
    const PanelState& state = panel.state;
    std::vector<std::string> lines;
    lines.reserve(kFileLines);
    lines.push_back(headerLine(state));
    for (int b = 1; b <= kBandCount; ++b) lines.push_back(limitText(state.bandStack[static_cast<std::size_t>(b)]));
    for (const std::string& record : state.memorySlots) lines.push_back(limitText(record));
    replaceFileWithLines(kMemoryFile, lines);
    writeMemoryListing(panel);
}

}  // namespace vocapan
