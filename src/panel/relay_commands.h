// Which commands of the radio's CAT set are set commands, by the radio's command table: a
// set carries more parameters than the same letters' query, or has no query at all. The
// relay forwards a set without waiting, as the radio never answers one.
#pragma once

#include <string_view>

namespace vocapan {

// `command` with or without its ";". A command of letters the table does not hold counts as
// a query, whose answer (or the radio's "?;") is worth waiting for.
bool isSetCommand(std::string_view command);

}  // namespace vocapan
