// The program's own help: the one place where the command is explained.
// The help window shows HelpText(); its switch and option lists come from
// the tables in help_text.cpp, the value lines of the numeric options from
// the option table (model/options.h), worded here.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/version.h"
#include "model/options.h"

namespace merrowin {

// The usage window's caption: "Merrowin", an ideographic space, the version.
inline constexpr std::string_view kUsageCaption = "Merrowin\u3000Version " MERROWIN_VERSION_SHORT;
inline constexpr std::string_view kHelpCaption = "Merrowin ヘルプ";

// One row of the switch or option list: the term as it is typed and what it
// does, in lines separated by '\n'.
struct HelpEntry {
    std::string term;  // "/j13", "/bhNN": prefix, key, placeholder for the value
    std::string text;
};

// The symbology switches, in the order the help lists them.
std::vector<HelpEntry> HelpSwitches();
// Every option, one row per key (the term's second and third characters).
std::vector<HelpEntry> HelpOptions();

// The help's value line of an option, in Japanese: how many digits, what
// each other length gives, the clamps and the resulting range
// ("値: 2 桁。1 桁以下は 10、3 桁以上は 100。範囲 0～100").
std::string ValueRule(const NumericOption& option);

// The range as the README's option table states it: "0–100", or for the
// side margins "JAN 11–30, ITF 0–20".
std::string RangeText(const NumericOption& option);

// Breaks a text into lines of at most `columns` display columns (a
// full-width character takes two), only after "、" and "。"; a longer
// stretch without them stays one line.
std::string WrapText(std::string_view text, std::size_t columns);

// The whole help, lines ending in '\n'.
std::string HelpText();

}  // namespace merrowin
