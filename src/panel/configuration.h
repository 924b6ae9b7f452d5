// vocapan.cfg: eleven lines, and an optional twelfth for network rig control, read by line
// number and character position, never by key.
#pragma once

#include <string>

#include "core/app_state.h"

namespace vocapan {

enum class ConfigurationResult { Read, WrongKind };

// Reads the configuration text into `config` line by line, in the panel's fixed order. A
// third line beginning "pow" belongs to another program's configuration: reading stops
// there with the port and speed already set.
ConfigurationResult readConfiguration(const std::string& fileText, ConfigState& config);

}  // namespace vocapan
