#include "render/layout.h"

#include <algorithm>
#include <array>
#include <stdexcept>

#include "common/saturate.h"
#include "common/text.h"
#include "encode/encoders.h"
#include "model/data_field.h"
#include "model/symbology.h"
#include "render/book_layout.h"
#include "render/outline_text.h"
#include "render/slip_layout.h"

namespace merrowin {
namespace {

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

// The width of `pattern`'s elements on `grid`.
std::int64_t ElementUnits(std::string_view pattern, const Grid& grid) {
    std::int64_t width = 0;
    for (const char element : pattern) width += grid.Element(element);
    return width;
}

// The width of the symbol's elements on `grid`. The standard grid needs no
// pattern: every pattern of a kind is its symbolWidth units wide there.
std::int64_t SymbolUnits(const SymbologyDescriptor& shape, const Grid& grid,
                         std::string_view pattern) {
    if (pattern.empty() && grid == Grid{}) return shape.symbolWidth;
    if (pattern.size() != shape.patternLength)
        throw std::invalid_argument("the pattern does not fit the symbology");
    return ElementUnits(pattern, grid);
}

// The layout on `layout.grid`, the standard one or a finer one: every
// length summed from the pattern's elements and the job's sizes, which
// count half modules, in the grid's units. On the standard grid a unit is
// half a module and Grid::Units changes no length.
void LayOutOnGrid(const BarcodeJob& job, std::string_view pattern, SymbolLayout& layout) {
    const Grid& grid = layout.grid;
    const std::int64_t symbol = SymbolUnits(ShapeOf(job.Kind), grid, pattern);
    const bool itf = IsItf(job.Kind);
    const bool frame = itf && job.BearerFrame;
    const std::int64_t f = frame ? grid.Units(2 * job.FrameWidth) : 0;
    const std::int64_t left = grid.Units(2 * job.LeftMargin);
    const std::int64_t inner = itf ? grid.Units(2 * job.InnerMargin) : 0;
    const std::int64_t top = grid.Units(2 * job.TopMargin);
    const std::int64_t bars = grid.Units(2 * std::int64_t{job.BarHeight});
    // The extended-guard styles always reserve their fixed-height text band.
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
    layout.W = Saturate(std::int64_t{layout.addOnX} + ElementUnits(EncodeAddOn(job.AddOn), grid) +
                        grid.Units(2 * right));
    const int textHeight = job.ExtendedGuards                ? kGuardTextHeight
                           : job.NoText || job.FontSize == 0 ? 0
                                                             : job.FontSize;
    layout.addOnTop =
        Saturate(std::int64_t{layout.Y1} +
                 (textHeight == 0 ? 0 : grid.Units(textHeight) + grid.Units(job.Gap)));
    layout.addOnBottom = job.ExtendedGuards ? layout.Y3 : layout.Y2;
}

// The book code (render/book_layout.h) on `layout.grid`: the upper tier's
// bars from Y1 to Y2, the lower's from lowerY1 as high, each tier's 13
// digits G units below its bars; the 日本図書コード column from bookTextX,
// after the right quiet zone, as wide as its longer line in OCR-B, and the
// right margin again after it. JAN-13's margins, gap and font size; the
// book trade's bar height.
void LayOutBook(const BarcodeJob& job, std::string_view pattern, SymbolLayout& layout) {
    const Grid& grid = layout.grid;
    const std::int64_t symbol = SymbolUnits(ShapeOf(SymbologyKind::Jan13), grid, pattern);
    const std::int64_t text = job.NoText ? 0 : grid.Units(job.FontSize);
    const std::int64_t textBand = text == 0 ? 0 : grid.Units(job.Gap) + text;
    const std::int64_t bars = grid.Units(kBookBarHalfModules);
    const std::int64_t left = grid.Units(2 * job.LeftMargin);
    const std::int64_t right = grid.Units(2 * job.RightMargin);
    const std::int64_t column =
        text == 0 ? 0
                  : std::max(OutlineTextWidth(job.BookParts.isbnLine, Saturate(text)),
                             OutlineTextWidth(job.BookParts.priceLine, Saturate(text)));
    layout.x0 = Saturate(left);
    layout.Y1 = Saturate(grid.Units(2 * job.TopMargin));
    layout.Y2 = Saturate(std::int64_t{layout.Y1} + bars);
    layout.lowerY1 =
        Saturate(std::int64_t{layout.Y2} + textBand + grid.Units(2 * kBookTierGapModules));
    layout.bookTextX = Saturate(left + symbol + right);
    layout.W = Saturate(left + symbol + right + (column == 0 ? 0 : column + right));
    layout.H =
        Saturate(std::int64_t{layout.lowerY1} + bars + textBand + grid.Units(2 * job.BottomMargin));
}

}  // namespace

SymbolLayout LayOut(const BarcodeJob& job, const Grid& grid, std::string_view pattern) {
    if (job.Kind == SymbologyKind::PaymentSlip) return LayOutSlip(job, grid);
    const SymbologyDescriptor& shape = ShapeOf(job.Kind);
    SymbolLayout layout;
    layout.P = shape.Pairs();
    layout.grid = grid;
    if (job.Book) {
        LayOutBook(job, pattern, layout);
        return layout;
    }
    LayOutOnGrid(job, pattern, layout);
    if (job.Kind == SymbologyKind::Jan13 && !job.AddOn.empty()) LayOutAddOn(job, layout);
    return layout;
}

namespace {

// A job of `kind` with nothing set but the sizes a side function takes.
BarcodeJob SizesOnly(SymbologyKind kind) {
    BarcodeJob job;
    job.Kind = kind;
    return job;
}

// The picture width of an ITF kind on the standard grid.
std::int32_t ItfWidth(SymbologyKind kind, std::uint8_t left, std::uint8_t right, std::uint8_t inner,
                      std::uint8_t frame, bool bearerFrame) {
    BarcodeJob job = SizesOnly(kind);
    job.LeftMargin = left;
    job.RightMargin = right;
    job.InnerMargin = inner;
    job.FrameWidth = frame;
    job.BearerFrame = bearerFrame;
    return LayOut(job).W;
}

}  // namespace

std::int32_t Jan13Width(std::uint8_t left, std::uint8_t right) {
    BarcodeJob job = SizesOnly(SymbologyKind::Jan13);
    job.LeftMargin = left;
    job.RightMargin = right;
    return LayOut(job).W;
}

std::int32_t Jan8Width(std::uint8_t left, std::uint8_t right) {
    BarcodeJob job = SizesOnly(SymbologyKind::Jan8);
    job.LeftMargin = left;
    job.RightMargin = right;
    return LayOut(job).W;
}

std::int32_t Itf14Width(std::uint8_t left, std::uint8_t right, std::uint8_t inner,
                        std::uint8_t frame, bool bearerFrame) {
    return ItfWidth(SymbologyKind::Itf14, left, right, inner, frame, bearerFrame);
}

std::int32_t Itf16Width(std::uint8_t left, std::uint8_t right, std::uint8_t inner,
                        std::uint8_t frame, bool bearerFrame) {
    return ItfWidth(SymbologyKind::Itf16, left, right, inner, frame, bearerFrame);
}

std::int32_t JanHeight(std::uint8_t top, std::uint8_t bottom, std::uint8_t fontSize,
                       std::uint8_t gap, std::int32_t barHeight, bool noText, bool extendedGuards) {
    BarcodeJob job = SizesOnly(SymbologyKind::Jan13);
    job.TopMargin = top;
    job.BottomMargin = bottom;
    job.FontSize = fontSize;
    job.Gap = gap;
    job.BarHeight = barHeight;
    job.NoText = noText;
    job.ExtendedGuards = extendedGuards;
    return LayOut(job).H;
}

std::int32_t ItfHeight(std::uint8_t top, std::uint8_t bottom, std::uint8_t gap, std::uint8_t frame,
                       std::uint8_t fontSize, std::int32_t barHeight, bool noText,
                       bool bearerFrame) {
    BarcodeJob job = SizesOnly(SymbologyKind::Itf14);
    job.TopMargin = top;
    job.BottomMargin = bottom;
    job.Gap = gap;
    job.FrameWidth = frame;
    job.FontSize = fontSize;
    job.BarHeight = barHeight;
    job.NoText = noText;
    job.BearerFrame = bearerFrame;
    return LayOut(job).H;
}

namespace {

// The bearer frame as the four sides of its ring, 2F units thick, around a
// white field exactly 2BH units high that the bars touch at top and bottom.
// No black rectangle lies on another, so a consumer that smooths edges
// draws each edge once.
void DrawBearerFrame(const BarcodeJob& job, const SymbolLayout& layout, Canvas& canvas) {
    if (!IsItf(job.Kind) || !job.BearerFrame) return;
    const Grid& grid = layout.grid;
    const std::int64_t f = grid.Units(2 * job.FrameWidth);
    const std::int64_t left = grid.Units(2 * job.LeftMargin);
    const std::int64_t top = grid.Units(2 * job.TopMargin);
    const std::int64_t right = std::int64_t{layout.W} - grid.Units(2 * job.RightMargin);
    const std::int64_t bottom = std::int64_t{layout.Y2} + f;
    // A ring thicker than half its box is solid black: the field is empty.
    const std::int64_t fieldTop = std::min(top + f, bottom);
    const std::int64_t fieldBottom = std::max(bottom - f, fieldTop);
    const std::int64_t fieldLeft = std::min(left + f, right);
    const std::int64_t fieldRight = std::max(right - f, fieldLeft);
    canvas.FillRect(Box(left, top, right, fieldTop));
    canvas.FillRect(Box(left, fieldBottom, right, bottom));
    // Bearer bars alone (labels) leave out the sides of the ring.
    if (!job.BearerBarsOnly) {
        canvas.FillRect(Box(left, fieldTop, fieldLeft, fieldBottom));
        canvas.FillRect(Box(fieldRight, fieldTop, right, fieldBottom));
    }
}

// The bars of `pattern` from `x` down from `top`, a bar's bottom given by
// `bottomOf` its offset from the first bar; the spaces are left to the
// white ground. A bar width reduction takes half its width off the bar's
// left edge and the rest off its right: the element edges stay on the
// grid, the centre stays (to half a unit for an odd reduction).
template <class BottomOf>
void DrawBars(std::string_view pattern, std::int64_t x, std::int32_t top, const Grid& grid,
              BottomOf bottomOf, Canvas& canvas) {
    const std::int64_t first = x;
    const std::int64_t cutLeft = grid.reduction / 2;
    const std::int64_t cutRight = grid.reduction - cutLeft;
    for (std::size_t i = 0; i < pattern.size(); i += 2) {
        const std::int64_t bar = grid.Element(pattern[i]);
        canvas.FillRect(Box(x + cutLeft, top, x + bar - cutRight, bottomOf(x - first)));
        if (i + 1 < pattern.size()) x += bar + grid.Element(pattern[i + 1]);
    }
}

// The main symbol's bars. With extended guards the start, centre and end
// guard bars (one module each) run on down to Y3, into the band of gap and
// text, as one taller rectangle.
void DrawSymbolBars(const SymbologyDescriptor& shape, const BarcodeJob& job,
                    std::string_view pattern, const SymbolLayout& layout, Canvas& canvas) {
    const bool guards = IsJan(job.Kind) && job.ExtendedGuards;
    std::array<std::int64_t, 6> guardOffsets{};
    for (std::size_t i = 0; i < guardOffsets.size(); ++i)
        guardOffsets[i] = layout.grid.Units(shape.guardOffsets[i]);
    const auto bottomOf = [&](std::int64_t offset) {
        const bool guard = guards && std::find(guardOffsets.begin(), guardOffsets.end(), offset) !=
                                         guardOffsets.end();
        return guard ? layout.Y3 : layout.Y2;
    };
    DrawBars(pattern, layout.x0, layout.Y1, layout.grid, bottomOf, canvas);
}

// `text` in the symbol's font, `height` units high, centred on the `width`
// units from `left` (truncating toward zero), its cell's top at `top`.
void DrawCentred(std::int64_t left, std::int64_t width, std::int32_t top, int height,
                 std::string_view text, Canvas& canvas) {
    canvas.PutText(Saturate(left + (width - canvas.TextWidth(height, text)) / 2), top, height,
                   text);
}

// GS1 prints each digit of an EAN/UPC symbol centred under (an add-on's:
// over) its own symbol character of 7 modules (GS1 GenSpecs,
// the human readable interpretation of EAN/UPC symbols). Digit k of
// `digits` is centred on the 7 modules from x0 + starts(k) modules.
template <class Starts>
void DrawUnderCharacters(std::string_view digits, std::int64_t x0, Starts starts, const Grid& grid,
                         std::int32_t top, int height, Canvas& canvas) {
    for (std::size_t k = 0; k < digits.size(); ++k)
        DrawCentred(x0 + grid.Units(2 * std::int64_t{starts(static_cast<int>(k))}),
                    grid.Units(2 * 7), top, height, digits.substr(k, 1), canvas);
}

// An add-on character's first module: after the 4 of the start pattern,
// each character and its 2-module delimiter take 9 (01, as in EAN-2/EAN-5).
int AddOnCharacterStart(int k) {
    return 4 + 9 * k;
}

// The add-on's bars, narrowed as the main symbol's, then its digits over
// them: a text's digits as a group centred over the bars, outlined digits
// each over its own character.
void DrawAddOn(const BarcodeJob& job, const SymbolLayout& layout, Canvas& canvas) {
    const Grid& grid = layout.grid;
    const std::string pattern = EncodeAddOn(job.AddOn);
    // Digits that leave the bars no height: no bars (and no barcode).
    if (layout.addOnTop < layout.addOnBottom) {
        DrawBars(
            pattern, layout.addOnX, layout.addOnTop, grid,
            [&](std::int64_t) { return layout.addOnBottom; }, canvas);
    }
    if (layout.addOnTop == layout.Y1) return;  // no digits
    const int height = Saturate(grid.Units(job.ExtendedGuards ? kGuardTextHeight : job.FontSize));
    if (job.OutlinedText)
        DrawUnderCharacters(job.AddOn, layout.addOnX, AddOnCharacterStart, grid, layout.Y1, height,
                            canvas);
    else
        DrawCentred(layout.addOnX, ElementUnits(pattern, grid), layout.Y1, height, job.AddOn,
                    canvas);
}

std::string GroupDigits(const BarcodeJob& job, const DigitGroup& group) {
    return CharRange(job.Digits, group.first, group.last);
}

// The extended-guard styles' digits; these styles always print, in their
// fixed height. The leading digit of a JAN-13 stands in the left quiet
// zone. As text the groups stand at fixed offsets beside the guards, where
// the metafile's font has always put them; as outlines (/ol and the print
// files, the same shapes everywhere) each digit stands under its own
// symbol character, as GS1 prints them.
void DrawGuardTexts(const SymbologyDescriptor& shape, const BarcodeJob& job,
                    const std::string& check, const SymbolLayout& layout, std::int32_t top,
                    Canvas& canvas) {
    const Grid& grid = layout.grid;
    const int height = Saturate(grid.Units(kGuardTextHeight));
    std::string characters;  // the digits of the symbol characters, left to right
    for (const GuardText& text : shape.guardTexts) {
        const std::string digits =
            GroupDigits(job, text.group) + (text.withCheckDigit ? check : "");
        if (job.OutlinedText && text.xOffset > 0) {
            characters += digits;
            continue;
        }
        const std::int32_t x = Saturate(std::int64_t{layout.x0} + grid.Units(text.xOffset));
        canvas.PutText(x, top, height, digits);
    }
    // A character's first module: the 3 of the start guard, 7 a character,
    // and the 5 of the centre guard between the halves.
    const int half = static_cast<int>(characters.size() / 2);
    const auto start = [half](int k) { return 3 + 7 * k + (k < half ? 0 : 5); };
    DrawUnderCharacters(characters, layout.x0, start, grid, top, height, canvas);
}

// The book code: both tiers' bars, each tier's 13 digits centred under its
// bars but never left of the left guard (the book trade prints no digit
// outside the guards), and the 日本図書コード beside the tiers.
void DrawBook(const BarcodeJob& job, std::string_view pattern, const SymbolLayout& layout,
              Canvas& canvas) {
    const Grid& grid = layout.grid;
    const BookCode& book = job.BookParts;
    const std::optional<DataField> lowerData =
        MakeDataField({SymbologyKind::Jan13, book.priceCode, 0, GivenCheck::Verified});
    const std::string lower = lowerData ? EncodeJan13(lowerData->digits) : std::string();
    const std::int32_t lowerY2 = Saturate(std::int64_t{layout.lowerY1} + layout.Y2 - layout.Y1);
    DrawBars(
        pattern, layout.x0, layout.Y1, grid, [&](std::int64_t) { return layout.Y2; }, canvas);
    DrawBars(
        lower, layout.x0, layout.lowerY1, grid, [&](std::int64_t) { return lowerY2; }, canvas);
    if (job.NoText || job.FontSize == 0) return;
    const int height = Saturate(grid.Units(job.FontSize));
    const std::int64_t symbol = ElementUnits(pattern, grid);
    const auto digits = [&](std::int64_t barsBottom, std::string_view text) {
        const std::int64_t indent =
            std::max<std::int64_t>(0, (symbol - canvas.TextWidth(height, text)) / 2);
        canvas.PutText(Saturate(layout.x0 + indent), Saturate(barsBottom + grid.Units(job.Gap)),
                       height, text);
    };
    digits(layout.Y2, book.isbn);
    digits(lowerY2, book.priceCode);
    canvas.PutText(layout.bookTextX, layout.Y1, height, book.isbnLine);
    canvas.PutText(layout.bookTextX, layout.lowerY1, height, book.priceLine);
}

// The single line of digits, centred on the whole picture, not on the
// bars. An add-on leaves the line where the picture without it has it.
// Outlined, an ITF's line stands centred under its symbol, as GS1 prints
// it (GS1 GenSpecs, ITF-14's human readable interpretation).
void DrawLineText(const SymbologyDescriptor& shape, const BarcodeJob& job, const std::string& check,
                  std::string_view pattern, const SymbolLayout& layout, std::int32_t top,
                  Canvas& canvas) {
    std::string line = IsJan(job.Kind) && job.PrefixedText ? std::string(shape.prefix) : "";
    for (const DigitGroup& g : shape.lineGroups) {
        line += GroupDigits(job, g);
        line += shape.separator;
    }
    line += check;
    const Grid& grid = layout.grid;
    const int height = Saturate(grid.Units(job.FontSize));
    if (job.OutlinedText && IsItf(job.Kind))
        return DrawCentred(layout.x0, ElementUnits(pattern, grid), top, height, line, canvas);
    const std::int64_t width = layout.addOnX == 0
                                   ? std::int64_t{layout.W}
                                   : grid.Units(Jan13Width(job.LeftMargin, job.RightMargin));
    DrawCentred(0, width, top, height, line, canvas);
}

}  // namespace

void DrawSymbol(const BarcodeJob& job, std::string_view pattern, const SymbolLayout& layout,
                Canvas& canvas) {
    const SymbologyDescriptor& shape = ShapeOf(job.Kind);
    if (pattern.size() != static_cast<std::size_t>(2 * layout.P + 1)) {
        throw std::invalid_argument("the pattern does not fit the symbology");
    }
    if (job.Book) return DrawBook(job, pattern, layout, canvas);
    if (job.Kind == SymbologyKind::PaymentSlip) return DrawSlip(job, pattern, layout, canvas);
    // The check digit comes with the data field; a job without one draws
    // nothing.
    if (job.CheckDigit < '0' || job.CheckDigit > '9')
        throw std::invalid_argument("the job has no data field");
    const std::string check(1, job.CheckDigit);
    const Grid& grid = layout.grid;
    const bool frame = IsItf(job.Kind) && job.BearerFrame;
    const std::int64_t f = frame ? grid.Units(2 * job.FrameWidth) : 0;

    DrawBearerFrame(job, layout, canvas);
    DrawSymbolBars(shape, job, pattern, layout, canvas);
    if (layout.addOnX != 0) DrawAddOn(job, layout, canvas);

    // The text cell starts G units below the bars, or below the frame.
    const std::int32_t textTop = Saturate(std::int64_t{layout.Y2} + f + grid.Units(job.Gap));
    if (IsJan(job.Kind) && job.ExtendedGuards) {
        DrawGuardTexts(shape, job, check, layout, textTop, canvas);
    } else if (!job.NoText && job.FontSize != 0) {
        // A font size of 0 leaves a text cell of no height: there is nothing
        // to print in it (GDI would take height 0 as "a default size" and
        // draw the digits over the bottom margin and off the picture).
        DrawLineText(shape, job, check, pattern, layout, textTop, canvas);
    }
}

CopySize ScaledSize(std::int32_t width, std::int32_t height, std::int32_t copyRate) {
    return {Saturate(std::int64_t{width} * copyRate / 100),
            Saturate(std::int64_t{height} * copyRate / 100)};
}

}  // namespace merrowin
