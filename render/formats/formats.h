// Each file format as a function of a finished drawing (render/drawing.h):
// the same drawing and title give the same bytes on every machine. A
// format only translates; what it decides for itself (white as the paper
// or as shapes, text as records or only as outlines) is written in its own
// file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/file_format.h"
#include "render/drawing.h"

namespace merrowin {

// What a file says about its picture besides the drawing.
struct FileMeta {
    std::string title;  // the code, UTF-8; each format keeps what it can hold of it
    // When the file was made, in seconds since 1970-01-01 00:00 UTC (the
    // PDF's dates; FileTime, app/run.h).
    std::int64_t madeAt = 0;
};

using FileBytes = std::vector<std::uint8_t>;

// The enhanced metafile ([MS-EMF]) of the clipboard and of .emf files: text
// runs as text records measured on the reference screen, outlines as
// polygons, the white ground painted. The title plays no part.
FileBytes WriteEmf(const Drawing& drawing, const FileMeta& meta);
// Encapsulated PostScript for a print shop: process black only, the paper
// the white.
FileBytes WriteEps(const Drawing& drawing, const FileMeta& meta);
// A one-page PDF/X-1a:2001 for a print shop: process black only, the paper
// the white, dated `meta.madeAt`.
FileBytes WritePdf(const Drawing& drawing, const FileMeta& meta);
// SVG for a web page: the white ground as rectangles under the black.
FileBytes WriteSvg(const Drawing& drawing, const FileMeta& meta);
// A 1-bit PNG, one pixel a drawing unit: the bitmap starts white.
FileBytes WritePng(const Drawing& drawing, const FileMeta& meta);

// The file of `format`. A format without fonts (all but the metafile)
// takes text only as outlines: a drawing with text runs raises
// std::logic_error there.
FileBytes WriteFile(FileFormat format, const Drawing& drawing, const FileMeta& meta);

}  // namespace merrowin
