// Picture size and layout of a symbol, and its drawing onto a canvas.
#pragma once

#include <cstdint>
#include <string>

#include "model/job.h"
#include "render/canvas.h"

namespace merrowin {

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

// The working values of one drawing, in drawing units.
struct SymbolLayout {
    std::int32_t W = 0;   // picture width
    std::int32_t H = 0;   // picture height
    std::int32_t x0 = 0;  // left edge of the first bar
    std::int32_t Y1 = 0;  // bar top
    std::int32_t Y2 = 0;  // bar bottom
    std::int32_t Y3 = 0;  // extended guard bottom (JAN with ExtendedGuards)
    int P = 0;            // bar-and-space pairs before the last bar
};

// Layout of a job whose Kind is 1 to 4.
SymbolLayout LayOut(const BarcodeJob& job);

// Draws background, bearer frame, bars, extended guards and the digits of
// `job` (whose Pattern is set) onto `canvas`. Raises ConversionError for a
// non-digit in Digits (via the check digit of the printed line).
void DrawSymbol(const BarcodeJob& job, const SymbolLayout& layout, Canvas& canvas);

// The size of the copy: (W x rate) div 100, (H x rate) div 100.
struct CopySize {
    std::int32_t width = 0;
    std::int32_t height = 0;
};
CopySize ScaledSize(std::int32_t width, std::int32_t height, std::int32_t copyRate);

inline constexpr std::string_view kSymbolFontFace = "OCRB";

}  // namespace merrowin
