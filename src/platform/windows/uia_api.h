// The parts of UI Automation the screen-reader voice needs that mingw-w64's headers lack:
// the notification event's enums and the functions of UIAutomationCore.dll, all looked up
// when the panel starts, so that the program still runs on a Windows without them.
#pragma once

#include <windows.h>
// uiautomationcore.h needs the types of windows.h before it.
#include <uiautomationcore.h>

namespace platform::windows_backend::uia {

enum NotificationKind { NotificationKind_Other = 4 };
enum NotificationProcessing { NotificationProcessing_All = 2, NotificationProcessing_MostRecent = 3 };

// UiaRootObjectId: the object a WM_GETOBJECT for UI Automation asks for.
constexpr LONG kRootObjectId = -25;

using ClientsAreListening = BOOL(WINAPI*)();
using RaiseNotificationEvent = HRESULT(WINAPI*)(IRawElementProviderSimple* provider, NotificationKind kind,
                                                NotificationProcessing processing, BSTR displayString, BSTR activityId);
using ReturnRawElementProvider = LRESULT(WINAPI*)(HWND window, WPARAM wParam, LPARAM lParam,
                                                  IRawElementProviderSimple* provider);
using HostProviderFromHwnd = HRESULT(WINAPI*)(HWND window, IRawElementProviderSimple** provider);

// The functions found in UIAutomationCore.dll; any of them null when it is not there.
struct Functions {
    ClientsAreListening clientsAreListening = nullptr;
    RaiseNotificationEvent raiseNotificationEvent = nullptr;
    ReturnRawElementProvider returnRawElementProvider = nullptr;
    HostProviderFromHwnd hostProviderFromHwnd = nullptr;
    bool complete() const {
        return clientsAreListening && raiseNotificationEvent && returnRawElementProvider && hostProviderFromHwnd;
    }
};

// Loads the library once and looks the functions up.
const Functions& functions();

}  // namespace platform::windows_backend::uia
