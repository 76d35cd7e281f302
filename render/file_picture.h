// What the file writers (EPS, PDF, SVG, PNG) share: the picture they are
// given, its physical size in the units of their formats, and numbers
// worked in integers and written the same way on every machine and in
// every locale.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "render/canvas.h"
#include "render/picture.h"

namespace merrowin {

// numerator / denominator (denominator > 0).
struct Fraction {
    std::int64_t numerator = 0;
    std::int64_t denominator = 1;
};

// A picture width x height drawing units, y downwards, that a file states
// as `frame`. Constructing one with a side outside 1 to kMaxPictureSide or
// a frame without area raises std::invalid_argument.
struct FilePicture {
    FilePicture(std::int32_t width, std::int32_t height, const FrameSize& frame);

    std::int32_t width;
    std::int32_t height;
    FrameSize frame;

    // The frame's sides in PostScript points (1/72 inch).
    Fraction WidthPoints() const;
    Fraction HeightPoints() const;
    // How far, in drawing units, a print format moves each edge of a
    // rectangle inwards; see the definition.
    Fraction EdgeInset() const;
    // `rect` cut to the picture; nullopt when nothing of it is left.
    std::optional<Rect> Clip(const Rect& rect) const;
};

// .01 mm in PostScript points: x 72 / 2540.
Fraction PointsOf(std::int32_t hundredthsMm);

// The whole points that enclose `hundredthsMm`: the next whole point up.
std::int32_t CeilPoints(std::int32_t hundredthsMm);

// `value` rounded to at most `decimals` decimals (halves away from zero),
// trailing zeros and a trailing point dropped, never "-0".
std::string Decimal(Fraction value, int decimals);

// `data` as a zlib stream (the PNG's IDAT, the PDF's FlateDecode): level 6
// with the strategy for filtered data, within 2 % of level 9's size for
// these pictures at a seventh of its time.
std::string Deflate(std::string_view data);

// The canvas of a file writer, which takes its digits only as outlines:
// the caller draws text through an outlining canvas, and the text calls
// raise std::logic_error.
class OutlinesOnlyCanvas : public Canvas {
public:
    void SetFont(std::string_view face, int charset, int height) final;
    int TextWidth(std::string_view text) final;
    void DrawString(int x, int y, std::string_view text) final;
};

}  // namespace merrowin
