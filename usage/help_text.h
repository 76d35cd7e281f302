// The program's own help: the one place where the command is explained.
// The help window shows HelpText(); its switch and option lists come from
// the tables in help_text.cpp, the value lines of the numeric options from
// the option table (model/options.h).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/version.h"

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

// Breaks a text into lines of at most `columns` display columns (a
// full-width character takes two), only after "、" and "。"; a longer
// stretch without them stays one line.
std::string WrapText(std::string_view text, std::size_t columns);

// The whole help, lines ending in '\n'.
std::string HelpText();

}  // namespace merrowin
