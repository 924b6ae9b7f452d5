// A panel on the fake platform for hearing one readout at a time: the words it plays (without
// the prompt folder and ".wav") and the texts it draws.
#pragma once

#include <string>
#include <vector>

#include "core/panel.h"
#include "platform/fake/fake_platform.h"

namespace vocapan::testing {

struct ReadoutBench {
    ReadoutBench() : services(fake.services()), panel(services) { panel.state.waveDir = "wave\\"; }

    std::vector<std::string> words() const {
        std::vector<std::string> names;
        for (std::string path : fake.sound.played) {
            if (path.rfind("wave\\", 0) != 0) continue;
            path.erase(0, 5);
            if (path.size() > 4 && path.compare(path.size() - 4, 4, ".wav") == 0) path.resize(path.size() - 4);
            names.push_back(path);
        }
        return names;
    }

    platform::fake::FakePlatform fake;
    platform::Platform services;
    Panel panel;
    PanelState& state = panel.state;
};

using Words = std::vector<std::string>;

}  // namespace vocapan::testing
