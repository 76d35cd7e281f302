// The status window of a batch (/bt): a progress bar, "n / N" and a 中止
// button while the list is worked through; the summary, the report's path
// and the exit button when a line went wrong or the batch was stopped (by
// 中止, Esc, Alt+F4 or the end of the Windows session).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/batch.h"
#include "common/win/controls.h"
#include "common/win/form_window.h"
#include "common/win/system_function.h"

namespace merrowin::win {

// The batch window's class name.
inline constexpr wchar_t kBatchWindowClass[] = L"TBatchForm";

class BatchWindow final : public FormWindow {
public:
    BatchWindow() = default;
    ~BatchWindow() override;

    // Creates the window (hidden until the batch has run for a moment).
    bool Create(HINSTANCE instance);
    // Shows "n / N" and keeps the window answering; called after every
    // line, it does its work only a few times a second. False once 中止 was
    // pressed (or Esc, or the window was asked to close, or Windows asked
    // to end the session).
    bool Progress(std::size_t done, std::size_t total);
    // Shows how the batch ended, the report written; true when the window
    // stays open for the user (the summary, the error state) with its exit
    // button enabled, focused and the default.
    bool ShowOutcome(const BatchOutcome& outcome);

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    HWND Item(int id) const { return ::GetDlgItem(Handle(), id); }
    void Show();
    void SetLabel(int id, std::string_view text);
    // 中止 while the batch runs, 終了 after.
    void StopOrClose();
    void RequestStop();
    LRESULT AnswerEndSession();
    void OfferExit();

    UniqueFont font_;
    UniqueBrush background_;
    unsigned long long startedAt_ = 0;
    unsigned long long shownAt_ = 0;
    bool shown_ = false;
    bool stopRequested_ = false;
    bool finished_ = false;
    ScopedShutdownBlockReason shutdownBlock_;
};

// The whole batch in its window: returns the process's exit code.
int RunBatchWindow(HINSTANCE instance, const CommandLine& command);

}  // namespace merrowin::win
