#include "link/answers_on_the_way.h"

#include <algorithm>

#include "core/text_piece.h"
#include "link/set_commands.h"

namespace vocapan {

namespace {

// The pause a cable needs, as long as the "delay" prompt that makes it.
constexpr int kCablePauseMs = 150;
// Before the first answer has been timed: a mobile link across a country can take a second.
constexpr int kUntimedAnswerMs = 2000;
// What a round trip may vary by (a line's jitter, the radio's own time) before an answer
// counts as late.
constexpr int kSpareMs = 100;
constexpr int kPollEveryMs = 100;
// A radio that never answers a query must not make the questions pile up.
constexpr std::size_t kMostOnTheWay = 64;

long long nowMs(Panel& panel) { return panel.platform.clock.steadyMs(); }

// A smoothed round trip: one slow answer moves it a quarter of the way.
void measureRoundTrip(LinkState& state, long long ms) {
    const int sample = static_cast<int>(std::max(0LL, ms));
    state.roundTripMs = state.roundTripMs < 0 ? sample : (3 * state.roundTripMs + sample + 2) / 4;
}

// An answer to a question asked before the panel set the same letters anew (a frequency
// polled before a tuning key, a mode before a mode key) tells what the radio was, not is.
bool outOfDate(const LinkState& state, const Question& question) {
    const auto set = state.askedBeforeSet.find(question.letters);
    return set != state.askedBeforeSet.end() && question.number <= set->second;
}

// The question `answer` answers. The radio answers in the order it was asked, each answer
// beginning with its question's letters, or "?;" for one it did not understand.
std::deque<Question>::iterator questionOf(std::deque<Question>& questions, const std::string& answer) {
    if (answer == "?;") return questions.begin();
    const std::string letters = answer.substr(0, 2);
    return std::find_if(questions.begin(), questions.end(), [&](const Question& q) { return q.letters == letters; });
}

// Questions asked before the one answered were passed over by the radio: they are never
// answered.
void takeAnswer(Panel& panel, const std::string& answer, std::string& forReader) {
    auto& state = panel.state;
    auto& questions = state.questionsOnTheWay;
    const auto found = questionOf(questions, answer);
    if (found == questions.end()) {
        state.pollInput += answer;  // unasked: a report of the radio's own
        return;
    }
    const Question question = *found;
    questions.erase(questions.begin(), found + 1);
    measureRoundTrip(state, nowMs(panel) - question.askedMs);
    if (question.givenUp || outOfDate(state, question)) return;
    (question.poll ? state.pollInput : forReader) += answer;
}

}  // namespace

bool answersTakeARoundTrip(const PanelState& state) { return state.comPort == CatLink::kNetworkSlot; }

void noteSent(Panel& panel, const std::string& command) {
    auto& state = panel.state;
    if (!answersTakeARoundTrip(state)) return;
    if (isSetCommand(command)) {
        state.askedBeforeSet[command.substr(0, 2)] = state.questionsAsked;
        return;
    }
    state.questionsOnTheWay.push_back({command.substr(0, 2), nowMs(panel), ++state.questionsAsked});
    if (state.questionsOnTheWay.size() > kMostOnTheWay) state.questionsOnTheWay.pop_front();
}

void noteAskedByPoll(PanelState& state) {
    if (answersTakeARoundTrip(state) && !state.questionsOnTheWay.empty()) state.questionsOnTheWay.back().poll = true;
}

std::string noteArrived(Panel& panel, const std::string& chunk) {
    auto& state = panel.state;
    if (!answersTakeARoundTrip(state)) return chunk;
    state.answerArriving += chunk;
    std::string forReader;
    for (const auto& answer : takeTerminated(state.answerArriving)) takeAnswer(panel, answer, forReader);
    return forReader;
}

bool answersAwaited(const PanelState& state) {
    return std::any_of(state.questionsOnTheWay.begin(), state.questionsOnTheWay.end(),
                       [](const Question& question) { return !question.poll && !question.givenUp; });
}

int answerLimitMs(const PanelState& state) {
    if (state.roundTripMs < 0) return kUntimedAnswerMs;
    return std::max(kCablePauseMs, 2 * state.roundTripMs + kSpareMs);
}

void giveUpAnswers(PanelState& state) {
    for (auto& question : state.questionsOnTheWay) {
        if (!question.poll) question.givenUp = true;
    }
}

void forgetQuestions(PanelState& state) {
    state.questionsOnTheWay.clear();
    state.answerArriving.clear();
    state.pollInput.clear();
}

int roundTripPolls(const PanelState& state) {
    return state.roundTripMs <= 0 ? 0 : (state.roundTripMs + kPollEveryMs - 1) / kPollEveryMs;
}

}  // namespace vocapan
