// The symbol's picture as an enhanced metafile written record by record
// ([MS-EMF]): the same bytes on every platform for the same job, screen
// figures and font measurements. The output (the copy) keeps the full-size
// records and scales them by the metafile's own mapping, so a consumer
// scales at render time and keeps print precision.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "render/canvas.h"

namespace merrowin {

// What the reference screen reports of itself: its size in pixels and in
// millimetres (HORZRES, VERTRES, HORZSIZE, VERTSIZE of the screen DC).
struct ScreenFigures {
    std::int32_t widthPixels = 0;
    std::int32_t heightPixels = 0;
    std::int32_t widthMm = 0;
    std::int32_t heightMm = 0;
    friend bool operator==(const ScreenFigures&, const ScreenFigures&) = default;
};

// A font as the picture's texts use it.
struct FontSpec {
    std::string face;
    int charset = 0;  // 0 = ANSI
    int height = 0;   // positive: the character cell's height in drawing units
    friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

// The advance of each character of `text` in `font` on the reference
// screen, in drawing units: one entry per UTF-16 code unit.
using TextMeasurer =
    std::function<std::vector<std::int32_t>(const FontSpec& font, std::u16string_view text)>;

// A physical size in .01 mm.
struct FrameSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
    friend bool operator==(const FrameSize&, const FrameSize&) = default;
};

// The frame of a picture width x height pixels of the screen: pixels x
// (millimetres x 100) / screen pixels, each rounded to the nearest whole and
// at least 1 for a side of at least 1 pixel. A screen that reports no
// pixels raises std::invalid_argument.
FrameSize FrameFromScreen(std::int32_t width, std::int32_t height, const ScreenFigures& screen);

// A size in reference pixels.
struct PixelSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
    friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

// The reference pixels a frame covers on `screen`, as a player converts it
// with the header's szlDevice and szlMillimeters: frame x screen pixels /
// (millimetres x 100), rounded to the nearest whole, at least 1 (saturated
// beyond the 32-bit range). A screen that reports no millimetres raises
// std::invalid_argument.
PixelSize PixelsOfFrame(const FrameSize& frame, const ScreenFigures& screen);

// The frame of a picture width x height drawing units when one module (two
// units) is `moduleWidth` .01 mm, shown at `copyRate` percent; rounded to
// the nearest whole, at least 1 for a side of at least 1 unit.
FrameSize FrameFromModuleWidth(std::int32_t width, std::int32_t height, std::int32_t moduleWidth,
                               std::int32_t copyRate);

// The largest side, in drawing units or pixels, of a picture or its copy:
// the bars are written with 16-bit coordinates.
inline constexpr std::int32_t kMaxPictureSide = 32767;

// The window -> viewport mapping of a picture whose units fill a frame
// that no whole number of reference pixels covers: `window` units onto
// `viewport` reference pixels, in any ratio the two sides hold.
struct ExactMapping {
    std::int32_t windowWidth = 0;
    std::int32_t windowHeight = 0;
    std::int32_t viewportWidth = 0;
    std::int32_t viewportHeight = 0;
    friend bool operator==(const ExactMapping&, const ExactMapping&) = default;
};

// What the metafile shows: the full-size picture width x height drawing
// units, mapped onto copyWidth x copyHeight reference pixels, or with an
// exact mapping onto the frame's own (fractional) reference pixels, of
// which copyWidth x copyHeight are then the rounded figures for the bounds.
struct EmfPage {
    std::int32_t width = 0;       // W
    std::int32_t height = 0;      // H
    std::int32_t copyWidth = 0;   // Ws
    std::int32_t copyHeight = 0;  // Hs
    FrameSize frame;              // the copy's physical size
    ExactMapping exact;           // all zero: W x H onto Ws x Hs
};

// The mapping that puts width x height units exactly onto `frame` on
// `screen`: window width x millimetres x 100 onto frame x screen pixels,
// each pair reduced by its greatest common divisor (and shrunk alike when
// it still needs more than 30 bits).
ExactMapping MappingOntoFrame(std::int32_t width, std::int32_t height, const FrameSize& frame,
                              const ScreenFigures& screen);

// The frame of a picture width x height dots of a `dpi` printer: each side
// dots x 2540 / dpi hundredths of a millimetre, to the nearest. Up to 2540
// dpi the frame converts back to exactly those dots.
FrameSize FrameFromDots(std::int32_t width, std::int32_t height, std::int32_t dpi);

// A canvas that writes the metafile. Every side of the page must be 1 to
// kMaxPictureSide, the frame's sides and the screen figures at least 1
// (std::invalid_argument otherwise). Rectangles are clipped to the picture;
// consecutive fills of one colour become one polygon record.
class EmfWriter final : public Canvas {
public:
    EmfWriter(const EmfPage& page, const ScreenFigures& screen, TextMeasurer measure);
    EmfWriter(const EmfWriter&) = delete;
    EmfWriter& operator=(const EmfWriter&) = delete;
    ~EmfWriter() override;

    void FillRect(const Rect& rect, Colour colour) override;
    void SetFont(std::string_view face, int charset, int height) override;
    int TextWidth(std::string_view text) override;
    void DrawString(int x, int y, std::string_view text) override;
    // One polygon record of all the polygons; points outside the 16-bit
    // range are clamped to it.
    void FillPolygons(const std::vector<Polygon>& polygons, Colour colour) override;

    // Ends the picture: the whole metafile, header first, end record last.
    std::vector<std::uint8_t> Finish();

private:
    // The advances of `text` (UTF-8) in the current font, measured once for
    // a text that is measured and then drawn; its UTF-16 in measuredWide_.
    const std::vector<std::int32_t>& Advances(std::string_view text);
    // Writes the pending fills as one polygon record.
    void FlushFills();
    // Selects the null pen and the brush of `colour` where they are not yet.
    void SelectFill(Colour colour);
    // Appends one record and counts it.
    template <class EmfRecord>
    void Emit(const EmfRecord& record);

    EmfPage page_;
    ScreenFigures screen_;
    TextMeasurer measure_;
    std::vector<std::uint8_t> records_;  // the whole metafile so far, header first
    std::uint32_t recordCount_ = 0;      // the header included
    std::vector<Rect> fills_;            // pending, all of one colour, none overlapping
    Rect fillsBounds_;                   // the union of fills_
    Colour fillColour_ = Colour::White;
    bool penSelected_ = false;
    bool brushSelected_ = false;
    Colour brush_ = Colour::White;
    std::vector<FontSpec> fonts_;  // the font of object handle i + 1
    std::size_t font_ = 0;         // the selected font's handle, 0 before the first
    bool transparent_ = false;
    float exScale_ = 0;  // of every text record
    float eyScale_ = 0;
    std::string measuredText_;      // UTF-8, as drawn
    std::u16string measuredWide_;   // the same as UTF-16, as measured
    std::size_t measuredFont_ = 0;  // its font's handle, 0 before the first
    std::vector<std::int32_t> measured_;
    bool finished_ = false;
};

}  // namespace merrowin
