// The braille display: what it shows when, on the test double's clock (the real display
// follows the same rules), and where in BRLTTY's tree of terminals the Linux panel asks for it.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/fake/fake_platform.h"
#include "platform/linux/braille_tty_path.h"

namespace platform {
namespace {

using fake::FakeBrailleDisplay;
using Step = std::function<void(FakeBrailleDisplay&)>;

// One step of the operator's session and what the display shows after it.
struct Shown {
    Step step;
    std::string cells;
};

struct ViewCase {
    const char* name;
    std::vector<Shown> session;
};

Step status(const std::string& mode, const std::string& frequency, const std::string& functions) {
    return [=](FakeBrailleDisplay& display) { display.showStatus({mode, frequency, functions}); };
}
Step flash(const std::string& words) {
    return [=](FakeBrailleDisplay& display) { display.flash(words); };
}
Step after(int ms) {
    return [=](FakeBrailleDisplay& display) { display.now += BrailleTime(ms); };
}
Step press(BrailleKey key) {
    return [=](FakeBrailleDisplay& display) { display.press(key); };
}
Step cells(std::size_t width) {
    return [=](FakeBrailleDisplay& display) { display.width = width; };
}

const Step kAtRest = status("LSB S4", "7.100000", "att nb");

TEST(BrailleDisplay, shows_the_frequency_line_at_rest_and_each_phrase_for_four_seconds) {
    using enum BrailleKey;
    // clang-format off
    const std::vector<ViewCase> cases{
        {"the frequency line at rest", {{kAtRest, "7.100000"}}},
        {"a phrase, then the frequency line again four seconds later",
         {{kAtRest, "7.100000"}, {flash("seven point one megahertz LSB"), "seven point one megahertz LSB"},
          {after(3999), "seven point one megahertz LSB"}, {after(1), "7.100000"}}},
        {"a new phrase replaces the one shown and has its own four seconds",
         {{kAtRest, "7.100000"}, {flash("tx on"), "tx on"}, {after(3000), "tx on"}, {flash("tx off"), "tx off"},
          {after(3999), "tx off"}, {after(1), "7.100000"}}},
        {"the frequency tuned behind a phrase is there when it ends",
         {{kAtRest, "7.100000"}, {flash("ok"), "ok"}, {status("LSB S4", "7.100100", "att nb"), "ok"},
          {after(4000), "7.100100"}}},
        {"line down steps to the mode line, then the functions, and stops there",
         {{kAtRest, "7.100000"}, {press(LineDown), "LSB S4"}, {press(LineDown), "att nb"},
          {press(LineDown), "att nb"}, {press(LineUp), "LSB S4"}, {press(LineUp), "7.100000"},
          {press(LineUp), "7.100000"}}},
        {"the line stepped to stays current and comes back after a phrase",
         {{kAtRest, "7.100000"}, {press(LineDown), "LSB S4"}, {status("USB S7", "7.100000", ""), "USB S7"},
          {flash("usb"), "usb"}, {after(4000), "USB S7"}}},
        {"a line key ends the phrase at once",
         {{kAtRest, "7.100000"}, {flash("preamp 1 on"), "preamp 1 on"}, {press(LineDown), "LSB S4"}}},
        {"panning moves along a line longer than the display and stops at its ends",
         {{cells(10), ""}, {status("FM", "145.600000", "preamp1 att nb nr notch"), "145.600000"},
          {press(LineDown), "FM"}, {press(LineDown), "preamp1 at"}, {press(PanRight), "t nb nr no"},
          {press(PanRight), "tch"}, {press(PanRight), "tch"}, {press(PanLeft), "t nb nr no"},
          {press(PanLeft), "preamp1 at"}, {press(PanLeft), "preamp1 at"}}},
        {"panning in a phrase keeps it four seconds from the press",
         {{cells(10), ""}, {kAtRest, "7.100000"}, {flash("seven point one megahertz"), "seven poin"},
          {after(3000), "seven poin"}, {press(PanRight), "t one mega"}, {after(3999), "t one mega"},
          {after(1), "7.100000"}}},
        {"a new phrase and a new line start at their first cell",
         {{cells(10), ""}, {kAtRest, "7.100000"}, {flash("seven point one"), "seven poin"},
          {press(PanRight), "t one"}, {flash("seven point one"), "seven poin"}, {press(LineDown), "LSB S4"}}},
        {"a line grown shorter after panning shows its last part",
         {{cells(4), ""}, {status("", "14.074000", ""), "14.0"}, {press(PanRight), "7400"}, {press(PanRight), "0"},
          {status("", "7.1", ""), "7.1"}}},
        {"a display without cells shows nothing", {{cells(0), ""}, {kAtRest, ""}, {flash("ok"), ""}}},
    };
    // clang-format on
    for (const ViewCase& c : cases) {
        FakeBrailleDisplay display;
        int step = 0;
        for (const Shown& shown : c.session) {
            shown.step(display);
            EXPECT_EQ(display.shown(), shown.cells) << c.name << ", step " << ++step;
        }
    }
}

TEST(BrailleDisplay, is_asked_for_the_panels_own_window_where_the_desktop_tells_its_place_else_the_root) {
    struct PathCase {
        const char* name;
        unsigned long xWindow;
        const char* windowPath;
        const char* vtNumber;
        const char* display;
        std::vector<int> path;
    };
    const std::vector<PathCase> cases{
        {"a desktop on its virtual terminal", 0x2200007, "7", nullptr, ":0", {0x2200007}},
        {"a desktop that gives only its terminal number", 0x2200007, nullptr, "2", ":0", {0x2200007}},
        {"a terminal number without a desktop", 0x2200007, nullptr, "2", nullptr, {}},
        {"a window whose place is unknown", 0x2200007, nullptr, nullptr, ":99", {}},
        {"an empty window path", 0x2200007, "", nullptr, ":0", {}},
        {"a window not on X", 0, "7", nullptr, ":0", {}},
    };
    for (const PathCase& c : cases) {
        EXPECT_EQ(linux_backend::brailleTtyPath(c.xWindow, c.windowPath, c.vtNumber, c.display), c.path) << c.name;
    }
}

}  // namespace
}  // namespace platform
