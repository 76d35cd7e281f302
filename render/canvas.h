// What a symbol's layout draws onto: black rectangles and lines of digits
// in the symbol's font (render/drawing.h collects them into a Drawing; tests
// record the calls). The spaces and quiet zones are the picture's white
// ground, which the layout never paints.
#pragma once

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
    // Fills x in [left, right), y in [top, bottom) black.
    virtual void FillRect(const Rect& rect) = 0;
    // Width in drawing units of `text` (UTF-8) in the symbol's font, its
    // cell `height` units high.
    virtual int TextWidth(int height, std::string_view text) = 0;
    // Draws `text` in black in the symbol's font, its cell `height` units
    // high with its top-left corner at (x, y).
    virtual void PutText(int x, int y, int height, std::string_view text) = 0;
};

}  // namespace merrowin
