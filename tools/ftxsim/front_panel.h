// The radio's own front panel worked by an operator during a test: the main dial turned through
// frequencies and mode buttons pressed at set moments of simulated time, so that the panel
// program can be seen to follow changes it did not make itself.
#pragma once

#include <string>
#include <vector>

namespace ftxsim {

// One thing the operator does at the radio: turn the dial to a frequency, or press the button
// of a mode (given as the character after "MD0").
struct FrontPanelMove {
    long long atMs = 0;
    long long frequencyHz = 0;  // 0 when the move is a mode button
    std::string modeCode;       // empty when the move is a turn of the dial
};

class FrontPanel {
public:
    // Plans a turn of the dial through `frequencies`, the first `afterMs` after `nowMs` and
    // each next one `stepMs` later.
    void turnDial(const std::vector<long long>& frequencies, int stepMs, int afterMs, long long nowMs);
    // Plans a press of the button of `modeCode`, `afterMs` after `nowMs`.
    void pressModeButton(const std::string& modeCode, int afterMs, long long nowMs);

    // The planned moves that are due by `nowMs`, in their order, taken off the plan.
    std::vector<FrontPanelMove> movesDue(long long nowMs);

private:
    void plan(FrontPanelMove move);

    std::vector<FrontPanelMove> planned_;  // ordered by time; equal times keep their order
};

}  // namespace ftxsim
