// savmem.dat as a crash, a full disk or an editor may have left it, loaded as at start in a
// working folder of the target's own. What is loaded must be valid, and must come back
// unchanged from the file the panel then writes: nothing taken in may be lost on saving.
#include <cstdlib>
#include <filesystem>

#include "core/band_table.h"
#include "fuzz_input.h"
#include "memory/memory_file.h"
#include "memory/record_format.h"
#include "panel_fixture.h"

namespace {

using namespace vocapan;

// The band table and empty channels as start-up sets them before the file is read.
void setStartContents(PanelState& state) {
    state.versionText = "3.5e";
    for (int band = 1; band <= kBandCount; ++band) state.bandStack[band] = std::string(kDefaultBandStack[band]);
    for (auto& slot : state.memorySlots) slot = std::string(kEmptyChannel);
}

bool isValid(const PanelState& state) {
    if (state.band < 0 || state.band > kBandCount) return false;
    for (int band = 1; band <= kBandCount; ++band) {
        if (!isBandEntry(state.bandStack[band])) return false;
    }
    for (const auto& slot : state.memorySlots) {
        if (slot != kEmptyChannel && !isStoredChannel(slot)) return false;
    }
    return true;
}

bool sameMemories(const PanelState& a, const PanelState& b) {
    return a.band == b.band && a.nrOn == b.nrOn && a.bandStack == b.bandStack && a.memorySlots == b.memorySlots;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static testing::ScratchFolder folder;
    static platform::fake::FakePlatform fake;
    static platform::Platform services = fake.services();
    for (const char* name : {"savmem.bak", "memory.txt"}) std::filesystem::remove(name);
    testing::writeFile("savmem.dat", fuzz::FuzzInput(data, size).rest());

    Panel loaded(services);
    setStartContents(loaded.state);
    loadMemories(loaded);
    if (!isValid(loaded.state)) std::abort();
    if (loaded.state.band == 0) loaded.state.band = 4;  // start-up's choice where none was saved

    saveMemories(loaded);
    Panel reloaded(services);
    setStartContents(reloaded.state);
    loadMemories(reloaded);
    if (!sameMemories(loaded.state, reloaded.state)) std::abort();
    return 0;
}
