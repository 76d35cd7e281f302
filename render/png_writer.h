// The symbol's picture as a PNG for a web page or a label program: one
// pixel a drawing unit (the picture is laid out on the printer's dots), in
// pure black and white (1-bit greyscale), with its resolution in a pHYs
// chunk and the code as its title; compressed with zlib.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "render/canvas.h"
#include "render/file_picture.h"

namespace merrowin {

class PngWriter final : public OutlinesOnlyCanvas {
public:
    // A picture width x height pixels at `dotsPerInch`, white until drawn
    // on; `title` (the code) goes into a tEXt chunk. Sides outside 1 to
    // kMaxPictureSide or a resolution below 1 raise std::invalid_argument.
    PngWriter(std::int32_t width, std::int32_t height, std::int32_t dotsPerInch,
              std::string_view title);

    // Paints the pixels of x in [left, right), y in [top, bottom).
    void FillRect(const Rect& rect, Colour colour) override;
    // Paints the pixels whose centres lie inside the polygons by the
    // even-odd rule, so a rectangle on whole units paints exactly its pixels.
    void FillPolygons(const std::vector<Polygon>& polygons, Colour colour) override;

    // The whole file.
    std::vector<std::uint8_t> Finish() const;

private:
    // Paints pixels [left, right) of row y.
    void PaintRun(std::int32_t y, std::int32_t left, std::int32_t right, Colour colour);

    std::int32_t width_;
    std::int32_t height_;
    std::int32_t dotsPerInch_;
    std::string title_;
    std::size_t rowBytes_;
    std::vector<std::uint8_t> pixels_;  // rows of 1-bit pixels, 1 white, most significant first
};

}  // namespace merrowin
