// Where a saved picture goes: the folder precedence of a run, and the
// names Windows takes for a file.
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

// Raises MerrowinError with the reason when Windows cannot take `name` +
// the format's extension (".emf"...) as a file name: reserved characters,
// device names, a trailing dot or blank, the extension written out, too
// long.
void CheckFileName(std::string_view name, FileFormat format);

std::string NameCharacterMessage(
    std::string_view character);  // ファイル名に使えない文字「%s」があります
std::string DeviceNameMessage(std::string_view name);  // ファイル名「%s」は Windows の装置名です
inline constexpr std::string_view kNameEndMessage =
    "ファイル名の終わりにピリオドや空白は使えません";
// ファイル名に .emf は付けないでください (自動で付きます), with the format's extension
std::string NameExtensionMessage(std::string_view extension);
// ファイル名が長すぎます (.emf を含めて 255 文字まで), with the format's extension
std::string NameTooLongMessage(std::string_view extension);
inline constexpr std::string_view kNameLineBreakMessage = "ファイル名に改行は使えません";

}  // namespace merrowin
