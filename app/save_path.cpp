#include "app/save_path.h"

namespace merrowin {

std::string ResolveSavePath(std::string& saveDr, std::string_view fileName,
                            const FolderQueries& folders, FileFormat format) {
    // The personal folder is looked up only when no folder was configured;
    // a configured folder that has gone does not fall back to it.
    if (saveDr.empty() && folders.personalFolder) saveDr = folders.personalFolder();
    if (!saveDr.empty()) {
        if (folders.directoryExists && folders.directoryExists(saveDr)) {
            saveDr += '\\';
        } else {
            saveDr.clear();
        }
    }
    std::string path = saveDr;
    path += fileName;
    // "/fllabel.emf" names the whole file already, in any case of the letters.
    if (!EndsInExtension(fileName, format)) path += InfoOf(format).extension;
    return path;
}

}  // namespace merrowin
