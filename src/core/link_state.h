// Fields of the radio link: the command being sent, the reply read, the debug transcript,
// the poll cycle, the radio's identity and the settings read back at start, the relay.
#pragma once

#include <array>
#include <deque>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace vocapan {

// A question the panel asked on a serial server's line, whose answer is still on the way.
struct Question {
    std::string letters;  // the command's two letters, which its answer begins with
    long long askedMs = 0;
    long long number = 0;  // counts the questions asked, the first 1
    bool poll = false;     // asked by the poll, whose answers the poll cycle reads
    bool givenUp = false;  // waited for until the deadline: its answer, late, is of no use
};

struct LinkState {
    std::string workText;
    std::string lastFreqCommand;
    std::string logLine;
    std::ofstream debugFile;  // "debug.dat", binary so that lines end in CR LF everywhere

    std::string replyText;
    int replyCount = 0;
    // What the radio sent that no reader has taken yet: answers set aside while a relayed
    // command waited for its own, and an answer still arriving.
    std::string radioInput;

    int dataBits = 0;
    int parity = 0;
    int stopBits = 0;

    // The mode commands by mode number 1 to 7; index 0 unused.
    std::array<std::string, 8> modeCommand{};

    // Poll cycle
    int pollPhase = 0;
    int pollAlt = 0;
    int tickCount = 0;
    int pollHold = 0;
    int sMeter = 0;
    std::string swrText;
    int swrSettle = 0;
    int micPeak = 0;
    std::string pollAwaiting;  // letters of the poll whose answer has not been read yet
    int unansweredPolls = 0;   // polls in a row that nothing came back for
    bool readingPoll = false;  // the poll's read, and what it says, is in hand
    // The latest frequency, mode and transmit meter answers read between a turn's words, read
    // again after them.
    std::vector<std::string> answersAfterWords;

    // On a serial server's line, where answers take a round trip: the questions on the way,
    // oldest first, the start of an answer whose ";" has not come, the answers that are the
    // poll's (and the radio's unasked reports), and the round trip measured (-1: not yet).
    std::deque<Question> questionsOnTheWay;
    std::string answerArriving;
    std::string pollInput;
    long long questionsAsked = 0;
    // By a set's two letters: answers to questions up to this number tell a value the panel
    // has since set anew.
    std::map<std::string, long long> askedBeforeSet;
    int roundTripMs = -1;
    // A turn waits for the answers to its questions until they are in or this time has come.
    bool awaitingAnswers = false;
    long long answerDeadlineMs = 0;

    // A radio that stopped answering, or whose port failed
    int radioLost = 0;
    int lostTicks = 0;  // ticks since the port was last tried

    // Read back from the radio at start
    int radioId = 0;
    int agcMode = 0;
    int powerRangeLow = 0;

    // Relay port
    std::string relayBuffer;
    std::string relayChunk;
    int relayEnd = 0;
    int relayFaPos = 0;
    int rawVfoHold = 0;
    int relayRetryTicks = 0;  // send ticks since the closed relay port was last tried
    // Commands the other program sent while the panel spoke: the panel follows them (a mode
    // set) once it has finished speaking.
    std::vector<std::string> relayHeld;
};

}  // namespace vocapan
