// The drawing of a picture as a value: its page and how the page maps onto
// paper and the reference screen, the white ground, and the black marks
// (runs of rectangles, measured text runs, glyph outlines) in the order
// drawn. A picture fills one once (DrawPicture, render/picture.h); every
// file format (render/formats/) is a function of it.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "render/canvas.h"
#include "render/picture.h"

namespace merrowin {

// A font as the picture's texts use it: the symbol's face, the ANSI
// character set and a cell `height` drawing units high.
struct FontSpec {
    std::string face;
    int charset = 0;  // 0 = ANSI
    int height = 0;   // positive: the character cell's height in drawing units
    friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

// The symbol's font `height` units high.
FontSpec SymbolFont(int height);

// The advance of each character of `text` in `font` on the reference
// screen, in drawing units: one entry per UTF-16 code unit.
using TextMeasurer =
    std::function<std::vector<std::int32_t>(const FontSpec& font, std::u16string_view text)>;

// A line of text in the symbol's font, its cell's top-left corner at `at`,
// with the advance of each UTF-16 code unit as measured on the reference
// screen.
struct TextRun {
    Point at;
    int height = 0;
    std::string text;  // UTF-8
    std::vector<std::int32_t> advances;
    friend bool operator==(const TextRun&, const TextRun&) = default;
};

// The width of a run: its advances summed, saturated.
std::int32_t WidthOf(const TextRun& run);

// One text's glyphs as filled outlines, by the alternate rule: polygons of
// three points or more (OutlineText drops the rest).
struct Outlines {
    std::vector<Polygon> polygons;
    friend bool operator==(const Outlines&, const Outlines&) = default;
};

// Rectangles drawn one after another (a symbol's bars): one mark, so that
// checking and writing loop over plain rectangles.
struct Bars {
    std::vector<Rect> rects;
    friend bool operator==(const Bars&, const Bars&) = default;
};

// A black mark of the drawing.
using Mark = std::variant<Bars, TextRun, Outlines>;

// The drawing. Made once, checked once: every side of the page and of the
// metafile's copy 1 to kMaxPictureSide, a frame with area, a usable
// screen, a resolution of at least one dot per inch, every rectangle with
// area, every polygon of three points or more, and every mark inside the
// page (text by its cell, outlines by their points' box, right and bottom
// edges excluded as a rectangle's); std::invalid_argument otherwise.
class Drawing {
public:
    Drawing(const Page& page, const ScreenFigures& screen, std::vector<Rect> ground,
            std::vector<Mark> marks);

    const Page& page() const { return page_; }
    // The reference screen the frame and the copy were worked out on.
    const ScreenFigures& screen() const { return screen_; }
    // White, together the whole page, in the order a metafile paints them;
    // a format whose paper is white leaves them out.
    const std::vector<Rect>& ground() const { return ground_; }
    const std::vector<Mark>& marks() const { return marks_; }
    // Whether any mark is a text run (a format without fonts takes none).
    bool HasTextRuns() const;

private:
    Page page_;
    ScreenFigures screen_;
    std::vector<Rect> ground_;
    std::vector<Mark> marks_;
};

// The canvas a layout draws a drawing's marks onto: rectangles without
// area are dropped, rectangles drawn one after another make one Bars, text
// is measured by `measure` into runs, or, without a measurer, becomes OCR-B
// outlines (render/outline_text.h).
class MarkCanvas final : public Canvas {
public:
    explicit MarkCanvas(TextMeasurer measure = {});
    MarkCanvas(const MarkCanvas&) = delete;
    MarkCanvas& operator=(const MarkCanvas&) = delete;

    void FillRect(const Rect& rect) override;
    int TextWidth(int height, std::string_view text) override;
    void PutText(int x, int y, int height, std::string_view text) override;

    // Makes room for `rects` rectangles in each run of them.
    void Reserve(std::size_t rects);
    const std::vector<Mark>& marks() const { return marks_; }
    std::vector<Mark> TakeMarks();

private:
    // The advances of `text` in the font `height` units high, measured once
    // for a text that is measured and then drawn.
    const std::vector<std::int32_t>& Advances(int height, std::string_view text);
    // Starts a run of rectangles as the last mark.
    void StartRun();

    TextMeasurer measure_;
    std::vector<Mark> marks_;
    std::size_t runRects_ = 0;  // the room each new run of rectangles gets
    // The rectangles of the last mark while it is a run of them, else null.
    std::vector<Rect>* run_ = nullptr;
    int measuredHeight_ = 0;
    std::string measuredText_;
    std::vector<std::int32_t> measured_;
};

// Whether the marks drawn for `layout` make a barcode: there are bars
// (Y1 < Y2, and an add-on has bars of its own), and every mark lies inside
// the symbol's W x H. Stored sizes can give neither: a bar height of 0 or
// less, or a font so large that the digits run out of the picture.
bool BarcodeCheck(const SymbolLayout& layout, const std::vector<Mark>& marks);

}  // namespace merrowin

namespace merrowin {

// The drawing of `picture`, a job's whose switch and options are applied
// (`pattern` its encoder's element widths): the white ground (the symbol's
// box, and the quiet zone a page on a printer's dots was widened by), then
// the symbol, its digits as outlines when the job asks for them (/ol),
// otherwise as runs measured by `measure`. Nothing when it is no barcode
// (BarcodeCheck).
std::optional<Drawing> DrawPicture(const BarcodeJob& job, std::string_view pattern,
                                   const Picture& picture, const ScreenFigures& screen,
                                   const TextMeasurer& measure);

}  // namespace merrowin
