// The formats a picture is saved in (/fmFORMAT): the enhanced metafile the
// clipboard also gets, and the files for print shops (EPS, PDF) and web
// pages (SVG, PNG).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace merrowin {

enum class FileFormat : std::uint8_t { Emf, Eps, Pdf, Svg, Png };

struct FileFormatInfo {
    FileFormat format;
    std::string_view name;       // as /fm takes it, lower case
    std::string_view extension;  // of the saved file
};

// In the order of FileFormat.
inline constexpr std::array<FileFormatInfo, 5> kFileFormats = {{
    {FileFormat::Emf, "emf", ".emf"},
    {FileFormat::Eps, "eps", ".eps"},
    {FileFormat::Pdf, "pdf", ".pdf"},
    {FileFormat::Svg, "svg", ".svg"},
    {FileFormat::Png, "png", ".png"},
}};
static_assert([] {
    for (std::size_t i = 0; i < kFileFormats.size(); ++i)
        if (static_cast<std::size_t>(kFileFormats[i].format) != i) return false;
    return true;
}());

// The format /fm names, in any ASCII case; nullopt for any other text.
std::optional<FileFormat> ParseFileFormat(std::string_view name);

const FileFormatInfo& InfoOf(FileFormat format);

// Whether `name` already ends in the format's extension, in any ASCII case.
bool EndsInExtension(std::string_view name, FileFormat format);

// The refusal of a /fm value that names no format, with the allowed ones.
std::string FileFormatMessage(std::string_view value);

}  // namespace merrowin
