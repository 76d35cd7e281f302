// The usage window of an interactive start (no command-line arguments).
#pragma once

#include <windows.h>

namespace merrowin::win {

// Shows the usage window (with the hidden settings window) and runs the
// message loop until it closes; returns the process exit status.
int RunInteractive(HINSTANCE instance);

}  // namespace merrowin::win
