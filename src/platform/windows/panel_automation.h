// The panel window as UI Automation sees it once the screen-reader voice is on: the window
// tells this file which window it is and passes on the requests for its automation element.
#pragma once

#include <windows.h>

namespace platform::windows_backend {

// The panel window, from its creation to its destruction (nullptr then).
void setAutomationWindow(HWND window);
// Answers a WM_GETOBJECT for UI Automation with the panel's element; false (leave it to the
// default handling) while the screen-reader voice is off or for any other request.
bool answerAutomationRequest(HWND window, WPARAM wParam, LPARAM lParam, LRESULT& answer);

}  // namespace platform::windows_backend
