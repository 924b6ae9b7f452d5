// Which commands of the radio's CAT set are set commands, by the radio's command table: a
// set carries more parameters than the same letters' query, or has no query at all. The
// radio never answers a set: the relay forwards one without waiting, and on a serial server's
// line only a query is counted among the answers on the way.
#pragma once

#include <string_view>

namespace vocapan {

// `command` with or without its ";". A command of letters the table does not hold counts as
// a query, whose answer (or the radio's "?;") is worth waiting for.
bool isSetCommand(std::string_view command);

}  // namespace vocapan
