#include "render/layout.h"

#include <algorithm>
#include <array>
#include <stdexcept>

#include "common/saturate.h"
#include "common/text.h"
#include "encode/encoders.h"
#include "model/symbology.h"
#include "render/outline_text.h"

namespace merrowin {
namespace {

// Margins and frames count modules of 2 units. JAN symbols pass no inner
// margin and no frame.
std::int32_t PictureWidth(std::int64_t symbolUnits, std::uint8_t left, std::uint8_t right,
                          std::uint8_t inner, std::uint8_t frame, bool bearerFrame) {
    return Saturate(2 * left + 2 * right + 4 * inner + symbolUnits + (bearerFrame ? 4 * frame : 0));
}

// `textBand` is the gap plus the text cell below the bars, 0 without text.
std::int32_t PictureHeight(std::uint8_t top, std::uint8_t bottom, std::int32_t barHeight,
                           std::uint8_t frame, bool bearerFrame, std::int64_t textBand) {
    return Saturate(2 * top + 2 * bottom + 2 * std::int64_t{barHeight} +
                    (bearerFrame ? 4 * frame : 0) + textBand);
}

const SymbologyDescriptor& ShapeOf(SymbologyKind kind) {
    const SymbologyDescriptor* symbology = Describe(kind);
    if (!symbology) throw std::invalid_argument("no symbol layout for this symbology");
    return *symbology;
}

// A rectangle from 64-bit edges, each saturated to the canvas's range.
Rect Box(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom) {
    return {Saturate(left), Saturate(top), Saturate(right), Saturate(bottom)};
}

constexpr int kGuardTextHeight = 20;

// The layout on the standard grid, from the size functions.
void LayOutStandard(const BarcodeJob& job, SymbolLayout& layout) {
    const bool frame = IsItf(job.Kind) && job.BearerFrame;
    const std::int64_t frameUnits = frame ? 2 * job.FrameWidth : 0;
    switch (job.Kind) {
        case SymbologyKind::Jan13:
            layout.W = Jan13Width(job.LeftMargin, job.RightMargin);
            break;
        case SymbologyKind::Jan8:
            layout.W = Jan8Width(job.LeftMargin, job.RightMargin);
            break;
        case SymbologyKind::Itf14:
            layout.W = Itf14Width(job.LeftMargin, job.RightMargin, job.InnerMargin, job.FrameWidth,
                                  job.BearerFrame);
            break;
        default:
            layout.W = Itf16Width(job.LeftMargin, job.RightMargin, job.InnerMargin, job.FrameWidth,
                                  job.BearerFrame);
            break;
    }
    if (IsJan(job.Kind)) {
        layout.H = JanHeight(job.TopMargin, job.BottomMargin, job.FontSize, job.Gap, job.BarHeight,
                             job.NoText, job.ExtendedGuards);
        layout.x0 = 2 * job.LeftMargin;
    } else {
        layout.H = ItfHeight(job.TopMargin, job.BottomMargin, job.Gap, job.FrameWidth, job.FontSize,
                             job.BarHeight, job.NoText, job.BearerFrame);
        layout.x0 = Saturate(2 * job.LeftMargin + 2 * job.InnerMargin + frameUnits);
    }
    const std::int64_t bars = 2 * std::int64_t{job.BarHeight};
    layout.Y1 = Saturate(2 * job.TopMargin + frameUnits);
    layout.Y2 = Saturate(2 * job.TopMargin + frameUnits + bars);
    if (IsJan(job.Kind) && job.ExtendedGuards) {
        layout.Y3 = Saturate(2 * job.TopMargin + bars + (job.Gap + kGuardTextHeight) / 2);
    }
}

}  // namespace

std::int32_t Jan13Width(std::uint8_t left, std::uint8_t right) {
    return PictureWidth(ShapeOf(SymbologyKind::Jan13).symbolWidth, left, right, 0, 0, false);
}

std::int32_t Jan8Width(std::uint8_t left, std::uint8_t right) {
    return PictureWidth(ShapeOf(SymbologyKind::Jan8).symbolWidth, left, right, 0, 0, false);
}

std::int32_t Itf14Width(std::uint8_t left, std::uint8_t right, std::uint8_t inner,
                        std::uint8_t frame, bool bearerFrame) {
    return PictureWidth(ShapeOf(SymbologyKind::Itf14).symbolWidth, left, right, inner, frame,
                        bearerFrame);
}

std::int32_t Itf16Width(std::uint8_t left, std::uint8_t right, std::uint8_t inner,
                        std::uint8_t frame, bool bearerFrame) {
    return PictureWidth(ShapeOf(SymbologyKind::Itf16).symbolWidth, left, right, inner, frame,
                        bearerFrame);
}

std::int32_t JanHeight(std::uint8_t top, std::uint8_t bottom, std::uint8_t fontSize,
                       std::uint8_t gap, std::int32_t barHeight, bool noText, bool extendedGuards) {
    // The extended-guard styles always reserve their fixed-height text band.
    const int textBand = extendedGuards ? gap + kGuardTextHeight : noText ? 0 : fontSize + gap;
    return PictureHeight(top, bottom, barHeight, 0, false, textBand);
}

std::int32_t ItfHeight(std::uint8_t top, std::uint8_t bottom, std::uint8_t gap, std::uint8_t frame,
                       std::uint8_t fontSize, std::int32_t barHeight, bool noText,
                       bool bearerFrame) {
    return PictureHeight(top, bottom, barHeight, frame, bearerFrame, noText ? 0 : fontSize + gap);
}

namespace {

// The layout on a grid other than the standard one: every length summed
// from the pattern's elements and the job's sizes in the grid's units.
void LayOutOnGrid(const BarcodeJob& job, std::string_view pattern, SymbolLayout& layout) {
    const SymbologyDescriptor& shape = ShapeOf(job.Kind);
    const Grid& grid = layout.grid;
    if (pattern.size() != shape.patternLength)
        throw std::invalid_argument("the pattern does not fit the symbology");
    std::int64_t symbol = 0;
    for (const char element : pattern) symbol += grid.Element(element);
    const bool itf = IsItf(job.Kind);
    const bool frame = itf && job.BearerFrame;
    const std::int64_t f = frame ? grid.Units(2 * job.FrameWidth) : 0;
    const std::int64_t left = grid.Units(2 * job.LeftMargin);
    const std::int64_t inner = itf ? grid.Units(2 * job.InnerMargin) : 0;
    const std::int64_t top = grid.Units(2 * job.TopMargin);
    const std::int64_t bars = grid.Units(2 * std::int64_t{job.BarHeight});
    // As JanHeight and ItfHeight: the extended-guard styles always reserve
    // their fixed-height text band.
    const bool guards = IsJan(job.Kind) && job.ExtendedGuards;
    const std::int64_t textBand = guards       ? grid.Units(job.Gap) + grid.Units(kGuardTextHeight)
                                  : job.NoText ? 0
                                               : grid.Units(job.FontSize) + grid.Units(job.Gap);
    layout.W = Saturate(left + grid.Units(2 * job.RightMargin) + 2 * inner + symbol + 2 * f);
    layout.H = Saturate(top + grid.Units(2 * job.BottomMargin) + bars + 2 * f + textBand);
    layout.x0 = Saturate(left + inner + f);
    layout.Y1 = Saturate(top + f);
    layout.Y2 = Saturate(top + f + bars);
    if (guards) layout.Y3 = Saturate(top + bars + grid.Units((job.Gap + kGuardTextHeight) / 2));
}

// The width of the add-on's elements on `grid`.
std::int64_t AddOnUnits(std::string_view pattern, const Grid& grid) {
    std::int64_t width = 0;
    for (const char element : pattern) width += grid.Element(element);
    return width;
}

// The add-on goes where the main symbol's right margin began; the picture
// grows by the gap and the add-on, and the right margin (at least the
// add-on's quiet zone) follows it. Its digits stand above its bars, as
// tall as the main symbol's, G units above them; its bars reach down as
// far as the main symbol's guard bars. Every length on the layout's grid.
void LayOutAddOn(const BarcodeJob& job, SymbolLayout& layout) {
    const Grid& grid = layout.grid;
    const std::uint8_t right = std::max<std::uint8_t>(job.RightMargin, kAddOnQuietModules);
    layout.addOnX = Saturate(std::int64_t{layout.x0} + grid.Units(ShapeOf(job.Kind).symbolWidth) +
                             grid.Units(2 * kAddOnGapModules));
    layout.W = Saturate(std::int64_t{layout.addOnX} + AddOnUnits(EncodeAddOn(job.AddOn), grid) +
                        grid.Units(2 * right));
    const int textHeight = job.ExtendedGuards                ? kGuardTextHeight
                           : job.NoText || job.FontSize == 0 ? 0
                                                             : job.FontSize;
    layout.addOnTop =
        Saturate(std::int64_t{layout.Y1} +
                 (textHeight == 0 ? 0 : grid.Units(textHeight) + grid.Units(job.Gap)));
    layout.addOnBottom = job.ExtendedGuards ? layout.Y3 : layout.Y2;
}

// Its bars, narrowed as the main symbol's, then its digits centred over
// them, as text or as outlines like the main symbol's.
void DrawAddOn(const BarcodeJob& job, const SymbolLayout& layout, Canvas& canvas) {
    const Grid& grid = layout.grid;
    const std::string pattern = EncodeAddOn(job.AddOn);
    const std::int64_t cutLeft = grid.reduction / 2;
    const std::int64_t cutRight = grid.reduction - cutLeft;
    std::int64_t x = layout.addOnX;
    // Digits that leave the bars no height: no bars (and no barcode).
    const std::size_t elements = layout.addOnTop < layout.addOnBottom ? pattern.size() : 0;
    for (std::size_t i = 0; i < elements; i += 2) {
        const std::int64_t bar = grid.Element(pattern[i]);
        canvas.FillRect(Box(x + cutLeft, layout.addOnTop, x + bar - cutRight, layout.addOnBottom),
                        Colour::Black);
        if (i + 1 < pattern.size()) x += bar + grid.Element(pattern[i + 1]);
    }
    if (layout.addOnTop == layout.Y1) return;  // no digits
    const int height = Saturate(grid.Units(job.ExtendedGuards ? kGuardTextHeight : job.FontSize));
    const std::int64_t width = AddOnUnits(pattern, grid);
    if (job.OutlinedText) {
        const std::int32_t left =
            Saturate(layout.addOnX + (width - OutlineTextWidth(job.AddOn, height)) / 2);
        canvas.FillPolygons(OutlineText(job.AddOn, left, layout.Y1, height), Colour::Black);
        return;
    }
    canvas.SetFont(kSymbolFontFace, 0, height);
    canvas.DrawString(Saturate(layout.addOnX + (width - canvas.TextWidth(job.AddOn)) / 2),
                      layout.Y1, job.AddOn);
}

}  // namespace

SymbolLayout LayOut(const BarcodeJob& job, const Grid& grid, std::string_view pattern) {
    const SymbologyDescriptor& shape = ShapeOf(job.Kind);
    SymbolLayout layout;
    layout.P = shape.Pairs();
    layout.grid = grid;
    if (grid == Grid{}) {
        // The standard grid: the size functions, no pattern needed.
        LayOutStandard(job, layout);
    } else {
        LayOutOnGrid(job, pattern, layout);
    }
    if (job.Kind == SymbologyKind::Jan13 && !job.AddOn.empty()) LayOutAddOn(job, layout);
    return layout;
}

void DrawSymbol(const BarcodeJob& job, std::string_view pattern, const SymbolLayout& layout,
                Canvas& canvas) {
    const SymbologyDescriptor& shape = ShapeOf(job.Kind);
    if (pattern.size() != static_cast<std::size_t>(2 * layout.P + 1)) {
        throw std::invalid_argument("the pattern does not fit the symbology");
    }
    // The check digit comes with the data field; a job without one draws
    // nothing.
    if (job.CheckDigit < '0' || job.CheckDigit > '9')
        throw std::invalid_argument("the job has no data field");
    const std::string check(1, job.CheckDigit);
    const Grid& grid = layout.grid;
    const bool frame = IsItf(job.Kind) && job.BearerFrame;
    const std::int64_t f = frame ? grid.Units(2 * job.FrameWidth) : 0;

    // The white ground, then only black: the bearer frame as the four sides
    // of its ring, 2F units thick, around a white field exactly 2BH units
    // high that the bars touch at top and bottom. No black rectangle lies on
    // another, so a consumer that smooths edges draws each edge once.
    canvas.FillRect(Box(0, 0, layout.W, layout.H), Colour::White);
    if (frame) {
        const std::int64_t left = grid.Units(2 * job.LeftMargin);
        const std::int64_t top = grid.Units(2 * job.TopMargin);
        const std::int64_t right = std::int64_t{layout.W} - grid.Units(2 * job.RightMargin);
        const std::int64_t bottom = std::int64_t{layout.Y2} + f;
        // A ring thicker than half its box is solid black: the field is empty.
        const std::int64_t fieldTop = std::min(top + f, bottom);
        const std::int64_t fieldBottom = std::max(bottom - f, fieldTop);
        const std::int64_t fieldLeft = std::min(left + f, right);
        const std::int64_t fieldRight = std::max(right - f, fieldLeft);
        canvas.FillRect(Box(left, top, right, fieldTop), Colour::Black);
        canvas.FillRect(Box(left, fieldBottom, right, bottom), Colour::Black);
        // Bearer bars alone (labels) leave out the sides of the ring.
        if (!job.BearerBarsOnly) {
            canvas.FillRect(Box(left, fieldTop, fieldLeft, fieldBottom), Colour::Black);
            canvas.FillRect(Box(fieldRight, fieldTop, right, fieldBottom), Colour::Black);
        }
    }

    // Bars; the spaces are left to the white ground. With extended guards
    // the start, centre and end guard bars (one module each) run on down to
    // Y3, into the band of gap and text, as one taller rectangle. A bar
    // width reduction takes half its width off the bar's left edge and the
    // rest off its right: the element edges stay on the grid, the centre
    // stays (to half a unit for an odd reduction).
    const bool guards = IsJan(job.Kind) && job.ExtendedGuards;
    std::array<std::int64_t, 6> guardOffsets{};
    for (std::size_t i = 0; i < guardOffsets.size(); ++i)
        guardOffsets[i] = grid.Units(shape.guardOffsets[i]);
    const auto isGuard = [&](std::int64_t offset) {
        return guards &&
               std::find(guardOffsets.begin(), guardOffsets.end(), offset) != guardOffsets.end();
    };
    const std::int64_t cutLeft = grid.reduction / 2;
    const std::int64_t cutRight = grid.reduction - cutLeft;
    std::int64_t x = layout.x0;
    for (std::size_t i = 0; i < pattern.size(); i += 2) {
        const std::int64_t bar = grid.Element(pattern[i]);
        const std::int32_t bottom = isGuard(x - layout.x0) ? layout.Y3 : layout.Y2;
        canvas.FillRect(Box(x + cutLeft, layout.Y1, x + bar - cutRight, bottom), Colour::Black);
        if (i + 1 < pattern.size()) x += bar + grid.Element(pattern[i + 1]);
    }

    if (layout.addOnX != 0) DrawAddOn(job, layout, canvas);

    const auto digits = [&](const DigitGroup& g) { return CharRange(job.Digits, g.first, g.last); };
    // The text cell starts G units below the bars, or below the frame.
    const std::int32_t textTop = Saturate(std::int64_t{layout.Y2} + f + grid.Units(job.Gap));

    if (guards) {
        // These styles always print, in their fixed height.
        const int height = Saturate(grid.Units(kGuardTextHeight));
        for (const GuardText& text : shape.guardTexts) {
            const std::int32_t x = Saturate(std::int64_t{layout.x0} + grid.Units(text.xOffset));
            const std::string group = digits(text.group) + (text.withCheckDigit ? check : "");
            if (job.OutlinedText) {
                canvas.FillPolygons(OutlineText(group, x, textTop, height), Colour::Black);
                continue;
            }
            canvas.SetFont(kSymbolFontFace, 0, height);
            canvas.DrawString(x, textTop, group);
        }
        return;
    }
    // A font size of 0 leaves a text cell of no height: there is nothing to
    // print in it (GDI would take height 0 as "a default size" and draw the
    // digits over the bottom margin and off the picture).
    if (job.NoText || job.FontSize == 0) return;

    std::string line = IsJan(job.Kind) && job.PrefixedText ? std::string(shape.prefix) : "";
    for (const DigitGroup& g : shape.lineGroups) {
        line += digits(g);
        line += shape.separator;
    }
    line += check;
    const int height = Saturate(grid.Units(job.FontSize));
    // Centred on the whole picture, not on the bars; truncating toward zero.
    // An add-on leaves the line where the picture without it has it.
    const std::int64_t width = layout.addOnX == 0
                                   ? std::int64_t{layout.W}
                                   : grid.Units(Jan13Width(job.LeftMargin, job.RightMargin));
    if (job.OutlinedText) {
        const std::int32_t x = Saturate((width - OutlineTextWidth(line, height)) / 2);
        canvas.FillPolygons(OutlineText(line, x, textTop, height), Colour::Black);
        return;
    }
    canvas.SetFont(kSymbolFontFace, 0, height);
    canvas.DrawString(Saturate((width - canvas.TextWidth(line)) / 2), textTop, line);
}

BarcodeCheck::BarcodeCheck(const SymbolLayout& layout, Canvas& to) : layout_(layout), to_(to) {}

void BarcodeCheck::Check(std::int64_t left, std::int64_t top, std::int64_t right,
                         std::int64_t bottom) {
    if (left >= right || top >= bottom) return;  // nothing drawn
    if (left < 0 || top < 0 || right > layout_.W || bottom > layout_.H) inside_ = false;
}

void BarcodeCheck::FillRect(const Rect& rect, Colour colour) {
    Check(rect.left, rect.top, rect.right, rect.bottom);
    to_.FillRect(rect, colour);
}

void BarcodeCheck::SetFont(std::string_view face, int charset, int height) {
    fontHeight_ = height;
    to_.SetFont(face, charset, height);
}

int BarcodeCheck::TextWidth(std::string_view text) {
    return to_.TextWidth(text);
}

void BarcodeCheck::DrawString(int x, int y, std::string_view text) {
    if (!text.empty()) {
        Check(x, y, std::int64_t{x} + to_.TextWidth(text), std::int64_t{y} + fontHeight_);
    }
    to_.DrawString(x, y, text);
}

void BarcodeCheck::FillPolygons(const std::vector<Polygon>& polygons, Colour colour) {
    // The polygons cover their points' box, its right and bottom edges
    // excluded, as a rectangle does.
    for (const Polygon& polygon : polygons) {
        if (polygon.empty()) continue;
        const auto [left, right] = std::minmax_element(polygon.begin(), polygon.end(),
                                                       [](Point a, Point b) { return a.x < b.x; });
        const auto [top, bottom] = std::minmax_element(polygon.begin(), polygon.end(),
                                                       [](Point a, Point b) { return a.y < b.y; });
        Check(left->x, top->y, right->x, bottom->y);
    }
    to_.FillPolygons(polygons, colour);
}

bool BarcodeCheck::IsBarcode() const {
    // An add-on without bars would leave a code that reads without it.
    const bool addOn = layout_.addOnX == 0 || layout_.addOnTop < layout_.addOnBottom;
    return inside_ && layout_.Y1 < layout_.Y2 && addOn;
}

CopySize ScaledSize(std::int32_t width, std::int32_t height, std::int32_t copyRate) {
    return {Saturate(std::int64_t{width} * copyRate / 100),
            Saturate(std::int64_t{height} * copyRate / 100)};
}

}  // namespace merrowin
