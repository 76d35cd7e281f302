#include "app/win/status_window.h"

#include <array>
#include <exception>

#include "app/run.h"
#include "app/win/win_platform.h"
#include "settings/win/registry_store.h"

namespace merrowin::win {
namespace {

enum StatusControlId : int {
    kLabel1 = 100,
    kButton1 = 101,
};

// Borderless, so the window is as large as its client area.
constexpr int kClientWidth = 248;
constexpr int kClientHeight = 40;

// The exit button first: it is the only tab stop.
constexpr std::array<ControlSpec, 2> kStatusLayout{{
    {ControlKind::Button, kButton1, 168, 8, 65, 25, L"終了(&X)", true},
    {ControlKind::Label, kLabel1, 16, 16, 0, 0, L"Label1"},
}};

}  // namespace

TForm1::TForm1(std::vector<std::string> arguments) : arguments_(std::move(arguments)) {}

TForm1::~TForm1() {
    DestroyForm();
}

bool TForm1::Create(HINSTANCE instance) {
    font_ = CreateFormFont(12);
    background_ = UniqueBrush(::CreateSolidBrush(kYellow));
    if (!CreateForm(instance, L"TForm1", kAppTitle, WS_POPUP | WS_CLIPCHILDREN, 0, kClientWidth,
                    kClientHeight, nullptr, CS_DBLCLKS))
        return false;
    for (const ControlSpec& item : kStatusLayout) CreateControl(Handle(), item, font_.get());
    // The run happens once the window and its controls exist, before it is
    // first shown; an error box then has a complete (hidden) owner. The run
    // reports its own failures in its outcome; this barrier only catches
    // what no rule of the run foresees (memory running out).
    try {
        FormCreate();
    } catch (const std::exception& error) {
        ShowErrorBox(Handle(), error.what());
    }
    return true;
}

void TForm1::Show() {
    ::ShowWindow(Handle(), SW_SHOWNORMAL);
    ::UpdateWindow(Handle());
    ::SetForegroundWindow(Handle());
    if (::IsWindowVisible(Item(kButton1))) ::SetFocus(Item(kButton1));
}

LRESULT TForm1::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND: {
            RECT client{};
            ::GetClientRect(Handle(), &client);
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
        case DM_GETDEFID:
            // Enter presses the exit button; the message loop presses it
            // only while it is visible.
            return MAKELONG(kButton1, DC_HASDEFID);
        case WM_COMMAND:
            if (LOWORD(wParam) == IDCANCEL) {  // Esc, also only while the button shows
                if (::IsWindowVisible(Item(kButton1))) Button1Click();
                return 0;
            }
            if (LOWORD(wParam) == kButton1 && HIWORD(wParam) == BN_CLICKED) {
                Button1Click();
                return 0;
            }
            break;
        case WM_DESTROY:
            ::PostQuitMessage(ExitCode());
            return 0;
        default:
            break;
    }
    return FormWindow::HandleMessage(message, wParam, lParam);
}

void TForm1::FormCreate() {
    WinPlatform platform(Handle());
    const RunOutcome outcome = RunGeneration(arguments_, LoadSettingsFromRegistry, platform);
    SetLabel1(outcome.status);
    if (outcome.ShowsExitButton()) ::ShowWindow(Item(kButton1), SW_SHOWNA);
    if (!outcome.error.empty()) ShowErrorBox(Handle(), outcome.error);
    finished_ = outcome.state == RunOutcome::State::Produced;
}

void TForm1::FormDblClick() {
    ::DestroyWindow(Handle());
}

void TForm1::Button1Click() {
    ::DestroyWindow(Handle());
}

// Sets the status line and sizes the label to its text.
void TForm1::SetLabel1(std::string_view text) {
    const std::wstring wide = Widen(text);
    ::SetWindowTextW(Item(kLabel1), wide.c_str());
    const SIZE size = MeasureText(font_.get(), wide);
    ::SetWindowPos(Item(kLabel1), nullptr, 0, 0, size.cx, size.cy,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool TForm1::OnLabel1(LPARAM clientPoint) const {
    RECT label{};
    ::GetWindowRect(Item(kLabel1), &label);
    ::MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&label), 2);
    const POINT point{static_cast<short>(LOWORD(clientPoint)),
                      static_cast<short>(HIWORD(clientPoint))};
    return ::PtInRect(&label, point) != FALSE;
}

}  // namespace merrowin::win
