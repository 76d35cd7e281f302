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
#include "render/picture.h"

namespace merrowin {

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
