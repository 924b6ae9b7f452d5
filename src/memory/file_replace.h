// Writing a whole file of the operator's data so that it is never left half-written: the
// lines go to a temporary file beside it, which then takes the old file's place.
#pragma once

#include <string>
#include <vector>

namespace vocapan {

// Writes `lines`, each ended by CR LF, to `path` through "<path>.tmp" and a rename. On any
// failure the old file stays as it was, the temporary file is removed and false is returned.
bool replaceFileWithLines(const std::string& path, const std::vector<std::string>& lines);

}  // namespace vocapan
