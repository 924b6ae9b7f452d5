// The panel's side of speech-dispatcher's protocol: a phrase goes as one SPEAK with its words,
// the next only once the daemon has queued it; a daemon that refuses, or answers nothing for
// a second, is given up, and the phrases it never took are counted for the recorded voice.
#include <gtest/gtest.h>

#include "platform/linux/ssip_conversation.h"

namespace platform::linux_backend {
namespace {

using namespace std::chrono_literals;
using Clock = SsipConversation::Clock;

const Clock::time_point kStart{};

// A conversation whose opening the daemon has answered.
SsipConversation greeted() {
    SsipConversation talk(kStart);
    EXPECT_EQ(talk.takeOutgoing(), "SET self CLIENT_NAME user:vocapan:panel\r\n");
    talk.hear("208 OK CLIENT NAME SET\r\n", kStart);
    EXPECT_EQ(talk.takeOutgoing(), "SET self PRIORITY message\r\n");
    EXPECT_FALSE(talk.greeted());
    talk.hear("202 OK PRIORITY SET\r\n", kStart);
    EXPECT_TRUE(talk.greeted());
    return talk;
}

TEST(SsipConversation, phrases_go_one_at_a_time_with_their_words_and_count_as_taken_once_queued) {
    SsipConversation talk = greeted();
    talk.say("seven point one megahertz LSB", kStart);
    talk.say(".5 watts", kStart);
    EXPECT_EQ(talk.takeOutgoing(), "SPEAK\r\nseven point one megahertz LSB\r\n.\r\n");
    EXPECT_EQ(talk.untaken(), 2u);
    talk.hear("230 OK RECEIVING DATA\r\n225-1\r\n", kStart + 10ms);
    EXPECT_EQ(talk.takeOutgoing(), "");
    talk.hear("225 OK MESSAGE QUEUED\r\n", kStart + 10ms);
    // A line of words that begins with a point is not taken for the end of the message.
    EXPECT_EQ(talk.takeOutgoing(), "SPEAK\r\n..5 watts\r\n.\r\n");
    EXPECT_EQ(talk.untaken(), 1u);
    EXPECT_FALSE(talk.failed(kStart + 900ms));
}

TEST(SsipConversation, a_daemon_that_refuses_or_stays_silent_for_a_second_is_given_up) {
    SsipConversation silent = greeted();
    silent.say("transmit on", kStart);
    EXPECT_FALSE(silent.failed(kStart + 1000ms));
    EXPECT_TRUE(silent.failed(kStart + 1001ms));
    EXPECT_EQ(silent.untaken(), 1u);

    SsipConversation refusing = greeted();
    refusing.say("transmit on", kStart);
    refusing.hear("401 ERR NO SUCH COMMAND\r\n", kStart);
    EXPECT_TRUE(refusing.failed(kStart));
    EXPECT_FALSE(refusing.greeted());

    SsipConversation unopened(kStart);
    EXPECT_TRUE(unopened.failed(kStart + 2s));
}

TEST(SsipConversation, cancel_drops_the_phrases_not_sent_and_silences_the_panels_messages) {
    SsipConversation talk = greeted();
    talk.say("seven point one megahertz LSB", kStart);
    talk.say("preamp off", kStart);
    talk.takeOutgoing();
    talk.cancel();
    EXPECT_EQ(talk.untaken(), 1u);  // the one under way is the daemon's already
    talk.hear("230 OK RECEIVING DATA\r\n225 OK MESSAGE QUEUED\r\n", kStart);
    EXPECT_EQ(talk.takeOutgoing(), "CANCEL self\r\n");
    talk.hear("210 OK CANCELED\r\n", kStart);
    talk.say("transmit off", kStart);
    EXPECT_EQ(talk.takeOutgoing(), "SPEAK\r\ntransmit off\r\n.\r\n");
}

}  // namespace
}  // namespace platform::linux_backend
