// The first step of a generation run: the job's sizes and save folder from
// the store, or the built-in defaults.
#pragma once

#include "model/job.h"
#include "settings/store.h"

namespace merrowin {

// The built-in sizes of the job's kind (an unrecognised kind gets the JAN ones).
void LoadBuiltInDefaults(BarcodeJob& job);

// Fills the job's sizes for its kind from the store when Def is set, else the
// built-in defaults; takes DrChk and SaveDr; clears the output flags.
void LoadSettings(BarcodeJob& job, SettingsAccessor& store);

}  // namespace merrowin
