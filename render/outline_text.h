// Text drawn as filled OCR-B outlines instead of a text record: the same
// shapes on every PC and printer, font installed or not.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "render/canvas.h"

namespace merrowin {

// The width in drawing units of `text` in a cell `height` units high: the
// glyphs' advances, summed before rounding.
std::int64_t OutlineTextWidth(std::string_view text, int height);

// The outlines of `text` with its cell's top-left corner at (x, y), each
// curve flattened to within half a unit: closed polygons in drawing
// units, filled by the alternate rule (the holes of 0, 4, 6, 8, 9 are
// contours of their own). `text` is UTF-8; a character without a glyph
// advances as a blank.
std::vector<Polygon> OutlineText(std::string_view text, int x, int y, int height);

}  // namespace merrowin
