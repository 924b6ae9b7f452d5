#include "wsjtx/decode_list.h"

#include "wsjtx/decode_text.h"

namespace wsjtx {

void DecodeList::add(const Decode& decode) {
    if (!latest_.empty() && decode.timeMs != latest_.front().timeMs) {
        if (!previous_.empty() && decode.timeMs == previous_.front().timeMs) {
            if (previous_.size() < kMostPerPeriod) previous_.push_back(decode);
            return;
        }
        previous_ = std::move(latest_);
        latest_.clear();
    }
    if (latest_.size() < kMostPerPeriod) latest_.push_back(decode);
}

void DecodeList::clear() {
    latest_.clear();
    previous_.clear();
}

std::optional<std::uint32_t> DecodeList::latestPeriod() const {
    if (latest_.empty()) return std::nullopt;
    return latest_.front().timeMs;
}

std::vector<Decode> DecodeList::choices(std::string_view ownCall) const {
    std::vector<Decode> found;
    for (const auto* period : {&latest_, &previous_}) {
        for (auto decode = period->rbegin(); decode != period->rend(); ++decode) {
            if (readDecodeText(decode->message, ownCall).kind != DecodeText::Kind::Other) found.push_back(*decode);
        }
    }
    return found;
}

}  // namespace wsjtx
