// The symbol's picture as a one-page PDF for a print shop: the page is the
// picture (MediaBox and TrimBox), black is process black alone (DeviceCMYK
// 0 0 0 1), the digits are their outlines; no fonts, no transparency, no
// RGB, nothing painted white. The document information holds the title and
// the producer but no date, so the same drawing gives the same bytes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "render/canvas.h"
#include "render/file_picture.h"

namespace merrowin {

class PdfWriter final : public OutlinesOnlyCanvas {
public:
    // A picture width x height drawing units stated as `frame`; `title` (the
    // code) goes into the document information. Sides outside 1 to
    // kMaxPictureSide or a frame without area raise std::invalid_argument.
    PdfWriter(std::int32_t width, std::int32_t height, const FrameSize& frame,
              std::string_view title);

    // White is the ground, left to the paper; black a filled rectangle.
    void FillRect(const Rect& rect, Colour colour) override;
    void FillPolygons(const std::vector<Polygon>& polygons, Colour colour) override;

    // The whole file; its page's content compressed with zlib (FlateDecode).
    std::vector<std::uint8_t> Finish();

private:
    // Fills the rectangles written since the last fill.
    void FillPendingRectangles();

    FilePicture picture_;
    std::string title_;
    std::string content_;  // the page's content stream, in drawing units
    bool rectanglesPending_ = false;
};

}  // namespace merrowin
