#include "render/book_layout.h"

#include <algorithm>

#include "common/saturate.h"
#include "encode/encoders.h"
#include "model/symbology.h"
#include "render/outline_text.h"

namespace merrowin {
namespace {

Rect Box(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom) {
    return {Saturate(left), Saturate(top), Saturate(right), Saturate(bottom)};
}

// The cell height of every text of the book code: JAN-13's font size.
std::int64_t TextHeight(const BarcodeJob& job, const Grid& grid) {
    return job.NoText ? 0 : grid.Units(job.FontSize);
}

// The bars of one tier, narrowed by the grid's reduction as a single
// symbol's are.
void DrawBars(std::string_view pattern, std::int64_t x, std::int64_t top, std::int64_t bottom,
              const Grid& grid, Canvas& canvas) {
    const std::int64_t cutLeft = grid.reduction / 2;
    const std::int64_t cutRight = grid.reduction - cutLeft;
    for (std::size_t i = 0; i < pattern.size(); i += 2) {
        const std::int64_t bar = grid.Element(pattern[i]);
        canvas.FillRect(Box(x + cutLeft, top, x + bar - cutRight, bottom), Colour::Black);
        if (i + 1 < pattern.size()) x += bar + grid.Element(pattern[i + 1]);
    }
}

}  // namespace

SymbolLayout LayOutBook(const BarcodeJob& job, const Grid& grid) {
    const SymbologyDescriptor& jan = *Describe(SymbologyKind::Jan13);
    SymbolLayout layout;
    layout.P = jan.Pairs();
    layout.grid = grid;
    const std::int64_t text = TextHeight(job, grid);
    const std::int64_t textBand = text == 0 ? 0 : grid.Units(job.Gap) + text;
    const std::int64_t bars = grid.Units(kBookBarHalfModules);
    const std::int64_t symbol = grid.Units(jan.symbolWidth);
    const std::int64_t left = grid.Units(2 * job.LeftMargin);
    const std::int64_t right = grid.Units(2 * job.RightMargin);
    // The 日本図書コード column: as wide as its longer line in OCR-B.
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
    // The right margin again after the column, so its last character keeps
    // clear of the picture's edge.
    layout.W = Saturate(left + symbol + right + (column == 0 ? 0 : column + right));
    layout.H =
        Saturate(std::int64_t{layout.lowerY1} + bars + textBand + grid.Units(2 * job.BottomMargin));
    return layout;
}

void DrawBook(const BarcodeJob& job, std::string_view pattern, const SymbolLayout& layout,
              Canvas& canvas) {
    const Grid& grid = layout.grid;
    const BookCode& book = job.BookParts;
    const std::string lower = EncodeJan13("000" + book.priceCode.substr(0, 12));
    const std::int64_t bars = std::int64_t{layout.Y2} - layout.Y1;
    const std::int64_t lowerY2 = std::int64_t{layout.lowerY1} + bars;
    canvas.FillRect(Box(0, 0, layout.W, layout.H), Colour::White);
    DrawBars(pattern, layout.x0, layout.Y1, layout.Y2, grid, canvas);
    DrawBars(lower, layout.x0, layout.lowerY1, lowerY2, grid, canvas);
    const int height = Saturate(TextHeight(job, grid));
    if (height == 0) return;
    // One font for every text: the digits of both tiers and the 日本図書コード.
    if (!job.OutlinedText) canvas.SetFont(kSymbolFontFace, 0, height);
    const auto draw = [&](std::int64_t x, std::int64_t top, std::string_view text) {
        if (job.OutlinedText)
            canvas.FillPolygons(OutlineText(text, Saturate(x), Saturate(top), height),
                                Colour::Black);
        else
            canvas.DrawString(Saturate(x), Saturate(top), text);
    };
    // A tier's 13 digits, centred under its bars but never left of the left
    // guard: the book trade prints no digit outside the guards.
    const std::int64_t symbol = grid.Units(Describe(SymbologyKind::Jan13)->symbolWidth);
    const auto digits = [&](std::int64_t top, std::string_view text) {
        const std::int64_t width =
            job.OutlinedText ? OutlineTextWidth(text, height) : canvas.TextWidth(text);
        draw(layout.x0 + std::max<std::int64_t>(0, (symbol - width) / 2), top, text);
    };
    const std::int64_t gap = grid.Units(job.Gap);
    digits(std::int64_t{layout.Y2} + gap, book.isbn);
    digits(lowerY2 + gap, book.priceCode);
    draw(layout.bookTextX, layout.Y1, book.isbnLine);
    draw(layout.bookTextX, layout.lowerY1, book.priceLine);
}

}  // namespace merrowin
