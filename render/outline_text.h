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

// A canvas that draws text as OCR-B outlines onto `to`: a font's height is
// kept, a text's width is its outlines' (OutlineTextWidth), and a string
// becomes one FillPolygons of its outlines in black. Rectangles and
// polygons pass through, so `to` never sees a font or a string.
class OutliningCanvas final : public Canvas {
public:
    explicit OutliningCanvas(Canvas& to) : to_(to) {}

    void FillRect(const Rect& rect, Colour colour) override;
    void SetFont(std::string_view face, int charset, int height) override;
    int TextWidth(std::string_view text) override;
    void DrawString(int x, int y, std::string_view text) override;
    void FillPolygons(const std::vector<Polygon>& polygons, Colour colour) override;

private:
    Canvas& to_;
    int height_ = 0;
};

}  // namespace merrowin
