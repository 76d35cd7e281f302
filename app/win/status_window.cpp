#include "app/win/status_window.h"

#include <exception>

#include "app/run.h"
#include "app/win/win_platform.h"
#include "settings/win/registry_store.h"

namespace merrowin::win {
namespace {

constexpr wchar_t kClassName[] = L"TForm1";
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr int kClientWidth = 248;
constexpr int kClientHeight = 40;
constexpr int kLabel1Id = 100;
constexpr int kButton1Id = 101;

// The window's font: "ＭＳ Ｐゴシック", Shift-JIS, characters 12 pixels high.
UniqueFont CreateFormFont() {
    LOGFONTW logFont{};
    logFont.lfHeight = -12;
    logFont.lfWeight = FW_NORMAL;
    logFont.lfCharSet = SHIFTJIS_CHARSET;
    logFont.lfQuality = DEFAULT_QUALITY;
    logFont.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    const std::wstring face = Widen("ＭＳ Ｐゴシック");
    face.copy(logFont.lfFaceName, LF_FACESIZE - 1);
    return UniqueFont(::CreateFontIndirectW(&logFont));
}

}  // namespace

TForm1::TForm1(std::vector<std::string> arguments) : arguments_(std::move(arguments)) {}

TForm1::~TForm1() {
    if (hwnd_) ::DestroyWindow(hwnd_);
}

bool TForm1::Create(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = &TForm1::WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    if (!::RegisterClassExW(&windowClass) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return false;

    font_ = CreateFormFont();
    background_ = UniqueBrush(::CreateSolidBrush(kYellow));

    // Borderless, so the window is as large as its client area; centred on
    // the screen.
    const int left = (::GetSystemMetrics(SM_CXSCREEN) - kClientWidth) / 2;
    const int top = (::GetSystemMetrics(SM_CYSCREEN) - kClientHeight) / 2;
    if (!::CreateWindowExW(0, kClassName, kAppTitle, WS_POPUP | WS_CLIPCHILDREN, left, top,
                           kClientWidth, kClientHeight, nullptr, nullptr, instance, this))
        return false;
    // The run happens once the window and its controls exist, before it is
    // first shown; an error box then has a complete (hidden) owner.
    // This is the one place where a run's failures end up: the error box,
    // and the window stays as the run left it.
    try {
        FormCreate();
    } catch (const std::exception& error) {
        ShowErrorBox(hwnd_, error.what());
    }
    return true;
}

void TForm1::Show() {
    ::ShowWindow(hwnd_, SW_SHOWNORMAL);
    ::UpdateWindow(hwnd_);
    ::SetForegroundWindow(hwnd_);
    if (::IsWindowVisible(Button1)) ::SetFocus(Button1);
}

LRESULT CALLBACK TForm1::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* form = static_cast<TForm1*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        form->hwnd_ = hwnd;
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto* form = reinterpret_cast<TForm1*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (message == WM_NCDESTROY && form) {
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        form->hwnd_ = nullptr;
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return form ? form->HandleMessage(message, wParam, lParam)
                : ::DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT TForm1::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            CreateControls();
            return 0;
        case WM_ERASEBKGND: {
            RECT client{};
            ::GetClientRect(hwnd_, &client);
            ::FillRect(reinterpret_cast<HDC>(wParam), &client, background_.get());
            return 1;
        }
        case WM_CTLCOLORSTATIC:
            ::SetBkColor(reinterpret_cast<HDC>(wParam), kYellow);
            ::SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
            return reinterpret_cast<LRESULT>(background_.get());
        case WM_LBUTTONDBLCLK:
            // The label lets mouse messages through to the window; a
            // double-click on the status text is not the window's.
            if (!OnLabel1(lParam)) FormDblClick();
            return 0;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case kButton1Id:
                    Button1Click();
                    return 0;
                case IDOK:
                case IDCANCEL:  // Enter and Esc act as the exit button while it shows
                    if (::IsWindowVisible(Button1)) Button1Click();
                    return 0;
            }
            break;
        case WM_DESTROY:
            ::PostQuitMessage(ExitCode());
            return 0;
    }
    return ::DefWindowProcW(hwnd_, message, wParam, lParam);
}

void TForm1::CreateControls() {
    const auto instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(hwnd_, GWLP_HINSTANCE));
    Button1 = ::CreateWindowExW(0, L"BUTTON", Widen("終了(&X)").c_str(),
                                WS_CHILD | WS_TABSTOP | BS_PUSHBUTTON, 168, 8, 65, 25, hwnd_,
                                reinterpret_cast<HMENU>(kButton1Id), instance, nullptr);
    Label1 = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFT, 16, 16, 0, 0,
                               hwnd_, reinterpret_cast<HMENU>(kLabel1Id), instance, nullptr);
    ::SendMessageW(Button1, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    ::SendMessageW(Label1, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    SetLabel1("Label1");
}

void TForm1::FormCreate() {
    WinPlatform platform(hwnd_);
    const RunOutcome outcome = RunGeneration(arguments_, LoadSettingsFromRegistry, platform);
    SetLabel1(outcome.status);
    if (outcome.ShowsExitButton()) ::ShowWindow(Button1, SW_SHOWNA);
    if (!outcome.error.empty()) ShowErrorBox(hwnd_, outcome.error);
    finished_ = outcome.state == RunOutcome::State::Produced;
}

void TForm1::FormDblClick() {
    ::DestroyWindow(hwnd_);
}

void TForm1::Button1Click() {
    ::DestroyWindow(hwnd_);
}

// Sets the status line and sizes the label to its text.
void TForm1::SetLabel1(std::string_view text) {
    const std::wstring wide = Widen(text);
    ::SetWindowTextW(Label1, wide.c_str());
    SIZE size{};
    if (HDC dc = ::GetDC(Label1)) {
        {
            SelectGuard selected(dc, font_.get());
            ::GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
        }
        ::ReleaseDC(Label1, dc);
    }
    ::SetWindowPos(Label1, nullptr, 0, 0, size.cx, size.cy,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool TForm1::OnLabel1(LPARAM clientPoint) const {
    RECT label{};
    ::GetWindowRect(Label1, &label);
    ::MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&label), 2);
    const POINT point{static_cast<short>(LOWORD(clientPoint)),
                      static_cast<short>(HIWORD(clientPoint))};
    return ::PtInRect(&label, point) != FALSE;
}

}  // namespace merrowin::win
