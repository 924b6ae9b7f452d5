// vocapan.cfg: eleven lines, an optional twelfth for network rig control, an optional
// thirteenth for the radio's own changes, an optional fourteenth for the voice and an optional
// fifteenth for a radio reached through a serial server on the network, an optional sixteenth
// for WSJT-X's UDP reports, an optional seventeenth for the other computers allowed on the
// network port and an optional eighteenth for the panel's web page, read by line number and
// character position, never by key.
#pragma once

#include <string>

#include "core/app_state.h"

namespace vocapan {

enum class ConfigurationResult { Read, WrongKind };

// Reads the configuration text into `config` line by line, in the panel's fixed order. A
// third line beginning "pow" belongs to another program's configuration: reading stops
// there with the port and speed already set.
ConfigurationResult readConfiguration(const std::string& fileText, ConfigState& config);
// False when no serial server is named and the port is not a COM number 1 to 256 or the
// speed is not a serial speed.
bool portAndSpeedUsable(const ConfigState& config);

}  // namespace vocapan
