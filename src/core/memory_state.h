// The band table, the memory channels and the state of channel entry and recall.
#pragma once

#include <array>
#include <string>

namespace vocapan {

struct MemoryState {
    int band = 0;                                // 1 to 14, index into bandStack
    std::array<std::string, 15> bandStack{};     // entries 1 to 14; index 0 unused
    std::array<std::string, 100> memorySlots{};  // bank * 10 + channel

    int channelEntry = 0;
    int bankDigitPending = 0;
    int memoryBank = 0;
    int memorySlot = 0;
    int quietRecall = 0;
    int memoryRecalled = 0;
};

}  // namespace vocapan
