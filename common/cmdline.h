// Splitting the process command line into arguments.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace merrowin {

// Splits a whole command line at blanks (spaces and tabs); a double-quoted
// stretch may hold blanks and loses its quotes. The first element is the
// program name as written. Backslashes have no special meaning.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

}  // namespace merrowin
