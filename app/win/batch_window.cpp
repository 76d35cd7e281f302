#include "app/win/batch_window.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <exception>
#include <memory>

#include "app/win/win_platform.h"
#include "common/errors.h"
#include "settings/win/registry_settings.h"

namespace merrowin::win {
namespace {

enum BatchControlId : int {
    kStatusLabel = 100,
    kCountLabel = 101,
    kReportLabel = 102,
    kProgressBar = 103,
    kStopButton = 104,  // 中止, then 終了(X) once the batch is over
};

constexpr int kClientWidth = 360;
constexpr int kClientHeight = 72;
constexpr int kMargin = 16;
// What the progress costs: the window is brought up to date and answers
// its messages this often, not once per line.
constexpr unsigned long long kUpdateMs = 150;
// A batch that is over sooner does not flash a window.
constexpr unsigned long long kShowAfterMs = 300;

// What Windows' end-of-session screen shows while a stopped batch writes
// its report.
constexpr wchar_t kShutdownReason[] = L"中止したバーコード作成のレポートを保存しています";

// The status label's text is set at creation: kBatchProgressText.
constexpr std::array<ControlSpec, 4> kBatchLayout{{
    {ControlKind::Button, kStopButton, 276, 40, 68, 25, L"中止"},
    {ControlKind::Label, kStatusLabel, kMargin, 12, 0, 0, L""},
    {ControlKind::Label, kCountLabel, 276, 16, 0, 0, L"0 / 0"},
    {ControlKind::Label, kReportLabel, kMargin, 32, 0, 0, L"", true},
}};

}  // namespace

BatchWindow::~BatchWindow() {
    DestroyForm();
}

bool BatchWindow::Create(HINSTANCE instance) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    font_ = CreateFormFont(12);
    background_ = UniqueBrush(::CreateSolidBrush(kYellow));
    if (!CreateForm(instance, kBatchWindowClass, kAppTitle, WS_POPUP | WS_BORDER | WS_CLIPCHILDREN,
                    0, kClientWidth, kClientHeight, nullptr))
        return false;
    for (const ControlSpec& item : kBatchLayout) CreateControl(Handle(), item, font_.get());
    SetLabel(kStatusLabel, kBatchProgressText);
    ::CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD | WS_VISIBLE, kMargin, 40, 244, 20,
                      Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kProgressBar)),
                      instance, nullptr);
    startedAt_ = ::GetTickCount64();
    return true;
}

void BatchWindow::Show() {
    shown_ = true;
    ::ShowWindow(Handle(), SW_SHOWNORMAL);
    ::UpdateWindow(Handle());
    ::SetForegroundWindow(Handle());
    ::SetFocus(Item(kStopButton));
}

bool BatchWindow::Progress(std::size_t done, std::size_t total) {
    const unsigned long long now = ::GetTickCount64();
    // The last line is always shown; a total of 0 is the list being read
    // through, before the lines are counted.
    const bool last = total > 0 && done == total;
    if (now - shownAt_ < kUpdateMs && !last) return !stopRequested_;
    shownAt_ = now;
    if (!shown_ && now - startedAt_ >= kShowAfterMs) Show();
    if (shown_ && total > 0) {
        // The bar counts in thousandths, so lists longer than its 16-bit
        // positions on older systems move it all the same.
        const auto permille = static_cast<WPARAM>(total ? done * 1000 / total : 0);
        ::SendMessageW(Item(kProgressBar), PBM_SETRANGE32, 0, 1000);
        ::SendMessageW(Item(kProgressBar), PBM_SETPOS, permille, 0);
        SetLabel(kCountLabel, std::to_string(done) + " / " + std::to_string(total));
    }
    // Whatever came in since the last time: paint, the 中止 button, Esc.
    MSG msg{};
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            RequestStop();
            break;
        }
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
            RequestStop();
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return !stopRequested_;
}

bool BatchWindow::ShowOutcome(const BatchOutcome& outcome) {
    finished_ = true;
    // The report is committed (or could not be written): Windows may end
    // the session again.
    shutdownBlock_.Destroy();
    if (outcome.state == BatchOutcome::State::AllMade) return false;
    if (outcome.state == BatchOutcome::State::Stopped) {
        ShowErrorBox(Handle(), outcome.error);
        return false;
    }
    // The error state: the summary, the report and the exit button.
    ::ShowWindow(Item(kProgressBar), SW_HIDE);
    ::ShowWindow(Item(kCountLabel), SW_HIDE);
    SetLabel(kStatusLabel, outcome.status);
    if (!outcome.reportPath.empty()) {
        SetLabel(kReportLabel, ReportPathText(outcome.reportPath));
        ::ShowWindow(Item(kReportLabel), SW_SHOWNA);
    }
    OfferExit();
    // Wide enough for the texts: a report deep in folders has a long path.
    RECT status{}, report{};
    ::GetWindowRect(Item(kStatusLabel), &status);
    ::GetWindowRect(Item(kReportLabel), &report);
    const int textWidth = std::max(status.right - status.left, report.right - report.left);
    const int width = std::max(kClientWidth, textWidth + 2 * kMargin);
    const int height = kClientHeight + 24;
    ::SetWindowPos(Item(kStopButton), nullptr, width - kMargin - 68, height - 33, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT frame{0, 0, width, height};
    ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongPtrW(Handle(), GWL_STYLE)),
                         FALSE, 0);
    ::SetWindowPos(Handle(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Show();
    ::InvalidateRect(Handle(), nullptr, TRUE);
    if (!outcome.error.empty()) ShowErrorBox(Handle(), outcome.error);
    return true;
}

LRESULT BatchWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (const auto painted =
            PaintSolidBackground(Handle(), message, wParam, background_.get(), kYellow))
        return *painted;
    switch (message) {
        case DM_GETDEFID:
            return MAKELONG(kStopButton, DC_HASDEFID);
        case WM_COMMAND:
            if (LOWORD(wParam) == IDCANCEL ||
                (LOWORD(wParam) == kStopButton && HIWORD(wParam) == BN_CLICKED)) {
                StopOrClose();
                return 0;
            }
            break;
        case WM_CLOSE:  // Alt+F4, or another program closing the window
            StopOrClose();
            return 0;
        case WM_QUERYENDSESSION:
            return AnswerEndSession();
        case WM_DESTROY:
            ::PostQuitMessage(1);
            return 0;
        default:
            break;
    }
    return FormWindow::HandleMessage(message, wParam, lParam);
}

// 中止 while the batch runs (it stops after the current file), 終了 after.
void BatchWindow::StopOrClose() {
    if (!finished_) {
        RequestStop();
        return;
    }
    ::DestroyWindow(Handle());
}

// The batch stops after the current file; 中止 takes no second click.
void BatchWindow::RequestStop() {
    stopRequested_ = true;
    ::EnableWindow(Item(kStopButton), FALSE);
}

// Windows asks whether the session may end (log-off, shutdown, restart).
// A batch stopped by it still owes its report, the one record of which
// lines made their file; without it the user cannot tell what to run
// again. WM_QUERYENDSESSION lets an application answer FALSE where ending
// now would spoil work under way, and "Application Shutdown Changes in
// Windows Vista" adds: "if your application must block shutdown, in
// addition to returning FALSE ... it should ... provide Windows with a
// reason string" (ShutdownBlockReasonCreate), for "applications that
// return TRUE to WM_QUERYENDSESSION will be closed at shutdown". So: stop
// after the current file, answer FALSE with the reason, and drop the block
// once the report is committed (ShowOutcome). "Shutdown Changes for Windows
// Vista": the system does not let applications without a visible window
// cancel shutdown, hence the window shows at once. Should the user end the
// session all the same, every file written so far is whole (each replaces
// its old one by a single rename) and no half report is left. Once the
// batch is over nothing is left to finish: TRUE; on the WM_ENDSESSION that
// follows an application need not destroy its window (WM_ENDSESSION).
LRESULT BatchWindow::AnswerEndSession() {
    if (finished_) return TRUE;
    RequestStop();
    if (!shown_) Show();
    shutdownBlock_.Create(Handle(), kShutdownReason);
    return FALSE;
}

// The exit button once the batch is over, however it ended: enabled again
// (中止 disabled it), the default button and, when shown, focused; Enter,
// Esc and a click then close the window.
void BatchWindow::OfferExit() {
    const HWND button = Item(kStopButton);
    ::SetWindowTextW(button, L"終了(&X)");
    ::EnableWindow(button, TRUE);
    ::SendMessageW(button, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
}

void BatchWindow::SetLabel(int id, std::string_view text) {
    const std::wstring wide = Widen(text);
    ::SetWindowTextW(Item(id), wide.c_str());
    const SIZE size = TextExtent(font_.get(), wide);
    ::SetWindowPos(Item(id), nullptr, 0, 0, size.cx, size.cy,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int RunBatchWindow(HINSTANCE instance, const CommandLine& command) {
    BatchWindow window;
    if (!window.Create(instance)) return 1;
    BatchOutcome outcome;
    // Memory running out is the one failure no rule of the batch foresees.
    try {
        WinPlatform platform(window.Handle());
        WinBatchPort port([&window](std::size_t done, std::size_t total) {
            return window.Progress(done, total);
        });
        outcome = RunBatch(command, LoadSettingsFromRegistry, platform, port);
    } catch (const std::exception& error) {
        outcome.state = BatchOutcome::State::Stopped;
        outcome.error = error.what();
    }
    if (!window.ShowOutcome(outcome)) return outcome.ExitCode();
    RunMessageLoop([] { return true; });
    return outcome.ExitCode();
}

}  // namespace merrowin::win
