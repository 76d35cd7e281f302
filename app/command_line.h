// The command line as the program reads it, and the driver that fills the
// job from the stored settings and the options of arguments 2 to n.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/job.h"

namespace merrowin {

// One option argument: a prefix character (usually "/"), the key, then the
// value right behind it ("/bh60": key "bh", value "60").
struct CommandOption {
    std::string key;    // characters 2 and 3, lower-cased (A-Z only)
    std::string value;  // characters 4 on, as written
};

// A command line read once: the switch and the options in their order.
struct CommandLine {
    std::string symbolSwitch;  // argument 1 as written; empty without arguments
    std::vector<CommandOption> options;
};

// The option of an argument; nothing for an argument shorter than three
// characters, which no option is.
std::optional<CommandOption> ParseOption(std::string_view argument);

// Reads the arguments after the program name: the switch, then the options.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// Whether the command line has an option with `key`.
bool OptionGiven(const CommandLine& command, std::string_view key);

// Fills the job's sizes, folder choice and output flags from the store (or
// the built-in defaults); supplied by the caller.
using SettingsLoader = std::function<void(BarcodeJob&)>;

// Applies one option to the job; unknown keys are ignored. Throws
// ConversionError for a value that must be an integer and is not.
void ApplyOption(const CommandOption& option, BarcodeJob& job);

// Loads the settings and applies `options` left to right. True when data
// digits were taken: the symbol is to be made; false means the error state
// ("コマンドが正しくありません。" and the exit button). Throws
// ConversionError as ApplyOption does.
bool RunCommandLine(const std::vector<CommandOption>& options, BarcodeJob& job,
                    const SettingsLoader& loadSettings);

inline constexpr std::string_view kCommandErrorText = "コマンドが正しくありません。";
inline constexpr std::string_view kMakingText = "バーコード作成中...";

}  // namespace merrowin
