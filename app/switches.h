// The symbology switch: argument 1 of a generation run.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/command_line.h"
#include "model/job.h"

namespace merrowin {

// Sets Kind and the style flags for a recognised switch ("/j13", "/J8F", ...;
// the whole argument must match after lower-casing A-Z). Returns false and
// leaves the job untouched when the switch is not recognised.
bool ApplySwitch(std::string_view argument, BarcodeJob& job);

// Whether a command line asks for the help instead of a run: argument 1 is
// "/?", "/h", "-?" or "-h" (any case), whatever follows. None of these is a
// switch, so no command line that could make a symbol changes meaning.
bool IsHelpRequest(const CommandLine& command);

}  // namespace merrowin
