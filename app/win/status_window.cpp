#include "app/win/status_window.h"

#include <algorithm>
#include <array>
#include <exception>

#include "app/run.h"
#include "app/win/win_platform.h"
#include "settings/win/registry_settings.h"

namespace merrowin::win {
namespace {

enum StatusControlId : int {
    kStatusLabel = 100,
    kExitButton = 101,
};

// Borderless, so the window is as large as its client area: at least
// this, wider for a long status line.
constexpr int kClientWidth = 248;
constexpr int kClientHeight = 40;
constexpr int kLabelGap = 16;     // between the status line and the button
constexpr int kRightMargin = 15;  // right of the button

constexpr ControlSpec kExitButtonSpec{
    ControlKind::DefaultButton, kExitButton, 168, 8, 65, 25, L"終了(&X)", true};
constexpr ControlSpec kStatusLabelSpec{ControlKind::Label, kStatusLabel, 16, 16, 0, 0, L""};
// The exit button first: it is the only tab stop, and Enter presses it.
constexpr std::array<ControlSpec, 2> kStatusLayout{kExitButtonSpec, kStatusLabelSpec};

}  // namespace

StatusWindow::StatusWindow(CommandLine command) : command_(std::move(command)) {}

StatusWindow::~StatusWindow() {
    DestroyForm();
}

bool StatusWindow::Create(HINSTANCE instance) {
    font_ = CreateFormFont(12);
    background_ = UniqueBrush(::CreateSolidBrush(kYellow));
    if (!CreateForm(instance, kStatusWindowClass, kAppTitle, WS_POPUP | WS_CLIPCHILDREN, 0,
                    kClientWidth, kClientHeight, nullptr, CS_DBLCLKS))
        return false;
    for (const ControlSpec& item : kStatusLayout) CreateControl(Handle(), item, font_.get());
    // The run happens once the window and its controls exist, before it is
    // first shown; an error box then has a complete (hidden) owner. The run
    // reports its own failures in its outcome; this barrier only catches
    // what no rule of the run foresees (memory running out).
    try {
        Generate();
    } catch (const std::exception& error) {
        ShowOutcome(RunOutcome::Failed(error.what()));
    }
    return true;
}

void StatusWindow::Show() {
    ::ShowWindow(Handle(), SW_SHOWNORMAL);
    ::UpdateWindow(Handle());
    ::SetForegroundWindow(Handle());
    if (::IsWindowVisible(Item(kExitButton))) ::SetFocus(Item(kExitButton));
}

LRESULT StatusWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (const auto painted =
            PaintSolidBackground(Handle(), message, wParam, background_.get(), kYellow))
        return *painted;
    switch (message) {
        case WM_LBUTTONDBLCLK:
            // The label lets mouse messages through to the window; a
            // double-click on the status text is not the window's.
            if (!OnStatusText(lParam)) Close();
            return 0;
        case DM_GETDEFID:
            // Enter presses the exit button; the message loop presses it
            // only while it is visible.
            return MAKELONG(kExitButton, DC_HASDEFID);
        case WM_COMMAND:
            if (LOWORD(wParam) == IDCANCEL) {  // Esc, also only while the button shows
                if (::IsWindowVisible(Item(kExitButton))) Close();
                return 0;
            }
            if (LOWORD(wParam) == kExitButton && HIWORD(wParam) == BN_CLICKED) {
                Close();
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

// The run itself; the window owns its error boxes and shows its outcome.
void StatusWindow::Generate() {
    WinPlatform platform(Handle());
    ShowOutcome(RunGeneration(command_, LoadSettingsFromRegistry, platform));
}

// The window as the run left it: the status line, the exit button when the
// window stays, then the error box, if any.
void StatusWindow::ShowOutcome(const RunOutcome& outcome) {
    finished_ = outcome.state == RunOutcome::State::Produced;
    SetStatusText(outcome.status);
    ::ShowWindow(Item(kExitButton), outcome.ShowsExitButton() ? SW_SHOWNA : SW_HIDE);
    if (!outcome.error.empty()) ShowErrorBox(Handle(), outcome.error);
}

// The exit button, Enter, Esc, or a double-click beside the status text.
void StatusWindow::Close() {
    ::DestroyWindow(Handle());
}

// Sets the status line and sizes the label to its text; a line longer
// than the layout's room moves the button right and widens the window, so
// that the text never runs under the button.
void StatusWindow::SetStatusText(std::string_view text) {
    const std::wstring wide = Widen(text);
    ::SetWindowTextW(Item(kStatusLabel), wide.c_str());
    const SIZE size = TextExtent(font_.get(), wide);
    ::SetWindowPos(Item(kStatusLabel), nullptr, 0, 0, size.cx, size.cy,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const int buttonLeft = std::max(kExitButtonSpec.left,
                                    kStatusLabelSpec.left + static_cast<int>(size.cx) + kLabelGap);
    ::SetWindowPos(Item(kExitButton), nullptr, buttonLeft, kExitButtonSpec.top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetClientSize(std::max(kClientWidth, buttonLeft + kExitButtonSpec.width + kRightMargin),
                  kClientHeight);
}

bool StatusWindow::OnStatusText(LPARAM clientPoint) const {
    RECT label{};
    ::GetWindowRect(Item(kStatusLabel), &label);
    ::MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&label), 2);
    const POINT point{static_cast<short>(LOWORD(clientPoint)),
                      static_cast<short>(HIWORD(clientPoint))};
    return ::PtInRect(&label, point) != FALSE;
}

}  // namespace merrowin::win
