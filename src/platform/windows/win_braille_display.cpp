// The braille display on Windows: the panel writes nothing to it itself. The operator's screen
// reader shows the panel's web page on its braille display, as every other page.
#include "platform/windows/backends.h"

namespace platform::windows_backend {

namespace {

class NoBrailleDisplay : public BrailleDisplay {
public:
    void start() override {}
    void showStatus(const BrailleStatus&) override {}
    void flash(const std::string&) override {}
};

}  // namespace

std::unique_ptr<BrailleDisplay> makeBrailleDisplay() { return std::make_unique<NoBrailleDisplay>(); }

}  // namespace platform::windows_backend
