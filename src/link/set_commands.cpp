#include "link/set_commands.h"

#include <algorithm>
#include <array>

namespace vocapan {

namespace {

constexpr int kSetOnly = -1;

struct CommandForm {
    std::string_view letters;
    int queryParameters;  // the characters after the letters in the query; kSetOnly for none
};

// The query of each command: "FA;" reads VFO A and "FA014074000;" sets it; "SM0;" reads the
// S-meter of the main receiver; "EX030101;" reads a menu and "EX0301011;" writes it. Band
// and VFO moves (band select, up and down, the VFO copies and swap) are only ever sets.
constexpr auto kCommandForms = std::to_array<CommandForm>({
    {"AB", kSetOnly}, {"AC", 0},        {"AG", 1},        {"AI", 0}, {"AM", kSetOnly}, {"AN", 1},
    {"BA", kSetOnly}, {"BC", 1},        {"BD", kSetOnly}, {"BI", 0}, {"BP", 2},        {"BS", kSetOnly},
    {"BU", kSetOnly}, {"CN", 2},        {"CO", 2},        {"CT", 1}, {"DN", kSetOnly}, {"EX", 6},
    {"FA", 0},        {"FB", 0},        {"FS", 0},        {"FT", 0}, {"GT", 1},        {"ID", 0},
    {"IF", 0},        {"IS", 1},        {"KS", 0},        {"LK", 0}, {"MA", kSetOnly}, {"MD", 1},
    {"MG", 0},        {"ML", 1},        {"NA", 1},        {"NB", 1}, {"NL", 1},        {"NR", 1},
    {"OS", 1},        {"PA", 1},        {"PC", 0},        {"PL", 0}, {"PR", 1},        {"PS", 0},
    {"QI", kSetOnly}, {"QR", kSetOnly}, {"RA", 1},        {"RG", 1}, {"RL", 1},        {"RM", 1},
    {"SH", 1},        {"SM", 1},        {"SQ", 1},        {"ST", 0}, {"SV", kSetOnly}, {"TS", 0},
    {"TX", 0},        {"UP", kSetOnly}, {"VS", 0},        {"VX", 0},
});

}  // namespace

bool isSetCommand(std::string_view command) {
    if (!command.empty() && command.back() == ';') command.remove_suffix(1);
    if (command.size() < 2) return false;
    const auto letters = command.substr(0, 2);
    const auto found = std::find_if(kCommandForms.begin(), kCommandForms.end(),
                                    [&](const CommandForm& form) { return form.letters == letters; });
    if (found == kCommandForms.end()) return false;
    return found->queryParameters == kSetOnly || static_cast<int>(command.size()) - 2 > found->queryParameters;
}

}  // namespace vocapan
