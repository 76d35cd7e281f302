// The symbology switch: argument 1 of a generation run.
#pragma once

#include <string_view>

#include "model/job.h"

namespace merrowin {

// Sets Kind and the style flags for a recognised switch ("/j13", "/J8F", ...;
// the whole argument must match after lower-casing A-Z). Returns false and
// leaves the job untouched when the switch is not recognised.
bool ApplySwitch(std::string_view argument, BarcodeJob& job);

}  // namespace merrowin
