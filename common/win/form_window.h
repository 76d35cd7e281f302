// The program's top-level windows: FormWindow keeps `this` with its window
// and forwards the messages to a member; the message loop gives such forms
// the keyboard handling of a dialog.
#pragma once

#include <windows.h>

#include <functional>

namespace merrowin::win {

// Pumps messages while `keepRunning` says so; our forms get dialog-like
// keys: Tab and Shift+Tab through the tab order, Alt+letter for "&"
// captions, Enter for the focused or the default button (DM_GETDEFID), Esc
// as a WM_COMMAND with IDCANCEL. Returns false when WM_QUIT
// arrived; the quit is posted again so that an outer loop sees it too.
bool RunMessageLoop(const std::function<bool()>& keepRunning);

// A top-level form: registers its class (button-face background), keeps
// `this` with the window, gives the dialog keys and puts the focus back on
// the control that had it when the form is activated again. When it is
// first shown its client area is grown, where needed, to hold every child
// control: the outer sizes of the layouts leave room for the thin frames and
// captions of older Windows, and Windows 10 and 11 draw larger ones. Errors
// that an event handler lets through are shown in the standard error box.
class FormWindow {
public:
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;
    HWND Handle() const { return hwnd_; }

protected:
    FormWindow() = default;
    virtual ~FormWindow();

    // Creates the hidden window, `width` x `height` with its frame, centred.
    // `classStyle` is given to the class when this creation registers it
    // (CS_DBLCLKS for a form that takes double-clicks).
    bool CreateForm(HINSTANCE instance, const wchar_t* className, const wchar_t* caption,
                    DWORD style, DWORD exStyle, int width, int height, HWND owner,
                    UINT classStyle = 0);
    // Detaches and destroys the window; derived destructors call it first.
    void DestroyForm();
    // The next control to get the focus when the form is activated.
    void SetFocusOnActivate(HWND control) { lastFocus_ = control; }
    // Gives the window the outer size whose client area is `width` x
    // `height` with its own styles, centred on the screen.
    void SetClientSize(int width, int height);

    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam) {
        return ::DefWindowProcW(hwnd_, message, wParam, lParam);
    }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // Grows the client area to hold every child control, with the layout's
    // own margin (its smallest left or top offset, up to 7 pixels) right of
    // and below them.
    void FitClientToControls();

    HWND hwnd_ = nullptr;
    HWND lastFocus_ = nullptr;
    bool fitted_ = false;
};

}  // namespace merrowin::win
