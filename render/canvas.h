// What the symbol drawing needs of a drawing surface. The metafile writer
// (render/emf_writer.h) writes its records itself, without GDI; tests
// record the calls.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace merrowin {

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;   // exclusive
    int bottom = 0;  // exclusive
    friend bool operator==(const Rect&, const Rect&) = default;
};

enum class Colour : std::uint8_t { White, Black };

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// A closed polygon: the last point joins the first.
using Polygon = std::vector<Point>;

class Canvas {
public:
    virtual ~Canvas() = default;
    // Fills x in [left, right), y in [top, bottom) with a solid colour.
    virtual void FillRect(const Rect& rect, Colour colour) = 0;
    // Selects a font: face name, character set (0 = ANSI) and a positive
    // cell height in drawing units.
    virtual void SetFont(std::string_view face, int charset, int height) = 0;
    // Width in drawing units of `text` (UTF-8) in the current font.
    virtual int TextWidth(std::string_view text) = 0;
    // Draws `text` with its cell's top-left corner at (x, y), no background
    // box, in the canvas's default text colour.
    virtual void DrawString(int x, int y, std::string_view text) = 0;
    // Fills the polygons together by the alternate rule (a polygon inside
    // another is a hole): the glyph outlines of a line of digits. A canvas
    // that only looks at the bars may leave them.
    virtual void FillPolygons(const std::vector<Polygon>& polygons, Colour colour) {
        (void)polygons;
        (void)colour;
    }
};

}  // namespace merrowin
