// The program's own help: the one place where the command is explained.
// The help window shows HelpText(). Its prose is usage/help.txt, carried in
// the program (cmake/embed-text.cmake); the switch and option lists come
// from the tables: the switches' words from the symbology table
// (model/symbology.cpp), the other options' from the option table
// (model/options.h), the sizes' meanings from help_text.cpp and their value
// lines from the numeric option table, worded here.
//
// help.txt is the help as the window shows it, line by line, with three
// lines that stand for generated text: {caption} (the usage window's
// caption), {switches} and {options} (the two lists). A section is a line
// "■ title", a blank line, its text indented by two blanks, and a blank
// line before the next "■". README.txt's Japanese part repeats the prose
// sections word for word (the help test compares them).
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

// The lines of help.txt that stand for generated text.
inline constexpr std::string_view kCaptionMarker = "{caption}";
inline constexpr std::string_view kSwitchesMarker = "{switches}";
inline constexpr std::string_view kOptionsMarker = "{options}";

// help.txt as written, markers and all (generated at build time).
std::string_view HelpSource();

// The whole help, lines ending in '\n': help.txt with its markers replaced.
std::string HelpText();

}  // namespace merrowin
