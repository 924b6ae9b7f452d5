// Where in BRLTTY's tree of terminals the panel asks for the braille display. Under a desktop
// it asks for its own X window: BrlAPI's library puts the desktop's place in front of it
// (WINDOWPATH, or XDG_VTNR with DISPLAY), and BRLTTY gives the display to the window that its
// X helper reports as focused. Where the panel cannot tell where its window is, it asks for
// the root, which has the display whenever the panel runs.
#pragma once

#include <vector>

namespace platform::linux_backend {

// `xWindow` is 0 when the window is not on X; the texts are the environment's values, null
// when unset.
std::vector<int> brailleTtyPath(unsigned long xWindow, const char* windowPath, const char* vtNumber,
                                const char* display);

}  // namespace platform::linux_backend
