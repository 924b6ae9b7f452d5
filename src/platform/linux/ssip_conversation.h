// The panel's side of a conversation with speech-dispatcher in its text protocol, kept apart
// from the socket: commands go one at a time, each after the daemon has answered the one
// before, so that at most one phrase is ever left with a daemon that stops answering. A
// phrase is a SPEAK command with its words and a line holding "." right behind it; the
// daemon answers it twice, with its go-ahead and once the message is queued.
#pragma once

#include <chrono>
#include <cstddef>
#include <deque>
#include <string>
#include <string_view>

namespace platform::linux_backend {

class SsipConversation {
public:
    using Clock = std::chrono::steady_clock;

    // A new conversation opens by naming the panel and asking that its phrases queue behind
    // one another rather than cut each other off.
    explicit SsipConversation(Clock::time_point now);

    // A phrase to say, handed over at `now`.
    void say(std::string_view text, Clock::time_point now);
    // Drops the phrases not yet sent and asks the daemon to silence the panel's messages.
    void cancel();
    // What is to be sent now, taken out of the conversation.
    std::string takeOutgoing();
    bool hasOutgoing() const { return !outgoing_.empty(); }
    // The daemon's bytes, as they arrive.
    void hear(std::string_view bytes, Clock::time_point now);
    // The conversation is over: the connection was lost. The phrases left stay untaken.
    void end() { ended_ = true; }

    // The daemon has answered the opening and refused nothing since.
    bool greeted() const { return greeted_ && !refused_ && !ended_; }
    // Refused, ended, or an answer overdue: a phrase or command sent more than the reader's
    // deadline ago and not answered, by what has been heard so far.
    bool failed(Clock::time_point now) const;
    // Phrases handed over and not taken by the daemon.
    std::size_t untaken() const;

private:
    enum class Kind { Command, Phrase };
    struct Step {
        Kind kind = Kind::Command;
        std::string text;         // the command, or the phrase's words
        Clock::time_point since;  // sent to the daemon
    };
    enum class Awaiting { Nothing, Answer, GoAhead, Queued };

    void sendNext(Clock::time_point now);
    void answered(int code, Clock::time_point now);

    std::deque<Step> steps_;  // the first is the one under way when something is awaited
    Awaiting awaiting_ = Awaiting::Nothing;
    std::string outgoing_;
    std::string heard_;    // an answer line not complete yet
    int openingLeft_ = 2;  // the opening's commands not answered yet
    bool greeted_ = false;
    bool refused_ = false;
    bool ended_ = false;
};

}  // namespace platform::linux_backend
