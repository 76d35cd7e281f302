#include "render/formats/formats.h"

#include <array>
#include <stdexcept>

namespace merrowin {
namespace {

struct FormatWriter {
    FileFormat format;
    FileBytes (*write)(const Drawing&, const FileMeta&);
    bool takesTextRuns;  // a format with fonts: only the metafile
};

// In the order of FileFormat.
constexpr std::array<FormatWriter, 5> kWriters = {{
    {FileFormat::Emf, WriteEmf, true},
    {FileFormat::Eps, WriteEps, false},
    {FileFormat::Pdf, WritePdf, false},
    {FileFormat::Svg, WriteSvg, false},
    {FileFormat::Png, WritePng, false},
}};
static_assert([] {
    for (std::size_t i = 0; i < kWriters.size(); ++i)
        if (static_cast<std::size_t>(kWriters[i].format) != i) return false;
    return true;
}());

}  // namespace

FileBytes WriteFile(FileFormat format, const Drawing& drawing, const FileMeta& meta) {
    const FormatWriter& writer = kWriters.at(static_cast<std::size_t>(format));
    if (!writer.takesTextRuns && drawing.HasTextRuns())
        throw std::logic_error("this format takes text only as outlines");
    return writer.write(drawing, meta);
}

}  // namespace merrowin
