// Building the forms' child controls from layout tables: labels, buttons,
// check boxes and edits in the forms' font.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "common/win/win_util.h"

namespace merrowin::win {

enum class ControlKind : unsigned char {
    Label,          // static text; width 0 sizes it to its text
    PaintedLabel,   // a label drawn by its parent on WM_DRAWITEM
    Button,         // push button
    DefaultButton,  // push button pressed by Enter
    CheckBox,       // automatic check box
    Edit,           // single-line edit
};

// One control of a form: client position, size and caption.
struct ControlSpec {
    ControlKind kind;
    int id;
    int left;
    int top;
    int width;
    int height;
    const wchar_t* text;
    bool hidden = false;  // created invisible, shown by the form when needed
};

// The status window's background and the settings window's heading ellipse.
inline constexpr COLORREF kYellow = RGB(255, 255, 0);

// Paints a form on a solid background: the erase with `background`, and
// the labels drawn transparently on `colour`. Nothing for other messages.
std::optional<LRESULT> PaintSolidBackground(HWND form, UINT message, WPARAM wParam,
                                            HBRUSH background, COLORREF colour);

// The forms' font "ＭＳ Ｐゴシック" in the Shift-JIS character set,
// `height` pixels high (character height, as a negative lfHeight); every
// window of the program uses it.
UniqueFont CreateFormFont(int height, bool bold = false);

// Creates one child control with the given font; tab stops for everything
// but labels, so the creation order is the tab order.
HWND CreateControl(HWND parent, const ControlSpec& item, HFONT font);

// The size of one line of text in the font, as a label sized to its text.
SIZE TextExtent(HFONT font, std::wstring_view text);

// Checks or unchecks a check box; true when its state changed.
bool SetCheck(HWND checkBox, bool checked);
bool IsChecked(HWND checkBox);

std::wstring WindowText(HWND window);

}  // namespace merrowin::win
