// One row of a key table: the state the operator meets, the keys typed, the commands the
// radio gets and the words the operator hears; and the check that runs a table.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "key_session.h"

namespace vocapan::testing {

struct KeyCase {
    std::string keys;
    std::function<void(PanelFixture&)> setup;
    std::vector<std::string> sent;
    std::vector<std::string> heard;
    std::function<void(const PanelState&)> after = [](const PanelState&) {};
};

inline void runKeyTable(const std::vector<KeyCase>& cases) {
    for (const KeyCase& c : cases) {
        PanelFixture panel;
        connectSession(panel);
        c.setup(panel);
        typeKeys(panel, c.keys);
        EXPECT_EQ(panel.commands(), c.sent) << c.keys;
        EXPECT_EQ(panel.prompts(), c.heard) << c.keys;
        c.after(panel.panel.state);
    }
}

// The radio on 2 m in FM at 145.600 MHz, as a report would leave it.
inline void on2m(PanelFixture& panel) {
    auto& state = panel.panel.state;
    state.band = 12;
    state.mode = 7;
    state.vfoAHz = 145600000;
    state.freqDisplayText = "145.600000";
    state.lastFreqReport = "FA145600000";
    state.bandStack[12] = "07A145600000B1456000009990";
}

}  // namespace vocapan::testing
