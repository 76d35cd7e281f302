#include "app/save_path.h"

#include <algorithm>
#include <array>

#include "common/errors.h"
#include "common/text.h"

namespace merrowin {
namespace {

// The names Windows keeps for devices, with or without an extension
// ("Naming Files, Paths, and Namespaces", Win32 documentation); the
// superscript digits ¹ ² ³ count as digits there.
constexpr std::array<std::string_view, 30> kDeviceNames{
    "con",  "prn",  "aux",  "nul",  "com1", "com2", "com3", "com4", "com5",   "com6",
    "com7", "com8", "com9", "lpt1", "lpt2", "lpt3", "lpt4", "lpt5", "lpt6",   "lpt7",
    "lpt8", "lpt9", "com¹", "com²", "com³", "lpt¹", "lpt²", "lpt³", "conin$", "conout$"};
constexpr std::string_view kReservedNameCharacters = "<>:\"/\\|?*";
constexpr std::size_t kMaxFileNameUnits = 255;

}  // namespace

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

void CheckFileName(std::string_view name, FileFormat format) {
    for (std::size_t at = 0; at < name.size(); ++at) {
        const auto c = static_cast<unsigned char>(name[at]);
        if (c == '\r' || c == '\n') throw MerrowinError(std::string(kNameLineBreakMessage));
        if (c < 0x20) {
            constexpr char kHex[] = "0123456789ABCDEF";
            throw MerrowinError(
                NameCharacterMessage(std::string("U+00") + kHex[c >> 4] + kHex[c & 15]));
        }
        if (kReservedNameCharacters.find(static_cast<char>(c)) != std::string_view::npos)
            throw MerrowinError(NameCharacterMessage(name.substr(at, 1)));
    }
    // Windows drops a trailing dot or blank from a file name: the file
    // would not be called what was asked for.
    if (name.back() == '.' || name.back() == ' ') throw MerrowinError(std::string(kNameEndMessage));
    const std::string_view extension = InfoOf(format).extension;
    if (EndsInExtension(name, format)) throw MerrowinError(NameExtensionMessage(extension));
    std::string_view stem = name.substr(0, name.find('.'));
    while (!stem.empty() && stem.back() == ' ') stem.remove_suffix(1);
    const std::string lower = AsciiLower(stem);
    if (std::find(kDeviceNames.begin(), kDeviceNames.end(), lower) != kDeviceNames.end())
        throw MerrowinError(DeviceNameMessage(stem));
    if (Utf16FromUtf8(name).size() + extension.size() > kMaxFileNameUnits)
        throw MerrowinError(NameTooLongMessage(extension));
}

std::string NameCharacterMessage(std::string_view character) {
    return FillMessage("ファイル名に使えない文字「%s」があります", character);
}

std::string NameExtensionMessage(std::string_view extension) {
    return "ファイル名に " + std::string(extension) + " は付けないでください (自動で付きます)";
}

std::string NameTooLongMessage(std::string_view extension) {
    return "ファイル名が長すぎます (" + std::string(extension) + " を含めて 255 文字まで)";
}

std::string DeviceNameMessage(std::string_view name) {
    return FillMessage("ファイル名「%s」は Windows の装置名なので使えません", name);
}

}  // namespace merrowin
