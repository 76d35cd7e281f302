# Turns a UTF-8 text file into a C++ source that returns it, so that the
# program carries the text without reading a file at run time:
#   cmake -DINPUT=usage/help.txt -DOUTPUT=.../help_source.cpp
#         -DHEADER=usage/help_text.h -DFUNCTION=HelpSource -P embed-text.cmake
# Every byte is written as a \x escape, so quotes, backslashes and Japanese
# need no care; a CR of a Windows checkout is dropped, so the text's lines
# end in LF on every machine.
file(READ "${INPUT}" hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "\\\\x\\1" escaped "${hex}")
string(REPLACE "\\x0d" "" escaped "${escaped}")
# Thirty-two bytes to a source line (CMake's expressions have no {n}).
string(REPEAT "\\\\x[0-9a-f][0-9a-f]" 32 line)
string(REGEX REPLACE "${line}" "\\0\"\n        \"" escaped "${escaped}")
cmake_path(GET INPUT FILENAME name)
file(WRITE "${OUTPUT}"
"// Generated from ${name} by cmake/embed-text.cmake at build time: edit ${name}.
#include \"${HEADER}\"

namespace merrowin {

std::string_view ${FUNCTION}() {
    static constexpr char kText[] =
        \"${escaped}\";
    return {kText, sizeof kText - 1};
}

}  // namespace merrowin
")
