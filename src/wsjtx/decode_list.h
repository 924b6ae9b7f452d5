// The decodes of the last two periods, as WSJT-X reported them: what the operator can choose
// from and answer. Decodes of one period carry the period's start time; a decode with another
// time starts a new period and the oldest is forgotten.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "wsjtx/messages.h"

namespace wsjtx {

class DecodeList {
public:
    // A flood of decodes keeps this many of a period, the first that came.
    static constexpr std::size_t kMostPerPeriod = 200;

    void add(const Decode& decode);
    void clear();
    // The period the newest decode belongs to; nothing when the list is empty.
    std::optional<std::uint32_t> latestPeriod() const;
    // The decodes that are CQs or calls to `ownCall`, newest first: the latest period's, the
    // last that came first, then the period before.
    std::vector<Decode> choices(std::string_view ownCall) const;

private:
    std::vector<Decode> latest_;
    std::vector<Decode> previous_;
};

}  // namespace wsjtx
