// The keys of a browser (KeyboardEvent.code, which names the key's place whatever the
// keyboard's layout, as the window's virtual-key codes do) as the panel's virtual-key codes.
#pragma once

#include <optional>
#include <string_view>

namespace vocapan::web {

// The virtual-key code of a key the panel takes; nothing for any other key.
std::optional<int> virtualKeyOf(std::string_view code);

}  // namespace vocapan::web
