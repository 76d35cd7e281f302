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

// Applies one option argument ("/bh60", "/cd4901234567894", ...) to the job.
// Unknown keys and arguments shorter than three characters are ignored.
// Throws ConversionError for a value that must be an integer and is not.
void ApplyOption(std::string_view argument, BarcodeJob& job);

// The key of an option argument: characters 2 and 3, lower-cased (A-Z
// only); empty for an argument shorter than three characters.
std::string OptionKey(std::string_view argument);

// Loads the settings and applies `options` (arguments 2 to n) left to
// right. True when data digits were taken: the symbol is to be made; false
// means the error state ("コマンドが正しくありません。" and the exit button).
// Throws ConversionError as ApplyOption does.
bool RunCommandLine(const std::vector<std::string>& options, BarcodeJob& job,
                    const SettingsLoader& loadSettings);

inline constexpr std::string_view kCommandErrorText = "コマンドが正しくありません。";
inline constexpr std::string_view kMakingText = "バーコード作成中...";

}  // namespace merrowin
