#include "model/file_format.h"

#include "common/text.h"

namespace merrowin {

std::optional<FileFormat> ParseFileFormat(std::string_view name) {
    const std::string lower = AsciiLower(name);
    for (const FileFormatInfo& info : kFileFormats)
        if (info.name == lower) return info.format;
    return std::nullopt;
}

const FileFormatInfo& InfoOf(FileFormat format) {
    return kFileFormats[static_cast<std::size_t>(format)];
}

bool EndsInExtension(std::string_view name, FileFormat format) {
    const std::string_view extension = InfoOf(format).extension;
    return name.size() >= extension.size() &&
           AsciiLower(name.substr(name.size() - extension.size())) == extension;
}

std::string FileFormatMessage(std::string_view value) {
    std::string allowed;
    for (const FileFormatInfo& info : kFileFormats)
        allowed += (allowed.empty() ? "" : "、") + std::string(info.name);
    const std::string rule = "/fm の値は " + allowed + " のどれかです";
    if (value.empty()) return "/fm にファイル形式がありません。" + rule;
    return "ファイル形式「" + std::string(value) + "」は使えません。" + rule;
}

}  // namespace merrowin
