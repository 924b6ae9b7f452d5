#include "display/function_line.h"

#include <string>

#include "core/fonts.h"
#include "core/number_text.h"
#include "display/status_text.h"

namespace vocapan {

namespace {

constexpr int kLineY = 250;

std::string blanks(int count) { return std::string(static_cast<std::size_t>(count), ' '); }

// The tone field: a CTCSS tone number 000 to 049 as "ctcss=", a DCS code (500 and above)
// as "dcs=" once it is selected, nothing for "999" (no tone) and "000".
std::string toneField(const PanelState& state) {
    const std::string& code = state.toneCode;
    if (code.empty() || code == "999" || code == "000") return blanks(30);
    const char first = code.front();
    if (first > '4') return state.dcsSelected == 1 ? "dcs=" + code + blanks(14) : blanks(28);
    if (first >= '0') return "ctcss=" + code + blanks(13);
    return blanks(30);
}

}  // namespace

void drawFunctionLine(Panel& panel) {
    const auto& state = panel.state;
    auto& window = panel.platform.window;
    const bool ssb = state.mode == 1 || state.mode == 2;
    const bool cw = state.mode == 3;
    const bool keyingOn = cw ? state.breakInOn == 1 : state.voxOn == 1;

    const struct {
        int x;
        std::string text;
    } fields[] = {
        {40, state.preampLevel > 0 ? "preamp" + decimalText(state.preampLevel) : blanks(14)},
        {170, state.attOn == 1 ? "att" : blanks(4)},
        {240, state.nbOn == 1 ? "nb" : blanks(4)},
        {310, state.nrOn == 1 ? "nr" : blanks(3)},
        {360, state.notchOn == 1 ? "notch" : blanks(9)},
        {460, state.contourOn > 0 ? "Cont." : blanks(8)},
        {550, state.procOn > 0 && ssb ? "spc" : blanks(7)},
        {620, keyingOn ? (cw ? "bin " : "vox") : blanks(5)},
        {690, state.monitorOn == 1 ? "mon" : blanks(11)},
        {780, toneField(state)},
    };

    window.selectFont(kSmallFont);
    std::string line;
    for (const auto& field : fields) {
        window.moveTo(field.x, kLineY);
        window.drawText(field.text);
        line += field.text + " ";
    }
    panel.state.statusLines[2] = statusText({line});
    window.selectFont(kLargeFont);
}

}  // namespace vocapan
