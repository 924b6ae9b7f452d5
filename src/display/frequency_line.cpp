#include "display/frequency_line.h"

#include "core/text_piece.h"
#include "display/status_text.h"

namespace vocapan {

namespace {

// "B" while transmitting on VFO B, "R" while the repeater shift is on (it wins over "B").
void drawVfoMarkers(Panel& panel) {
    const auto& state = panel.state;
    auto& window = panel.platform.window;
    window.moveTo(80, 150);
    if (state.vfoBTarget == 1 && state.repeaterOn == 0) window.drawText("B   ");
    window.drawText(state.repeaterOn == 1 ? "R   " : "    ");
    if (state.vfoBTarget == 0) window.drawText("    ");
}

}  // namespace

std::string frequencyDisplayText(const std::string& nineDigits) {
    std::string text = textPiece(nineDigits, 1, 3) + "." + textPiece(nineDigits, 4, 6);
    for (char& c : text) {
        if (c != '0') break;
        c = ' ';
    }
    return text;
}

void drawFrequencyLine(Panel& panel, const std::string& displayText) {
    drawVfoMarkers(panel);
    auto& window = panel.platform.window;
    window.moveTo(285, 150);
    window.drawText(displayText);
    window.drawText(std::string(13, ' '));
    const auto& state = panel.state;
    const char* marker = state.repeaterOn == 1 ? "R" : state.vfoBTarget == 1 ? "B" : "";
    panel.state.statusLines[1] = statusText({marker, displayText});
}

}  // namespace vocapan
