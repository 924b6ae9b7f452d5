#include "web/key_names.h"

#include <array>

#include "core/key_codes.h"

namespace vocapan::web {

namespace {

struct NamedKey {
    std::string_view code;
    int virtualKey;
};

// The keys that are no letter, digit or function key.
constexpr std::array kNamedKeys{
    NamedKey{"Backspace", vk::kBackspace},
    NamedKey{"Enter", vk::kEnter},
    NamedKey{"NumpadEnter", vk::kEnter},
    NamedKey{"ShiftLeft", vk::kShift},
    NamedKey{"ShiftRight", vk::kShift},
    NamedKey{"ControlLeft", vk::kCtrl},
    NamedKey{"ControlRight", vk::kCtrl},
    NamedKey{"Space", vk::kSpace},
    NamedKey{"PageUp", vk::kPageUp},
    NamedKey{"PageDown", vk::kPageDown},
    NamedKey{"ArrowLeft", vk::kLeft},
    NamedKey{"ArrowUp", vk::kUp},
    NamedKey{"ArrowRight", vk::kRight},
    NamedKey{"ArrowDown", vk::kDown},
    NamedKey{"Insert", vk::kInsert},
    NamedKey{"MetaLeft", vk::kLeftWindows},
    NamedKey{"NumpadDecimal", vk::kNumpadPoint},
    NamedKey{"Equal", vk::kPlus},
    NamedKey{"NumpadAdd", vk::kPlus},
    NamedKey{"Minus", vk::kMinus},
    NamedKey{"NumpadSubtract", vk::kMinus},
    NamedKey{"Period", vk::kPoint},
};

// "KeyA" to "KeyZ", "Digit0" to "Digit9", "Numpad0" to "Numpad9", "F1" to "F12": the
// character or number after the prefix, counted from the first key of the row.
std::optional<int> rowKey(std::string_view code, std::string_view prefix, char first, char last, int firstKey) {
    if (!code.starts_with(prefix)) return std::nullopt;
    const std::string_view rest = code.substr(prefix.size());
    if (rest.size() != 1 || rest[0] < first || rest[0] > last) return std::nullopt;
    return firstKey + (rest[0] - first);
}

std::optional<int> functionKey(std::string_view code) {
    if (!code.starts_with('F') || code.size() < 2 || code.size() > 3) return std::nullopt;
    int number = 0;
    for (const char c : code.substr(1)) {
        if (c < '0' || c > '9') return std::nullopt;
        number = number * 10 + (c - '0');
    }
    if (number < 1 || number > 12) return std::nullopt;
    return vk::kF1 + number - 1;
}

}  // namespace

std::optional<int> virtualKeyOf(std::string_view code) {
    for (const auto& key : kNamedKeys) {
        if (key.code == code) return key.virtualKey;
    }
    if (auto key = rowKey(code, "Key", 'A', 'Z', 'A')) return key;
    if (auto key = rowKey(code, "Digit", '0', '9', '0')) return key;
    if (auto key = rowKey(code, "Numpad", '0', '9', vk::kNumpad0)) return key;
    return functionKey(code);
}

}  // namespace vocapan::web
