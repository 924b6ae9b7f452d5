// The words of WSJT-X's decodes and transmissions: calls letter by letter and digit by digit
// ("stroke" for "/"), grids after "grid", signal reports as "minus twelve", "R" before a
// report as "roger", and a short gap between the words of a message.
#pragma once

#include <string_view>

#include "core/panel.h"
#include "wsjtx/decode_text.h"

namespace vocapan {

// A call, one prompt a character: "W9XYZ" is "w", "9", "x", "y", "z".
void sayCall(Panel& panel, std::string_view call);
// A signal-to-noise ratio or report in dB: "minus", "twelve"; "plus", "five"; "0".
void saySignal(Panel& panel, int decibels);
// One word of a message as it is meant: a report, "RR73", "73", a grid, or a call spelt out.
void sayMessageWord(Panel& panel, std::string_view word);
// A whole message, its words with a gap between them.
void sayMessage(Panel& panel, std::string_view message);
// A station calling the operator: its call, then what it sends ("W 9 X Y Z", "minus twelve").
void sayCallToOperator(Panel& panel, const wsjtx::DecodeText& text);
// A CQ: the call, the grid or "no grid", and how strong it came in.
void sayCq(Panel& panel, const wsjtx::DecodeText& text, int snr);

}  // namespace vocapan
