// A generation run's first step on Windows: the stored settings read from
// the program's registry key.
#pragma once

#include "model/job.h"

namespace merrowin::win {

// LoadSettings over HKEY_CURRENT_USER's program key: what a generation run
// and a batch call first.
void LoadSettingsFromRegistry(BarcodeJob& job);

}  // namespace merrowin::win
