// The usage window of an interactive start (no command-line arguments).
#pragma once

#include <windows.h>

#include <functional>

#include "settings/win/settings_window.h"

namespace merrowin::win {

// What the usage window opens that the generation run makes: the program's
// entry gives them, so the windows below it need not know the run.
struct InteractiveFronts {
    // Opens the maker window owned by `owner`, or brings the open one forward.
    std::function<void(HWND owner)> openMaker;
    // The settings window's preview picture.
    SettingsPreviewSource settingsPreview;
};

// Shows the usage window (with the hidden settings window) and runs the
// message loop until it closes; returns the process exit status.
int RunInteractive(HINSTANCE instance, const InteractiveFronts& fronts);

}  // namespace merrowin::win
