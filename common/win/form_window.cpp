#include "common/win/form_window.h"

#include <algorithm>
#include <exception>
#include <utility>

#include "common/win/resource_ids.h"
#include "common/win/win_util.h"

namespace merrowin::win {
namespace {

// What a form keeps right of and below its controls when it grows to hold
// them: the layout's own smallest offset from the left or top, up to this.
constexpr int kMaxFitMargin = 7;

// The property that marks our forms for the dialog keys of the loop.
constexpr wchar_t kFormProperty[] = L"MerrowinForm";

bool IsPushButton(HWND control) {
    wchar_t className[16] = {};
    ::GetClassNameW(control, className, 16);
    if (::lstrcmpiW(className, L"Button") != 0) return false;
    LONG type = ::GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

void Click(HWND form, HWND button) {
    if (button && ::IsWindowEnabled(button) && ::IsWindowVisible(button))
        ::SendMessageW(form, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(button), BN_CLICKED),
                       reinterpret_cast<LPARAM>(button));
}

// Enter presses the focused push button, else the form's default button.
// IsDialogMessage would press the default button even while another button
// has the focus, which is not what a user of these forms expects.
bool HandleEnter(HWND form, const MSG& msg) {
    if (msg.message != WM_KEYDOWN || msg.wParam != VK_RETURN) return false;
    HWND focus = ::GetFocus();
    if (focus && ::IsChild(form, focus) && IsPushButton(focus)) {
        Click(form, focus);
        return true;
    }
    LRESULT def = ::SendMessageW(form, DM_GETDEFID, 0, 0);
    if (HIWORD(def) == DC_HASDEFID) Click(form, ::GetDlgItem(form, LOWORD(def)));
    return true;
}

bool HandleFormKeys(MSG& msg) {
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST || !msg.hwnd) return false;
    HWND form = ::GetAncestor(msg.hwnd, GA_ROOT);
    if (!form || !::GetPropW(form, kFormProperty)) return false;
    if (HandleEnter(form, msg)) return true;
    return ::IsDialogMessageW(form, &msg) != FALSE;
}

// The exe's icon at a size, or Windows' application icon for a program
// without one (the test programs).
HICON AppIcon(HINSTANCE instance, int size) {
    HANDLE icon = ::LoadImageW(instance, MAKEINTRESOURCEW(MERROWIN_ICON_ID), IMAGE_ICON, size, size,
                               LR_SHARED);
    return icon ? static_cast<HICON>(icon) : ::LoadIconW(nullptr, IDI_APPLICATION);
}

// Moves a top-level window to the centre of the screen, keeping its size.
void CenterOnScreen(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    int left = (::GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    int top = (::GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    ::SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Marks a top-level window for the dialog keys of RunMessageLoop.
void MarkAsForm(HWND window) {
    ::SetPropW(window, kFormProperty, reinterpret_cast<HANDLE>(1));
}

}  // namespace

bool RunMessageLoop(const std::function<bool()>& keepRunning) {
    MSG msg{};
    while (keepRunning()) {
        if (::GetMessageW(&msg, nullptr, 0, 0) <= 0) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        if (HandleFormKeys(msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return true;
}

FormWindow::~FormWindow() {
    DestroyForm();
}

void FormWindow::DestroyForm() {
    if (!hwnd_) return;
    HWND window = std::exchange(hwnd_, nullptr);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    ::DestroyWindow(window);
}

bool FormWindow::CreateForm(HINSTANCE instance, const wchar_t* className, const wchar_t* caption,
                            DWORD style, DWORD exStyle, int width, int height, HWND owner,
                            UINT classStyle) {
    WNDCLASSEXW windowClass{};
    if (!::GetClassInfoExW(instance, className, &windowClass)) {
        windowClass.cbSize = sizeof windowClass;
        windowClass.style = classStyle;
        windowClass.lpfnWndProc = &FormWindow::Procedure;
        windowClass.hInstance = instance;
        windowClass.hIcon = AppIcon(instance, ::GetSystemMetrics(SM_CXICON));
        windowClass.hIconSm = AppIcon(instance, ::GetSystemMetrics(SM_CXSMICON));
        windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = className;
        if (!::RegisterClassExW(&windowClass)) return false;
    }
    HWND window = ::CreateWindowExW(exStyle, className, caption, style, CW_USEDEFAULT,
                                    CW_USEDEFAULT, width, height, owner, nullptr, instance, this);
    if (!window) return false;
    CenterOnScreen(window);
    MarkAsForm(window);
    return true;
}

void FormWindow::SetClientSize(int width, int height) {
    // AdjustWindowRectEx with the window's real styles gives the frame and
    // caption bar of the running system at its current metrics, which on
    // Windows 10 and 11 are larger than the layouts' outer sizes assumed.
    RECT outer{0, 0, width, height};
    const auto style = static_cast<DWORD>(::GetWindowLongW(hwnd_, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(::GetWindowLongW(hwnd_, GWL_EXSTYLE));
    if (!::AdjustWindowRectEx(&outer, style, FALSE, exStyle)) return;
    ::SetWindowPos(hwnd_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CenterOnScreen(hwnd_);
}

void FormWindow::FitClientToControls() {
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    int right = 0;
    int bottom = 0;
    int margin = -1;
    for (HWND child = ::GetWindow(hwnd_, GW_CHILD); child;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        RECT rect{};
        ::GetWindowRect(child, &rect);
        ::MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&rect), 2);
        right = std::max(right, static_cast<int>(rect.right));
        bottom = std::max(bottom, static_cast<int>(rect.bottom));
        const int offset = std::max(0, static_cast<int>(std::min(rect.left, rect.top)));
        margin = margin < 0 ? offset : std::min(margin, offset);
    }
    margin = std::min(margin, kMaxFitMargin);
    if (margin < 0) return;  // no controls
    const int width = std::max(static_cast<int>(client.right), right + margin);
    const int height = std::max(static_cast<int>(client.bottom), bottom + margin);
    if (width != client.right || height != client.bottom) SetClientSize(width, height);
}

LRESULT FormWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SHOWWINDOW:
            // Sent before the window first becomes visible: every control
            // exists, and the window can still change its size unseen.
            if (wParam && !fitted_) {
                fitted_ = true;
                FitClientToControls();
            }
            return Default(message, wParam, lParam);
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focus = ::GetFocus();
                if (focus && ::IsChild(hwnd_, focus)) lastFocus_ = focus;
                return 0;
            }
            [[fallthrough]];
        case WM_SETFOCUS: {
            HWND target = lastFocus_;
            if (!target || !::IsWindow(target) || !::IsWindowEnabled(target) ||
                !::IsChild(hwnd_, target))
                target = ::GetNextDlgTabItem(hwnd_, nullptr, FALSE);
            if (target) ::SetFocus(target);
            return 0;
        }
        default:
            return Default(message, wParam, lParam);
    }
}

LRESULT CALLBACK FormWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* form =
            static_cast<FormWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        form->hwnd_ = window;
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto* form = reinterpret_cast<FormWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!form) return ::DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        ::RemovePropW(window, kFormProperty);
        form->hwnd_ = nullptr;
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    // Exceptions must not unwind through the window manager: every event
    // reports its failure here, once.
    try {
        return form->HandleMessage(message, wParam, lParam);
    } catch (const std::exception& error) {
        ShowErrorBox(window, error.what());
        return 0;
    }
}

}  // namespace merrowin::win
