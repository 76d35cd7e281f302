// The shell's folder picker of the settings window's browse button, which
// may make a typed folder that does not exist yet after asking.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace merrowin::win {

// The picker starting at `start`; the chosen folder, or nothing when the
// user cancels. The picker has no help-context parameter, so the help
// context 1000 of the browse button cannot be passed to it.
std::optional<std::wstring> BrowseForFolder(HWND owner, const std::wstring& start);

}  // namespace merrowin::win
