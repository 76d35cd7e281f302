// TForm1: the small borderless status window of a generation run. Its
// creation carries out the whole run.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/run.h"
#include "common/win/controls.h"

namespace merrowin::win {

class TForm1 final : public FormWindow {
public:
    explicit TForm1(CommandLine command);
    ~TForm1() override;

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

    void FormCreate();
    void FormDblClick();
    void Button1Click();
    void ShowOutcome(const RunOutcome& outcome);
    void SetLabel1(std::string_view text);
    bool OnLabel1(LPARAM clientPoint) const;

    CommandLine command_;
    bool finished_ = false;
    UniqueFont font_;
    UniqueBrush background_;
};

}  // namespace merrowin::win
