// Picture size and layout of a symbol, and its drawing onto a canvas.
#pragma once

#include <cstdint>
#include <string>

#include "model/job.h"
#include "render/canvas.h"

namespace merrowin {

// The sides of the standard picture (no add-on) from the sizes each takes:
// LayOut on the standard grid of a job holding only those.
std::int32_t Jan13Width(std::uint8_t left, std::uint8_t right);
std::int32_t Jan8Width(std::uint8_t left, std::uint8_t right);
std::int32_t Itf14Width(std::uint8_t left, std::uint8_t right, std::uint8_t inner,
                        std::uint8_t frame, bool bearerFrame);
std::int32_t Itf16Width(std::uint8_t left, std::uint8_t right, std::uint8_t inner,
                        std::uint8_t frame, bool bearerFrame);
std::int32_t JanHeight(std::uint8_t top, std::uint8_t bottom, std::uint8_t fontSize,
                       std::uint8_t gap, std::int32_t barHeight, bool noText, bool extendedGuards);
std::int32_t ItfHeight(std::uint8_t top, std::uint8_t bottom, std::uint8_t gap, std::uint8_t frame,
                       std::uint8_t fontSize, std::int32_t barHeight, bool noText,
                       bool bearerFrame);

// The lengths of a drawing in whole drawing units: a module, an ITF wide
// element and what is taken off every bar. The standard grid is the
// picture without print options: a module of 2 units, a wide element of 5.
// A printer's grid has one unit per dot; a finer grid (k units per half
// module) states a bar width reduction or glyph outlines precisely.
struct Grid {
    std::int32_t module = 2;
    std::int32_t wide = 5;
    std::int32_t reduction = 0;  // off every bar: half on the left, the rest on the right

    // A length counted in half modules (margins doubled, gap, font size,
    // text offsets) in units of this grid, to the nearest unit (halves up).
    constexpr std::int64_t Units(std::int64_t halfModules) const {
        const std::int64_t twice = halfModules * module + 1;
        return twice / 2 - (twice % 2 != 0 && twice < 0 ? 1 : 0);
    }
    // The width of one Pattern element ('2', '4', '6', '8': half modules;
    // ITF's wide '5') in units of this grid.
    constexpr std::int32_t Element(char width) const {
        return width == '5' ? wide : (width - '0') / 2 * module;
    }
    friend bool operator==(const Grid&, const Grid&) = default;
};

// The working values of one drawing, in drawing units.
struct SymbolLayout {
    std::int32_t W = 0;   // picture width
    std::int32_t H = 0;   // picture height
    std::int32_t x0 = 0;  // left edge of the first bar
    std::int32_t Y1 = 0;  // bar top
    std::int32_t Y2 = 0;  // bar bottom
    std::int32_t Y3 = 0;  // extended guard bottom (JAN with ExtendedGuards)
    int P = 0;            // bar-and-space pairs before the last bar
    // The add-on symbol right of a JAN-13 (AddOn set): the left edge of its
    // first bar, 0 when there is none; the top and bottom of its bars, its
    // digits standing above them from Y1.
    std::int32_t addOnX = 0;
    std::int32_t addOnTop = 0;
    std::int32_t addOnBottom = 0;
    // The book code's lower tier: the top of its bars (their height is the
    // upper tier's), 0 when there is none; and the left edge of the
    // 日本図書コード lines, each level with the top of its tier's bars.
    std::int32_t lowerY1 = 0;
    std::int32_t bookTextX = 0;
    Grid grid;  // the lengths the drawing walks
};

// GS1 puts an add-on 7 to 12 modules right of the main symbol and wants 5
// modules clear right of it (GS1 GenSpecs, release 18, 5.2.3:
// the dimensions of EAN/UPC symbols with add-ons). 9 modules keeps 2 either
// way for ink spread and for readers that look for the add-on near the
// middle of that span.
inline constexpr int kAddOnGapModules = 9;
inline constexpr int kAddOnQuietModules = 5;

// Layout of a job whose Kind is 1 to 4 on `grid`: one engine for every
// grid. The standard grid needs no pattern; any other sums `pattern`, the
// job's element widths from its encoder.
SymbolLayout LayOut(const BarcodeJob& job, const Grid& grid = Grid{},
                    std::string_view pattern = {});

// Draws the bearer frame, bars, extended guards and the digits of `job`
// onto `canvas` (black on the picture's white ground); `pattern` is its
// encoder's element widths. The digits go as text (TextWidth, PutText);
// the canvas decides whether they become runs or outlines. Raises
// ConversionError for a non-digit in Digits (via the check digit of the
// printed line).
void DrawSymbol(const BarcodeJob& job, std::string_view pattern, const SymbolLayout& layout,
                Canvas& canvas);

// The size of the copy: (W x rate) div 100, (H x rate) div 100.
struct CopySize {
    std::int32_t width = 0;
    std::int32_t height = 0;
};
CopySize ScaledSize(std::int32_t width, std::int32_t height, std::int32_t copyRate);

inline constexpr std::string_view kSymbolFontFace = "OCRB";

}  // namespace merrowin
