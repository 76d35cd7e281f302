#include "common/cmdline.h"

namespace merrowin {

std::vector<std::string> SplitCommandLine(std::string_view commandLine) {
    std::vector<std::string> arguments;
    std::size_t i = 0;
    auto blank = [&](std::size_t at) { return commandLine[at] == ' ' || commandLine[at] == '\t'; };
    for (;;) {
        while (i < commandLine.size() && blank(i)) ++i;
        if (i == commandLine.size()) return arguments;
        std::string argument;
        bool quoted = false;
        for (; i < commandLine.size() && (quoted || !blank(i)); ++i) {
            if (commandLine[i] == '"')
                quoted = !quoted;
            else
                argument += commandLine[i];
        }
        arguments.push_back(std::move(argument));
    }
}

}  // namespace merrowin
