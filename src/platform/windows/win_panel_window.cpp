// The panel window on Win32: a top-level window whose client area is painted from a memory
// DC the size of the screen, text drawn there with GDI fonts, a window timer, and the
// message loop's wait and dispatch. Close requests, ticks and keys are handed to the panel;
// the panel closes the window itself at shutdown, so a close request never destroys it.
#include <windows.h>

#include "platform/windows/backends.h"
#include "platform/windows/panel_automation.h"
#include "platform/windows/window_messages.h"

namespace platform::windows_backend {

namespace {

static_assert(kWmClose == WM_CLOSE && kWmTimer == WM_TIMER);
static_assert(kWmKeyDown == WM_KEYDOWN && kWmKeyUp == WM_KEYUP);
static_assert(kWmSysKeyDown == WM_SYSKEYDOWN && kWmSysKeyUp == WM_SYSKEYUP);
static_assert(kVkF4 == VK_F4);

constexpr char kClassName[] = "VocapanPanel";
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
// Bit 29 of a key message's lParam: Alt was held.
constexpr LPARAM kAltHeldBit = LPARAM(1) << 29;

class WinPanelWindow : public PanelWindow {
public:
    ~WinPanelWindow() override { close(); }

    bool open(const std::string& title, const WindowGeometry& geometry) override {
        if (window_) return true;
        const HINSTANCE instance = GetModuleHandleA(nullptr);
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &WinPanelWindow::windowProcedure;
        windowClass.hInstance = instance;
        windowClass.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
        windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        windowClass.lpszClassName = kClassName;
        RegisterClassA(&windowClass);  // fails harmlessly when already registered

        window_ = CreateWindowA(kClassName, title.c_str(), kStyle, geometry.x, geometry.y, geometry.width,
                                geometry.height, nullptr, nullptr, instance, this);
        if (!window_) return false;
        setAutomationWindow(window_);
        createOffscreenCopy();
        ShowWindow(window_, SW_SHOW);
        UpdateWindow(window_);
        return true;
    }

    void close() override {
        if (window_) {
            setAutomationWindow(nullptr);
            DestroyWindow(window_);
            window_ = nullptr;
        }
        if (memoryDc_) {
            SelectObject(memoryDc_, originalFont_);
            SelectObject(memoryDc_, originalBitmap_);
            DeleteDC(memoryDc_);
            memoryDc_ = nullptr;
        }
        if (bitmap_) DeleteObject(bitmap_);
        if (font_) DeleteObject(font_);
        bitmap_ = nullptr;
        font_ = nullptr;
    }

    void moveTo(int x, int y) override {
        x_ = x;
        y_ = y;
    }

    // The size goes to CreateFontA as it is: a positive height asks for a character cell of
    // that many pixels. The operating system's font mapping picks the nearest face.
    void selectFont(const FontSpec& font) override {
        if (!memoryDc_) return;
        const HFONT created =
            CreateFontA(font.size, 0, 0, 0, font.weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, font.face.c_str());
        if (!created) return;
        SelectObject(memoryDc_, created);
        if (font_) DeleteObject(font_);
        font_ = created;
    }

    void drawText(const std::string& text) override {
        if (!memoryDc_) return;
        std::string shown = text;
        if (shown.size() >= 2 && shown.compare(shown.size() - 2, 2, "\r\n") == 0) shown.resize(shown.size() - 2);
        const int length = static_cast<int>(shown.size());
        SetBkMode(memoryDc_, OPAQUE);
        SetTextColor(memoryDc_, RGB(0, 0, 0));
        SetBkColor(memoryDc_, GetSysColor(COLOR_WINDOW));
        TextOutA(memoryDc_, x_, y_, shown.c_str(), length);
        SIZE extent{};
        GetTextExtentPoint32A(memoryDc_, shown.c_str(), length, &extent);
        const RECT drawn{x_, y_, x_ + extent.cx, y_ + extent.cy};
        x_ += extent.cx;
        InvalidateRect(window_, &drawn, FALSE);
    }

    void startTimer(int id, int periodMs) override {
        if (window_) SetTimer(window_, static_cast<UINT_PTR>(id), static_cast<UINT>(periodMs), nullptr);
    }

    void stopTimer(int id) override {
        if (window_) KillTimer(window_, static_cast<UINT_PTR>(id));
    }

    // GetMessage waits the Windows way: a due timer tick is made only when nothing else is
    // queued. The message it takes is kept and dispatched first by the next nextMessage.
    void waitForMessage() override {
        if (!pending_.empty() || holding_) return;
        const BOOL got = GetMessageA(&held_, nullptr, 0, 0);
        if (got > 0) {
            holding_ = true;
        } else {
            // WM_QUIT or a broken queue: the panel can only end.
            pending_.push({MessageKind::CloseRequest, 0, 0});
        }
    }

    bool nextMessage(WindowMessage& message) override {
        while (!pending_.pop(message)) {
            MSG taken{};
            if (holding_) {
                taken = held_;
                holding_ = false;
            } else if (!PeekMessageA(&taken, nullptr, 0, 0, PM_REMOVE)) {
                return false;
            }
            TranslateMessage(&taken);
            DispatchMessageA(&taken);
        }
        return true;
    }

    // Everything Windows holds for the window goes through the window procedure into the
    // panel's queue first, where the key is looked for.
    bool takeKeyDown(int keyCode) override {
        takeEverythingHeld();
        return pending_.takeKeyDown(keyCode);
    }

    bool takeDueTick(int timerId) override {
        takeEverythingHeld();
        return pending_.takeTicks(timerId);
    }

private:
    void takeEverythingHeld() {
        if (holding_) {
            holding_ = false;
            TranslateMessage(&held_);
            DispatchMessageA(&held_);
        }
        MSG taken{};
        while (PeekMessageA(&taken, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&taken);
            DispatchMessageA(&taken);
        }
    }

    void createOffscreenCopy() {
        const HDC windowDc = GetDC(window_);
        memoryDc_ = CreateCompatibleDC(windowDc);
        bitmap_ = CreateCompatibleBitmap(windowDc, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
        ReleaseDC(window_, windowDc);
        originalBitmap_ = static_cast<HBITMAP>(SelectObject(memoryDc_, bitmap_));
        originalFont_ = static_cast<HFONT>(SelectObject(memoryDc_, GetStockObject(SYSTEM_FONT)));
        const RECT all{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        FillRect(memoryDc_, &all, GetSysColorBrush(COLOR_WINDOW));
    }

    void paint() {
        PAINTSTRUCT paintInfo{};
        const HDC dc = BeginPaint(window_, &paintInfo);
        if (memoryDc_) {
            const RECT& area = paintInfo.rcPaint;
            BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, memoryDc_, area.left,
                   area.top, SRCCOPY);
        }
        EndPaint(window_, &paintInfo);
    }

    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_PAINT) {
            paint();
            return 0;
        }
        if (message == WM_ERASEBKGND) return 1;  // every pixel comes from the off-screen copy
        if (LRESULT answer = 0; message == WM_GETOBJECT && answerAutomationRequest(window_, wParam, lParam, answer)) {
            return answer;
        }
        const bool altHeld = (lParam & kAltHeldBit) != 0;
        const auto panelMessage =
            systemKeyNeedsDefault(message, wParam, altHeld) ? std::nullopt : panelMessageFor(message, wParam);
        if (!panelMessage) return DefWindowProcA(window_, message, wParam, lParam);
        pending_.push(*panelMessage);
        return 0;
    }

    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE) {
            const auto* creation = reinterpret_cast<const CREATESTRUCTA*>(lParam);
            SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
        }
        auto* self = reinterpret_cast<WinPanelWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (!self || self->window_ != window) return DefWindowProcA(window, message, wParam, lParam);
        return self->handle(message, wParam, lParam);
    }

    HWND window_ = nullptr;
    HDC memoryDc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HBITMAP originalBitmap_ = nullptr;
    HFONT font_ = nullptr;
    HFONT originalFont_ = nullptr;
    int x_ = 0;
    int y_ = 0;
    PendingMessages pending_;
    MSG held_{};
    bool holding_ = false;
};

}  // namespace

std::unique_ptr<PanelWindow> makePanelWindow() { return std::make_unique<WinPanelWindow>(); }

}  // namespace platform::windows_backend
