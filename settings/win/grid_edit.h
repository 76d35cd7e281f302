// The 36 edits of the settings grid: digits and backspace only, from the
// keyboard and from the clipboard, and legible while disabled.
#pragma once

#include <windows.h>

namespace merrowin::win {

// The grid edits' key filter: a character that may not be
// typed becomes 0 and is dropped.
void FilterGridKey(wchar_t& key);

// Gives a grid edit its margins, no input-method editor and the filter.
void MakeGridEdit(HWND edit);

}  // namespace merrowin::win
