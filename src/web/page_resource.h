// The web page and the page that asks another computer for the code, built into the program:
// nothing to install, nothing fetched from elsewhere.
#pragma once

#include <string_view>

namespace vocapan::web {

std::string_view panelPage();
std::string_view codePage();

}  // namespace vocapan::web
