// Where a saved picture goes: the folder precedence of a run.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "model/file_format.h"

namespace merrowin {

struct FolderQueries {
    std::function<bool(const std::string&)> directoryExists;
    std::function<std::string()> personalFolder;  // "" when unknown
};

// Completes the save folder and forms the path: an empty folder becomes the
// personal folder; an existing folder gets one "\" appended; a folder that
// does not exist is dropped (the file goes to the current directory).
// The format's extension (".emf", ".eps"...) follows the name unless it
// ends so already (any ASCII case). `saveDr` is updated to the completed or
// cleared folder.
std::string ResolveSavePath(std::string& saveDr, std::string_view fileName,
                            const FolderQueries& folders, FileFormat format);

}  // namespace merrowin
