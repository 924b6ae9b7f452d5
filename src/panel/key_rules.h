// The ordered key rules: what each key press does to the radio and what the operator hears.
#pragma once

#include <span>
#include <string_view>

#include "core/panel.h"

namespace vocapan {

// Handles one key-down with Windows virtual-key code `code`.
void onKeyDown(Panel& panel, int code);

// Handles the key-up of the key with code `code`: the next key-down is a new press.
void onKeyUp(Panel& panel, int code);

// Each rule either ends the handling of the key or lets it go on to the next rule.
enum class Then { End, Continue };

struct KeyRule {
    std::string_view name;
    bool (*applies)(const Panel& panel, int pressed);
    Then (*act)(Panel& panel, int pressed);
};

// The rules in the order they are tried; exposed so that tests can name the rule that fired.
std::span<const KeyRule> keyRules();

}  // namespace vocapan
