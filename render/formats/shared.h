// What the file formats share: numbers worked in integers and written the
// same way on every machine and in every locale, a page's size in
// PostScript points, how the print formats put drawing units onto it, and
// zlib.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "render/picture.h"

namespace merrowin {

// numerator / denominator (denominator > 0).
struct Fraction {
    std::int64_t numerator = 0;
    std::int64_t denominator = 1;
};

// `value` rounded to at most `decimals` decimals (halves away from zero),
// trailing zeros and a trailing point dropped, never "-0".
std::string Decimal(Fraction value, int decimals);

// Appends `value` in decimal as std::to_string writes it, without a string
// of its own (path data holds thousands of numbers).
void AppendInteger(std::string& out, std::int64_t value);

// .01 mm in PostScript points: x 72 / 2540.
Fraction PointsOf(std::int32_t hundredthsMm);

// The whole points that enclose `hundredthsMm`: the next whole point up.
std::int32_t CeilPoints(std::int32_t hundredthsMm);

// How EPS and PDF put drawing units, y downwards, onto a page in points, y
// upwards: x times xScale, y times yScale (negative), then up by top (the
// frame's height), as the decimals both write.
struct PointMapping {
    std::string xScale;
    std::string yScale;
    std::string top;
};
PointMapping MappingToPoints(const Page& page);

// How far, in drawing units, a print format moves each edge of a
// rectangle inwards; see the definition.
Fraction EdgeInset(const Page& page);

// `data` as a zlib stream (the PNG's IDAT, the PDF's FlateDecode): level 6
// with the strategy for filtered data, within 2 % of level 9's size for
// these pictures at a seventh of its time.
std::string Deflate(std::string_view data);

}  // namespace merrowin
