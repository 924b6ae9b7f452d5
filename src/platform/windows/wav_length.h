// How long a prompt recording plays, read from its WAV header: the bytes of its sample data
// over the bytes it plays per second. Used when the machine has no sound device, so that a
// prompt still takes its time and the "delay" prompt still gives the radio time to answer.
#pragma once

#include <istream>
#include <optional>
#include <string>

namespace platform::windows_backend {

// The playing time in milliseconds, or nothing when the stream holds no WAV with a format
// chunk and a data chunk. A data chunk that claims more than the file holds counts only the
// bytes that are there.
std::optional<long long> wavLengthMs(std::istream& in);
std::optional<long long> wavFileLengthMs(const std::string& path);

}  // namespace platform::windows_backend
