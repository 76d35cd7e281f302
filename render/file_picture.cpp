#include "render/file_picture.h"

#include <algorithm>
#include <charconv>

namespace merrowin {

FilePicture::FilePicture(std::int32_t width, std::int32_t height, const FrameSize& frame)
    : width(width), height(height), frame(frame) {
    const auto side = [](std::int32_t v) { return v >= 1 && v <= kMaxPictureSide; };
    if (!side(width) || !side(height))
        throw std::invalid_argument("a picture side outside 1 to 32767");
    if (frame.width < 1 || frame.height < 1) throw std::invalid_argument("a frame without area");
}

double FilePicture::WidthPoints() const {
    return PointsOf(frame.width);
}

double FilePicture::HeightPoints() const {
    return PointsOf(frame.height);
}

// A RIP paints every device pixel that a shape touches, however little
// (PostScript Language Reference, 3rd ed., 7.5.1; PDF Reference 1.7,
// 6.5.3: the "any part of the pixel" rule on half-open regions). A bar whose
// edges lie exactly on the pixel boundaries paints exactly its pixels, but
// the frame's rounding to .01 mm, the reals of the file and the
// interpreter's floats leave an edge a hair off the boundary, and a hair
// beyond it is a whole pixel more: bars grow by a dot and spaces shrink by
// one. Drawn a hair inside on every side, each edge still covers its last
// pixel and no pixel beyond. A quarter of a unit (one unit is one dot on a
// printer's grid) keeps renderers that paint the pixels whose centres are
// inside exact too; on a finer grid, half a dot of a 2400 dpi platesetter
// brings the any-part rule to within a dot of the nominal width there.
double FilePicture::EdgeInset() const {
    constexpr double kHalfDotAt2400Micrometres = 25400.0 / 2400 / 2;
    const double unitMicrometres = frame.width * 10.0 / width;
    return std::min(0.25, kHalfDotAt2400Micrometres / unitMicrometres);
}

std::optional<Rect> FilePicture::Clip(const Rect& rect) const {
    const Rect cut{std::max(rect.left, 0), std::max(rect.top, 0), std::min(rect.right, width),
                   std::min(rect.bottom, height)};
    if (cut.left >= cut.right || cut.top >= cut.bottom) return std::nullopt;
    return cut;
}

double PointsOf(std::int32_t hundredthsMm) {
    return hundredthsMm * 72.0 / 2540.0;
}

std::int32_t CeilPoints(std::int32_t hundredthsMm) {
    return static_cast<std::int32_t>((std::int64_t{hundredthsMm} * 72 + 2539) / 2540);
}

std::string Decimal(double value, int decimals) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    std::string text(buffer, result.ptr);
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.') text.pop_back();
    }
    if (text == "-0") text = "0";
    return text;
}

void RefuseText() {
    throw std::logic_error("this writer takes text only as outlines");
}

}  // namespace merrowin
