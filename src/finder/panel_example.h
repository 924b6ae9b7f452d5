// The example vocapan.cfg of the operator's package, built into portseek so that the
// configuration it writes where none exists holds the same settings and notes.
#pragma once

#include <string_view>

namespace portseek {

// The example file as the package holds it, lines ended as in the repository.
std::string_view panelExampleText();

}  // namespace portseek
