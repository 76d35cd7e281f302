// The symbol's picture as SVG for a web page: its physical size in mm, the
// drawing units as the viewBox, the white ground, the bars as one path
// with crisp edges, the digits as paths filled by the even-odd rule, the
// code as the title; no fonts, no scripts.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "render/canvas.h"
#include "render/file_picture.h"

namespace merrowin {

class SvgWriter final : public OutlinesOnlyCanvas {
public:
    // A picture width x height drawing units stated as `frame`; `title` (the
    // code, UTF-8) goes into <title>. Sides outside 1 to kMaxPictureSide or
    // a frame without area raise std::invalid_argument.
    SvgWriter(std::int32_t width, std::int32_t height, const FrameSize& frame,
              std::string_view title);

    // White is the ground, drawn under every black shape; black rectangles
    // join the bars' path.
    void FillRect(const Rect& rect, Colour colour) override;
    void FillPolygons(const std::vector<Polygon>& polygons, Colour colour) override;

    // The whole file, UTF-8.
    std::vector<std::uint8_t> Finish() const;

private:
    FilePicture picture_;
    std::string title_;
    std::string ground_;    // <rect> elements of the white fills
    std::string bars_;      // path data of the black rectangles
    Point barStart_;        // where bars_ left the current point
    std::string outlines_;  // <path> elements of the outlines
};

}  // namespace merrowin
