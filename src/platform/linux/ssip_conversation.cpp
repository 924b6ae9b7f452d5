#include "platform/linux/ssip_conversation.h"

#include <algorithm>
#include <utility>

#include "platform/screen_reader.h"

namespace platform::linux_backend {

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr int kGoAhead = 230;  // "OK RECEIVING DATA"
constexpr int kFirstRefusal = 300;

// The words as the data of a message: a line that begins with "." gets a second one, so that
// no line of words ends the message early; a line holding "." ends it.
std::string messageData(std::string_view text) {
    std::string data;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.front() == '.') data += '.';
        data += line;
        data += kLineEnd;
        start = end + 1;
    }
    return data + "." + std::string(kLineEnd);
}

}  // namespace

SsipConversation::SsipConversation(Clock::time_point now) {
    steps_.push_back({Kind::Command, "SET self CLIENT_NAME user:vocapan:panel", now});
    steps_.push_back({Kind::Command, "SET self PRIORITY message", now});
    sendNext(now);
}

void SsipConversation::say(std::string_view text, Clock::time_point now) {
    steps_.push_back({Kind::Phrase, std::string(text), now});
    if (awaiting_ == Awaiting::Nothing) sendNext(now);
}

void SsipConversation::cancel() {
    const auto firstWaiting = awaiting_ == Awaiting::Nothing ? steps_.begin() : std::next(steps_.begin());
    steps_.erase(std::remove_if(firstWaiting, steps_.end(), [](const Step& step) { return step.kind == Kind::Phrase; }),
                 steps_.end());
    const auto now = Clock::now();
    steps_.push_back({Kind::Command, "CANCEL self", now});
    if (awaiting_ == Awaiting::Nothing) sendNext(now);
}

std::string SsipConversation::takeOutgoing() {
    if (ended_) outgoing_.clear();
    return std::exchange(outgoing_, {});
}

void SsipConversation::hear(std::string_view bytes, Clock::time_point now) {
    heard_ += bytes;
    for (auto end = heard_.find('\n'); end != std::string::npos; end = heard_.find('\n')) {
        std::string line = heard_.substr(0, end);
        heard_.erase(0, end + 1);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        // "225-21" goes on; "225 OK MESSAGE QUEUED" is the answer.
        const bool digits = line.size() >= 3 &&
                            std::all_of(line.begin(), line.begin() + 3, [](char c) { return c >= '0' && c <= '9'; });
        if (!digits || (line.size() > 3 && line[3] == '-')) continue;
        answered((line[0] - '0') * 100 + (line[1] - '0') * 10 + (line[2] - '0'), now);
    }
}

bool SsipConversation::failed(Clock::time_point now) const {
    if (refused_ || ended_) return true;
    if (awaiting_ == Awaiting::Nothing || steps_.empty()) return false;
    return now - steps_.front().since > std::chrono::milliseconds(kReaderDeadlineMs);
}

std::size_t SsipConversation::untaken() const {
    return static_cast<std::size_t>(
        std::count_if(steps_.begin(), steps_.end(), [](const Step& step) { return step.kind == Kind::Phrase; }));
}

void SsipConversation::sendNext(Clock::time_point now) {
    awaiting_ = Awaiting::Nothing;
    if (steps_.empty() || refused_ || ended_) return;
    Step& next = steps_.front();
    next.since = now;
    if (next.kind == Kind::Command) {
        outgoing_ += next.text + std::string(kLineEnd);
        awaiting_ = Awaiting::Answer;
    } else {
        // The words follow the command at once: the daemon reads them once it has said go.
        outgoing_ += "SPEAK" + std::string(kLineEnd) + messageData(next.text);
        awaiting_ = Awaiting::GoAhead;
    }
}

void SsipConversation::answered(int code, Clock::time_point now) {
    if (awaiting_ == Awaiting::Nothing) return;  // nothing asked: not an answer of the panel's
    if (code >= kFirstRefusal) {
        refused_ = true;
        return;
    }
    if (awaiting_ == Awaiting::GoAhead) {
        if (code != kGoAhead) {
            refused_ = true;
            return;
        }
        awaiting_ = Awaiting::Queued;
        return;
    }
    steps_.pop_front();
    if (openingLeft_ > 0 && --openingLeft_ == 0) greeted_ = true;
    sendNext(now);
}

}  // namespace platform::linux_backend
