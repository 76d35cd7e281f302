// The command-line driver: fills the job from the stored settings and the
// options of arguments 2 to n, and says what the run is to do next.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "model/job.h"

namespace merrowin {

// Fills the job's sizes, folder choice and output flags from the store (or
// the built-in defaults); supplied by the caller.
using SettingsLoader = std::function<void(BarcodeJob&)>;

enum class RunOutcome {
    Generate,    // data digits were taken: draw and output, then end
    ErrorState,  // no data: "コマンドが正しくありません。" and the exit button
};

// Applies one option argument ("/bh60", "/cd4901234567894", ...) to the job.
// Unknown keys and arguments shorter than three characters are ignored.
// Throws ConversionError for a value that must be an integer and is not.
void ApplyOption(std::string_view argument, BarcodeJob& job);

// Loads the settings, applies `options` (arguments 2 to n) left to right and
// decides the outcome. Throws ConversionError as ApplyOption does.
RunOutcome RunCommandLine(const std::vector<std::string>& options, BarcodeJob& job,
                          const SettingsLoader& loadSettings);

inline constexpr std::string_view kCommandErrorText = "コマンドが正しくありません。";
inline constexpr std::string_view kMakingText = "バーコード作成中...";

}  // namespace merrowin
