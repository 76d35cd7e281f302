// The symbol's picture as Encapsulated PostScript (EPSF 3.0) for a print
// shop: the DSC header a RIP, Illustrator or InDesign reads to place it,
// black as process black alone (DeviceCMYK 0 0 0 1), the bars as filled
// rectangles, the digits as their outlines (no font), nothing painted
// white: the paper is the white. The same drawing gives the same bytes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "render/canvas.h"
#include "render/file_picture.h"

namespace merrowin {

class EpsWriter final : public OutlinesOnlyCanvas {
public:
    // A picture width x height drawing units stated as `frame`; `title` (the
    // code) goes into %%Title. Sides outside 1 to kMaxPictureSide or a frame
    // without area raise std::invalid_argument.
    EpsWriter(std::int32_t width, std::int32_t height, const FrameSize& frame,
              std::string_view title);

    // White is the ground, left to the paper; black a filled rectangle.
    void FillRect(const Rect& rect, Colour colour) override;
    void FillPolygons(const std::vector<Polygon>& polygons, Colour colour) override;

    // The whole file.
    std::vector<std::uint8_t> Finish();

private:
    // Writes the pending run of bars.
    void FlushBars();

    FilePicture picture_;
    std::string title_;
    std::string body_;  // the page's drawing, in drawing units
    // The top and height of the bars being written (Y).
    std::int32_t top_ = -1;
    std::int32_t height_ = -1;
    std::string bars_;            // the pending run of bars, S's characters
    std::int32_t barsLeft_ = 0;   // its x
    std::int64_t barsRight_ = 0;  // the right edge of its last bar
};

}  // namespace merrowin
