// The program's own help window: the help text in a read-only edit that can
// be selected and copied. Shown by the usage window's help button when there
// is no WinHelp file (Windows 10 and 11 have no WinHelp), and by "merrowin /?".
#pragma once

#include <windows.h>

#include "common/win/controls.h"
#include "common/win/form_window.h"

namespace merrowin::win {

inline constexpr wchar_t kHelpWindowClass[] = L"MerrowinHelp";
inline constexpr int kHelpEditId = 401;

class HelpWindow final : public FormWindow {
public:
    // Creates and shows the window, owned by `owner` but not modal to it.
    // Without an owner it is a window of its own, and closing it ends the
    // message loop.
    HelpWindow(HINSTANCE instance, HWND owner);
    ~HelpWindow() override;

    // Puts the open window in front of the others, restored if minimised.
    void BringForward();

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    static LRESULT CALLBACK EditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR id, DWORD_PTR data);

    HWND owner_;
    UniqueFont font_;
    HWND edit_ = nullptr;
};

// "merrowin /?": the help window alone until it is closed; returns the
// process exit status.
int RunHelp(HINSTANCE instance);

}  // namespace merrowin::win
