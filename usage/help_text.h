// The program's own help: the one place where the command is explained.
// The help window shows HelpText(); its switch and option lists come from
// the two tables below.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "common/version.h"

namespace merrowin {

// The usage window's caption: "Merrowin", an ideographic space, the version.
inline constexpr std::string_view kUsageCaption = "Merrowin\u3000Version " MERROWIN_VERSION_SHORT;
inline constexpr std::string_view kHelpCaption = "Merrowin ヘルプ";

// One row of the switch or option list: the term as it is typed and what it
// does, in lines separated by '\n'.
struct HelpEntry {
    std::string_view term;  // "/j13", "/bhNN": prefix, key, placeholder for the value
    std::string_view text;
};

// The symbology switches, in the order the help lists them.
std::span<const HelpEntry> HelpSwitches();
// Every option, one row per key (the term's second and third characters).
std::span<const HelpEntry> HelpOptions();

// The whole help, lines ending in '\n'.
std::string HelpText();

}  // namespace merrowin
