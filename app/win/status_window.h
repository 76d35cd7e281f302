// The small borderless status window of a generation run. Its creation
// carries out the whole run.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/run.h"
#include "common/win/controls.h"
#include "common/win/form_window.h"

namespace merrowin::win {

// The status window's class name: other programs find the window by it.
inline constexpr wchar_t kStatusWindowClass[] = L"TForm1";

class StatusWindow final : public FormWindow {
public:
    explicit StatusWindow(CommandLine command);
    ~StatusWindow() override;

    // Creates the window (hidden) and carries out the run in it.
    // Returns false when the window could not be created.
    bool Create(HINSTANCE instance);
    // True when the symbol was produced: the process ends without showing
    // the window.
    bool Finished() const { return finished_; }
    // Shows the window as the run left it.
    void Show();
    // 0 when the symbol was produced, 1 otherwise.
    int ExitCode() const { return finished_ ? 0 : 1; }

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    HWND Item(int id) const { return ::GetDlgItem(Handle(), id); }

    void Generate();
    void Close();
    void ShowOutcome(const RunOutcome& outcome);
    void SetStatusText(std::string_view text);
    bool OnStatusText(LPARAM clientPoint) const;

    CommandLine command_;
    bool finished_ = false;
    UniqueFont font_;
    UniqueBrush background_;
};

}  // namespace merrowin::win
