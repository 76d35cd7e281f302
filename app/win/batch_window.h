// The status window of a batch (/bt): a progress bar, "n / N" and a 中止
// button while the list is worked through; the summary, the report's path
// and the exit button when a line went wrong or the batch was stopped.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/batch.h"
#include "common/win/controls.h"
#include "common/win/form_window.h"

namespace merrowin::win {

class BatchWindow final : public FormWindow {
public:
    BatchWindow() = default;
    ~BatchWindow() override;

    // Creates the window (hidden until the batch has run for a moment).
    bool Create(HINSTANCE instance);
    // Shows "n / N" and keeps the window answering; called after every
    // line, it does its work only a few times a second. False once 中止 was
    // pressed (or Esc, or the window was asked to close).
    bool Progress(std::size_t done, std::size_t total);
    // Shows how the batch ended; true when the window stays open for the
    // user (the summary, the error state).
    bool ShowOutcome(const BatchOutcome& outcome);

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    HWND Item(int id) const { return ::GetDlgItem(Handle(), id); }
    void Show();
    void SetLabel(int id, std::string_view text);
    void ButtonClick();

    UniqueFont font_;
    UniqueBrush background_;
    unsigned long long startedAt_ = 0;
    unsigned long long shownAt_ = 0;
    bool shown_ = false;
    bool stopRequested_ = false;
    bool finished_ = false;
};

// The whole batch in its window: returns the process's exit code.
int RunBatchWindow(HINSTANCE instance, const std::vector<std::string>& arguments);

}  // namespace merrowin::win
