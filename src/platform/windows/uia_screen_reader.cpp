// The screen reader on Windows: a UI Automation notification raised for the panel window,
// which NVDA and Narrator speak (NVDA also shows it on a braille display) after what they
// are saying. The window gets a minimal automation element of its own for the purpose.
// Everything is looked up in UIAutomationCore.dll at start: without the notification
// function (before Windows 10 1709) or without a listening client, there is no reader.
#include <windows.h>
// oleauto.h needs the types of windows.h before it.
#include <oleauto.h>

#include <string>

#include "platform/windows/backends.h"
#include "platform/windows/panel_automation.h"
#include "platform/windows/uia_api.h"

namespace platform::windows_backend {

namespace uia {

const Functions& functions() {
    static const Functions found = [] {
        Functions loaded;
        const HMODULE library = LoadLibraryA("UIAutomationCore.dll");
        if (library == nullptr) return loaded;
        const auto find = [library](const char* name) {
            return reinterpret_cast<void*>(GetProcAddress(library, name));
        };
        loaded.clientsAreListening = reinterpret_cast<ClientsAreListening>(find("UiaClientsAreListening"));
        loaded.raiseNotificationEvent = reinterpret_cast<RaiseNotificationEvent>(find("UiaRaiseNotificationEvent"));
        loaded.returnRawElementProvider =
            reinterpret_cast<ReturnRawElementProvider>(find("UiaReturnRawElementProvider"));
        loaded.hostProviderFromHwnd = reinterpret_cast<HostProviderFromHwnd>(find("UiaHostProviderFromHwnd"));
        return loaded;
    }();
    return found;
}

}  // namespace uia

namespace {

// The panel window's element: every property comes from the window itself (its title, its
// role) through the host provider; this element only gives the notifications a source.
class PanelElement final : public IRawElementProviderSimple {
public:
    explicit PanelElement(HWND window) : window_(window) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) return E_POINTER;
        if (iid == __uuidof(IUnknown) || iid == __uuidof(IRawElementProviderSimple)) {
            *object = static_cast<IRawElementProviderSimple*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    HRESULT STDMETHODCALLTYPE get_ProviderOptions(ProviderOptions* options) override {
        if (options == nullptr) return E_POINTER;
        *options = ProviderOptions_ServerSideProvider;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetPatternProvider(PATTERNID, IUnknown** pattern) override {
        if (pattern == nullptr) return E_POINTER;
        *pattern = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetPropertyValue(PROPERTYID, VARIANT* value) override {
        if (value == nullptr) return E_POINTER;
        value->vt = VT_EMPTY;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_HostRawElementProvider(IRawElementProviderSimple** host) override {
        if (host == nullptr) return E_POINTER;
        *host = nullptr;
        return uia::functions().hostProviderFromHwnd(window_, host);
    }

private:
    HWND window_;
    LONG references_ = 1;
};

HWND panelWindow = nullptr;
PanelElement* panelElement = nullptr;  // while the screen reader speaks for the panel

// A notification is handed to UI Automation at once and never waited on. A reader that quit
// or restarts leaves no client listening: the recorded voice speaks until one listens again.
// NVDA and Narrator pass over notifications of a window without the focus, so while another
// program has it the recorded voice speaks too, without calling the reader gone.
class UiaScreenReader : public ScreenReader {
public:
    ~UiaScreenReader() override {
        if (panelElement == nullptr) return;
        panelElement->Release();
        panelElement = nullptr;
    }

    bool connect(int) override {
        const auto& api = uia::functions();
        if (!api.complete() || panelWindow == nullptr || !api.clientsAreListening()) return false;
        if (panelElement == nullptr) panelElement = new PanelElement(panelWindow);
        return true;
    }

    void reconnect() override { connect(0); }

    void say(const std::string& text) override {
        if (panelElement == nullptr) return;
        // The prompts' words are plain ASCII.
        const std::wstring wide(text.begin(), text.end());
        BSTR display = SysAllocString(wide.c_str());
        BSTR activity = SysAllocString(L"vocapan.phrase");
        // After a cut the reader keeps only the newest phrase of the panel's.
        const auto processing = cutBefore_ ? uia::NotificationProcessing_MostRecent : uia::NotificationProcessing_All;
        cutBefore_ = false;
        const HRESULT raised = uia::functions().raiseNotificationEvent(panelElement, uia::NotificationKind_Other,
                                                                       processing, display, activity);
        SysFreeString(activity);
        SysFreeString(display);
        if (FAILED(raised)) refused_ = true;
    }

    void cancel() override { cutBefore_ = true; }

    ReaderState state() override {
        const auto& api = uia::functions();
        if (panelElement == nullptr || refused_ || !api.complete() || !api.clientsAreListening()) {
            refused_ = false;
            return ReaderState::Gone;
        }
        return GetForegroundWindow() == panelWindow ? ReaderState::Listening : ReaderState::Elsewhere;
    }

    // A notification raised is taken: UI Automation queues it for its clients.
    std::size_t untaken() override { return 0; }

private:
    bool cutBefore_ = false;
    bool refused_ = false;
};

}  // namespace

void setAutomationWindow(HWND window) {
    // A window going away lets go of the element its clients were given.
    if (window == nullptr && panelWindow != nullptr && panelElement != nullptr) {
        uia::functions().returnRawElementProvider(panelWindow, 0, 0, nullptr);
    }
    panelWindow = window;
}

bool answerAutomationRequest(HWND window, WPARAM wParam, LPARAM lParam, LRESULT& answer) {
    if (panelElement == nullptr || window != panelWindow) return false;
    if (static_cast<LONG>(static_cast<DWORD>(lParam)) != uia::kRootObjectId) return false;
    answer = uia::functions().returnRawElementProvider(window, wParam, lParam, panelElement);
    return true;
}

std::unique_ptr<ScreenReader> makeScreenReader() { return std::make_unique<UiaScreenReader>(); }

}  // namespace platform::windows_backend
