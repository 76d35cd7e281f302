#include "render/layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "app/run.h"
#include "common/errors.h"
#include "common/text.h"
#include "encode/book.h"
#include "encode/check_digit.h"
#include "encode/encoders.h"
#include "model/data_field.h"
#include "model/symbology.h"
#include "render/dot_frame.h"
#include "render/drawing.h"
#include "render/formats/formats.h"
#include "render/picture.h"
#include "render/print_grid.h"
#include "render/slip_layout.h"

namespace merrowin {
namespace {

constexpr std::int32_t kMaxSide = 32767;

// Records what the drawing asks of the canvas; its font measures a fixed
// width per character, whatever the height.
class RecordingCanvas : public Canvas {
public:
    explicit RecordingCanvas(int unitsPerChar = 10) : unitsPerChar_(unitsPerChar) {}

    std::vector<Rect> fills;         // black, as drawn
    std::vector<std::string> texts;  // "text X Y hHEIGHT TEXT"

    void FillRect(const Rect& rect) override { fills.push_back(rect); }
    int TextWidth(int, std::string_view text) override {
        return unitsPerChar_ * static_cast<int>(CountChars(text));
    }
    void PutText(int x, int y, int height, std::string_view text) override {
        texts.push_back("text " + std::to_string(x) + " " + std::to_string(y) + " h" +
                        std::to_string(height) + " " + std::string(text));
    }

    // Black rectangles running from `top` to `bottom`.
    std::vector<Rect> BlackBetween(int top, int bottom) const {
        std::vector<Rect> out;
        for (const Rect& fill : fills) {
            if (fill.top == top && fill.bottom == bottom) out.push_back(fill);
        }
        return out;
    }

private:
    int unitsPerChar_;
};

// A measurer of `unitsPerChar` units a character, whatever the font.
TextMeasurer FixedWidth(int unitsPerChar) {
    return [unitsPerChar](const FontSpec&, std::u16string_view text) {
        return std::vector<std::int32_t>(text.size(), unitsPerChar);
    };
}

// Default sizes of a JAN run and of an ITF run.
BarcodeJob Jan(SymbologyKind kind, std::string digits) {
    BarcodeJob job;
    job.Kind = kind;
    job.Digits = std::move(digits);
    job.CheckDigit = static_cast<char>('0' + CheckDigit(job.Digits));
    job.LeftMargin = 11;
    job.RightMargin = 7;
    job.TopMargin = 3;
    job.BottomMargin = 3;
    job.InnerMargin = 10;
    job.BarHeight = 60;
    job.Gap = 2;
    job.FrameWidth = 5;
    job.FontSize = 18;
    return job;
}

BarcodeJob Itf(SymbologyKind kind, std::string digits, bool frame) {
    BarcodeJob job = Jan(kind, std::move(digits));
    job.LeftMargin = 3;
    job.RightMargin = 3;
    job.FontSize = 13;
    job.BearerFrame = frame;
    return job;
}

struct Drawn {
    SymbolLayout layout;
    RecordingCanvas canvas;
};

Drawn Draw(BarcodeJob job, int unitsPerChar = 10) {
    Drawn drawn{LayOut(job), RecordingCanvas(unitsPerChar)};
    DrawSymbol(job, EncodeForKind(job.Kind, job.Digits), drawn.layout, drawn.canvas);
    return drawn;
}

// The element widths read back from the bars on the canvas.
std::string PatternFromBars(const std::vector<Rect>& bars) {
    std::string out;
    for (std::size_t i = 0; i < bars.size(); ++i) {
        if (i > 0) out += IntToStr(bars[i].left - bars[i - 1].right);
        out += IntToStr(bars[i].right - bars[i].left);
    }
    return out;
}

TEST(SizeFunctions, Examples) {
    EXPECT_EQ(Jan13Width(11, 7), 226);
    EXPECT_EQ(Jan8Width(11, 7), 170);
    EXPECT_EQ(Jan13Width(255, 255), 1210);  // 8-bit values widen without sign
    EXPECT_EQ(Itf14Width(3, 3, 10, 5, true), 313);
    EXPECT_EQ(Itf14Width(3, 3, 10, 5, false), 293);
    EXPECT_EQ(Itf16Width(3, 3, 10, 5, true), 345);
    EXPECT_EQ(Itf16Width(3, 3, 10, 5, false), 325);
    EXPECT_EQ(JanHeight(3, 3, 18, 2, 60, false, true), 154);
    EXPECT_EQ(JanHeight(3, 3, 18, 2, 60, true, true), 154);  // guards ignore NoText
    EXPECT_EQ(JanHeight(3, 3, 18, 2, 60, false, false), 152);
    EXPECT_EQ(JanHeight(3, 3, 18, 2, 60, true, false), 132);
    EXPECT_EQ(ItfHeight(3, 3, 2, 5, 13, 60, false, true), 167);
    EXPECT_EQ(ItfHeight(3, 3, 2, 5, 13, 60, false, false), 147);
    EXPECT_EQ(ItfHeight(3, 3, 2, 5, 13, 60, true, false), 132);
    EXPECT_EQ(ItfHeight(3, 3, 2, 5, 13, 60, true, true), 152);
    // A stored bar height keeps all 32 bits; the height saturates, never wraps.
    EXPECT_EQ(JanHeight(3, 3, 18, 2, std::numeric_limits<std::int32_t>::max(), false, false),
              std::numeric_limits<std::int32_t>::max());
}

// The working values of a layout, without its grid.
struct Geometry {
    std::int32_t W, H, x0, Y1, Y2, Y3;
    int P;
};

struct GeometryRow {
    const char* name;
    BarcodeJob job;
    Geometry expected;
};

TEST(LayOut, Examples) {
    BarcodeJob plain = Jan(SymbologyKind::Jan13, "000123456789012");
    BarcodeJob guards = plain;
    guards.ExtendedGuards = true;
    BarcodeJob jan8 = Jan(SymbologyKind::Jan8, "000000001234567");
    jan8.ExtendedGuards = true;
    const GeometryRow rows[] = {
        {"j13", guards, {226, 154, 22, 6, 126, 137, 29}},
        {"j13b", plain, {226, 152, 22, 6, 126, 0, 29}},
        {"j8", jan8, {170, 154, 22, 6, 126, 137, 21}},
        {"i14f",
         Itf(SymbologyKind::Itf14, "001234567890123", true),
         {313, 167, 36, 16, 136, 0, 38}},
        {"i14", Itf(SymbologyKind::Itf14, "001234567890123", false), {293, 147, 26, 6, 126, 0, 38}},
        {"i16f",
         Itf(SymbologyKind::Itf16, "123456789012345", true),
         {345, 167, 36, 16, 136, 0, 43}},
    };
    for (const GeometryRow& row : rows) {
        SCOPED_TRACE(row.name);
        const SymbolLayout got = LayOut(row.job);
        EXPECT_EQ(got.W, row.expected.W);
        EXPECT_EQ(got.H, row.expected.H);
        EXPECT_EQ(got.x0, row.expected.x0);
        EXPECT_EQ(got.Y1, row.expected.Y1);
        EXPECT_EQ(got.Y2, row.expected.Y2);
        EXPECT_EQ(got.Y3, row.expected.Y3);
        EXPECT_EQ(got.P, row.expected.P);
    }
}

struct DrawingRow {
    const char* name;
    BarcodeJob job;
    int barsLeft, barsTop, barsRight, barsBottom;
    std::vector<std::string> texts;
};

TEST(DrawSymbol, BarsAndTextCells) {
    BarcodeJob j13 = Jan(SymbologyKind::Jan13, "000123456789012");
    j13.ExtendedGuards = true;
    BarcodeJob j13b = Jan(SymbologyKind::Jan13, "000123456789012");
    BarcodeJob j13t = j13b;
    j13t.PrefixedText = true;
    BarcodeJob j8 = Jan(SymbologyKind::Jan8, "000000001234567");
    j8.ExtendedGuards = true;
    BarcodeJob j8f = Jan(SymbologyKind::Jan8, "000000001234567");
    j8f.PrefixedText = true;
    const DrawingRow rows[] = {
        {"j13",
         j13,
         22,
         6,
         212,
         126,
         {"text 0 128 h20 1", "text 29 128 h20 234567", "text 121 128 h20 890128"}},
        // 13 characters of 10 units centred in 226.
        {"j13b", j13b, 22, 6, 212, 126, {"text 48 128 h18 1234567890128"}},
        {"j13t", j13t, 22, 6, 212, 126, {"text 43 128 h18 T1234567890128"}},
        {"j8", j8, 22, 6, 156, 126, {"text 29 128 h20 1234", "text 93 128 h20 5670"}},
        {"j8f", j8f, 22, 6, 156, 126, {"text 40 128 h18 F12345670"}},
        // 17 characters in 313: 143 div 2.
        {"i14f",
         Itf(SymbologyKind::Itf14, "001234567890123", true),
         36,
         16,
         277,
         136,
         {"text 71 148 h13 123 45678 90123 1"}},
        {"i14",
         Itf(SymbologyKind::Itf14, "001234567890123", false),
         26,
         6,
         267,
         126,
         {"text 61 128 h13 123 45678 90123 1"}},
        {"i16",
         Itf(SymbologyKind::Itf16, "123456789012345", false),
         26,
         6,
         299,
         126,
         {"text 67 128 h13 12345 67890 12345 2"}},
    };
    for (const DrawingRow& row : rows) {
        SCOPED_TRACE(row.name);
        const Drawn drawn = Draw(row.job);
        const auto& fills = drawn.canvas.fills;

        // The bars follow the four sides of a bearer frame; the ground is
        // the picture's, never drawn by the layout.
        const std::size_t first = row.job.BearerFrame ? 4 : 0;
        ASSERT_EQ(fills.size(), first + drawn.layout.P + 1);
        std::vector<Rect> bars;
        for (std::size_t i = first; i < fills.size(); ++i) {
            EXPECT_EQ(fills[i].top, row.barsTop);
            // An extended guard bar is the pattern's own bar, only longer.
            const int bottom = fills[i].bottom;
            EXPECT_TRUE(bottom == row.barsBottom || bottom == drawn.layout.Y3) << bottom;
            bars.push_back(fills[i]);
        }
        EXPECT_EQ(bars.front().left, row.barsLeft);
        EXPECT_EQ(bars.back().right, row.barsRight);
        const std::string pattern = EncodeForKind(row.job.Kind, row.job.Digits);
        EXPECT_EQ(PatternFromBars(bars), pattern);

        EXPECT_EQ(drawn.canvas.texts, row.texts);
    }
}

TEST(DrawSymbol, ExtendedGuardBars) {
    struct Row {
        SymbologyKind kind;
        const char* digits;
        std::vector<int> lefts;
    };
    const Row rows[] = {
        {SymbologyKind::Jan13, "000123456789012", {22, 26, 114, 118, 206, 210}},
        {SymbologyKind::Jan8, "000000001234567", {22, 26, 86, 90, 150, 154}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.digits);
        BarcodeJob job = Jan(row.kind, row.digits);
        job.ExtendedGuards = true;
        const Drawn drawn = Draw(job);
        std::vector<int> lefts;
        for (const Rect& guard : drawn.canvas.BlackBetween(6, 137)) {
            EXPECT_EQ(guard.right - guard.left, 2);
            lefts.push_back(guard.left);
        }
        EXPECT_EQ(lefts, row.lefts);
    }
}

TEST(DrawSymbol, BearerFrameIsTheFourSidesOfItsRing) {
    // Ring (6, 6)-(307, 146) around the field (16, 16)-(297, 136).
    const Drawn drawn = Draw(Itf(SymbologyKind::Itf14, "001234567890123", true));
    const auto& fills = drawn.canvas.fills;
    ASSERT_GE(fills.size(), 4u);
    const Rect sides[] = {
        {6, 6, 307, 16}, {6, 136, 307, 146}, {6, 16, 16, 136}, {297, 16, 307, 136}};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(fills[i], sides[i]);
    }

    const Drawn open = Draw(Itf(SymbologyKind::Itf14, "001234567890123", false));
    EXPECT_EQ(open.canvas.fills.size(), 39u);  // the bars alone
}

// The add-on (JAN-13 with AddOn): 9 modules right of the main symbol, its
// own bars from below its digits down to the main symbol's guard bars, the
// right margin (at least 5 modules) after it.
struct AddOnLayoutRow {
    int row;
    const char* name;
    BarcodeJob job;
    std::int32_t W, addOnX, addOnTop, addOnBottom;
    std::vector<std::string> texts;
};

BarcodeJob Magazine(const char* addOn, void (*change)(BarcodeJob&)) {
    BarcodeJob job = Jan(SymbologyKind::Jan13, "000491012345014");
    job.ExtendedGuards = true;
    job.AddOn = addOn;
    change(job);
    return job;
}

// clang-format off
const AddOnLayoutRow kAddOnLayoutRows[] = {
    // x0 22 + 190 + 18 = 230; 230 + 94 + 2 x 7 = 338. Digits 20 high at
    // Y1 6, 2 units gap, bars to the guard bars' 137; five digits of 10
    // units centred over 94: 230 + 22.
    {0, "j13_ean5", Magazine("00980", [](BarcodeJob&) {}), 338, 230, 28, 137,
     {"text 252 6 h20 00980", "text 0 128 h20 4",
      "text 29 128 h20 910123", "text 121 128 h20 450148"}},
    {1, "j13_ean2", Magazine("12", [](BarcodeJob&) {}), 284, 230, 28, 137,
     {"text 240 6 h20 12", "text 0 128 h20 4",
      "text 29 128 h20 910123", "text 121 128 h20 450148"}},
    // One bar height: digits FS 18 high, bars to Y2 126; the main line
    // stays centred where it is without the add-on, (226 - 130) div 2.
    {2, "j13b_ean5", Magazine("00980", [](BarcodeJob& j) { j.ExtendedGuards = false; }),
     338, 230, 26, 126,
     {"text 252 6 h18 00980", "text 48 128 h18 4910123450148"}},
    // No digits: the add-on's bars as tall as the main symbol's.
    {3, "j13b_no", Magazine("00980", [](BarcodeJob& j) { j.ExtendedGuards = false; j.NoText = true; }),
     338, 230, 6, 126, {}},
    // A stored right margin under the add-on's quiet zone gives way to it.
    {4, "j13_rm3", Magazine("00980", [](BarcodeJob& j) { j.RightMargin = 3; }), 334, 230, 28, 137,
     {"text 252 6 h20 00980", "text 0 128 h20 4",
      "text 29 128 h20 910123", "text 121 128 h20 450148"}},
};
// clang-format on

class AddOnLayout : public testing::TestWithParam<AddOnLayoutRow> {};

TEST_P(AddOnLayout, BesideTheMainSymbol) {
    const AddOnLayoutRow& row = GetParam();
    const Drawn drawn = Draw(row.job);
    EXPECT_EQ(drawn.layout.W, row.W);
    BarcodeJob without = row.job;
    without.AddOn.clear();
    EXPECT_EQ(drawn.layout.H, LayOut(without).H);
    EXPECT_EQ(drawn.layout.addOnX, row.addOnX);
    EXPECT_EQ(drawn.layout.addOnTop, row.addOnTop);
    EXPECT_EQ(drawn.layout.addOnBottom, row.addOnBottom);
    // The add-on's bars read back as its pattern, the first at addOnX.
    const std::vector<Rect> bars = drawn.canvas.BlackBetween(row.addOnTop, row.addOnBottom);
    ASSERT_FALSE(bars.empty());
    std::vector<Rect> addOn;
    for (const Rect& bar : bars)
        if (bar.left >= row.addOnX) addOn.push_back(bar);
    ASSERT_FALSE(addOn.empty());
    EXPECT_EQ(addOn.front().left, row.addOnX);
    EXPECT_EQ(PatternFromBars(addOn), EncodeAddOn(row.job.AddOn));
    EXPECT_EQ(drawn.canvas.texts, row.texts);
}

INSTANTIATE_TEST_SUITE_P(, AddOnLayout, testing::ValuesIn(kAddOnLayoutRows),
                         [](const auto& i) { return "row" + std::to_string(i.param.row); });

// The book code (/bk): two JAN-13 tiers of one size, left edges aligned,
// bars the book trade's 67 half modules with no longer guards, each tier's
// 13 digits within its guards, the 日本図書コード beside the tiers.
struct BookLayoutRow {
    int row;
    BarcodeJob job;
    std::int32_t W, H, Y1, Y2, lowerY1, bookTextX;
    std::vector<std::string> texts;
};

BarcodeJob Book(const char* isbn, const char* cCode, const char* price,
                void (*change)(BarcodeJob&)) {
    const BookCode parts = MakeBookCode(isbn, cCode, price);
    BarcodeJob job = Jan(SymbologyKind::Jan13, "000" + parts.isbn.substr(0, 12));
    job.Book = true;
    job.BookParts = parts;
    change(job);
    return job;
}

// clang-format off
const BookLayoutRow kBookLayoutRows[] = {
    // Bars 6 to 73, digits 2 below them, 18 high; 22 units to the lower
    // tier at 115, its digits at 184. The column starts after the right
    // quiet zone, 22 + 190 + 14 = 226, as wide as 21 OCR-B characters of
    // 18 units (21 x 723 x 18 / 1274 = 214.5, 215), then the right margin
    // again: W 455. Digits of 10 units a character centred in 190: 22 + 30.
    {0, Book("978-4-10-101001-4", "0193", "820", [](BarcodeJob&) {}),
     455, 208, 6, 73, 115, 226,
     {"text 52 75 h18 9784101010014", "text 52 184 h18 1920193008203",
      "text 226 6 h18 ISBN978-4-10-101001-4", "text 226 115 h18 C0193 \u00A5820E"}},
    // No text: no digits, no column, the tiers 22 units apart.
    {1, Book("978-4-10-101001-4", "0193", "820", [](BarcodeJob& j) { j.NoText = true; }),
     226, 168, 6, 73, 95, 226, {}},
};
// clang-format on

class BookLayout : public testing::TestWithParam<BookLayoutRow> {};

TEST_P(BookLayout, TwoTiersAndTheBookCodeLines) {
    const BookLayoutRow& row = GetParam();
    const Drawn drawn = Draw(row.job);
    const SymbolLayout& layout = drawn.layout;
    EXPECT_EQ(layout.W, row.W);
    EXPECT_EQ(layout.H, row.H);
    EXPECT_EQ(layout.Y1, row.Y1);
    EXPECT_EQ(layout.Y2, row.Y2);
    EXPECT_EQ(layout.lowerY1, row.lowerY1);
    EXPECT_EQ(layout.bookTextX, row.bookTextX);
    // Every black rectangle is a bar of one of the tiers, all one height:
    // they read back as the two JAN-13s, both from x0.
    const std::vector<Rect> upper = drawn.canvas.BlackBetween(row.Y1, row.Y2);
    const std::vector<Rect> lower =
        drawn.canvas.BlackBetween(row.lowerY1, row.lowerY1 + row.Y2 - row.Y1);
    ASSERT_EQ(upper.size(), 30u);
    ASSERT_EQ(lower.size(), 30u);
    EXPECT_EQ(drawn.canvas.fills.size(), 60u);
    EXPECT_EQ(upper.front().left, layout.x0);
    EXPECT_EQ(lower.front().left, layout.x0);
    EXPECT_EQ(PatternFromBars(upper), EncodeJan13(row.job.Digits));
    EXPECT_EQ(PatternFromBars(lower),
              EncodeJan13("000" + row.job.BookParts.priceCode.substr(0, 12)));
    EXPECT_EQ(drawn.canvas.texts, row.texts);
}

INSTANTIATE_TEST_SUITE_P(, BookLayout, testing::ValuesIn(kBookLayoutRows),
                         [](const auto& i) { return "row" + std::to_string(i.param.row); });

// At /mw33 the book code is 455 x 208 half modules of 0.165 mm: 75.08 x
// 34.32 mm. With /ol every text, the 日本図書コード too, goes as outlines.
TEST(BookPicture, OutlinedAtTheBookTradesSize) {
    BarcodeJob job = Book("978-4-949999-12-0", "0193", "820", [](BarcodeJob& j) {
        j.ModuleWidth = 33;
        j.CopyRate = 100;
        j.OutlinedText = true;
    });
    const std::string pattern = EncodeJan13(job.Digits);
    const std::optional<Picture> picture = MakePicture(job, pattern, {1280, 1024, 338, 270});
    ASSERT_TRUE(picture.has_value());
    EXPECT_EQ(picture->page.frame, (FrameSize{7508, 3432}));
    const std::optional<Drawing> drawing =
        DrawPicture(job, pattern, *picture, {1280, 1024, 338, 270}, FixedWidth(10));
    ASSERT_TRUE(drawing.has_value());
    EXPECT_FALSE(drawing->HasTextRuns());
    EXPECT_EQ(
        std::count_if(drawing->marks().begin(), drawing->marks().end(),
                      [](const Mark& mark) { return std::holds_alternative<Outlines>(mark); }),
        4);
}

TEST(DrawSymbol, BearerBarsAloneAreTheRingsTopAndBottom) {
    // As the frame of i14f: the same picture, without the ring's sides.
    BarcodeJob job = Itf(SymbologyKind::Itf14, "001234567890123", true);
    job.BearerBarsOnly = true;
    const Drawn drawn = Draw(job);
    const Drawn framed = Draw(Itf(SymbologyKind::Itf14, "001234567890123", true));
    EXPECT_EQ(drawn.layout.W, framed.layout.W);
    EXPECT_EQ(drawn.layout.H, framed.layout.H);
    const auto& fills = drawn.canvas.fills;
    ASSERT_EQ(fills.size(), 2u + 39u);
    EXPECT_EQ(fills[0], (Rect{6, 6, 307, 16}));
    EXPECT_EQ(fills[1], (Rect{6, 136, 307, 146}));
    // Then the bars, exactly where the framed symbol has them.
    for (std::size_t i = 2; i < fills.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(fills[i], framed.canvas.fills[i + 2]);
    }
    EXPECT_EQ(drawn.canvas.texts, framed.canvas.texts);
}

enum class Colour { White, Black };

struct Fill {
    Rect rect;
    Colour colour;
};

// The picture painted fill by fill, each over the last, on white.
std::vector<Colour> Paint(const std::vector<Fill>& fills, int width, int height) {
    std::vector<Colour> pixels(static_cast<std::size_t>(width) * height, Colour::White);
    for (const Fill& fill : fills) {
        for (int y = std::max(fill.rect.top, 0); y < std::min(fill.rect.bottom, height); ++y)
            for (int x = std::max(fill.rect.left, 0); x < std::min(fill.rect.right, width); ++x)
                pixels[static_cast<std::size_t>(y) * width + x] = fill.colour;
    }
    return pixels;
}

// The picture painted the long way, each step over the last: a black box
// with the white field over it for the bearer frame, every bar from Y1 to
// Y2, then each extended guard bar (2 units wide, from x0 plus its offset)
// from Y1 to Y3 over the bar at that place.
std::vector<Colour> PaintedStepByStep(const BarcodeJob& job, const SymbolLayout& layout) {
    std::vector<Fill> fills;
    if (IsItf(job.Kind) && job.BearerFrame) {
        const int f = 2 * job.FrameWidth;
        const Rect box{2 * job.LeftMargin, 2 * job.TopMargin, layout.W - 2 * job.RightMargin,
                       layout.Y2 + f};
        fills.push_back({box, Colour::Black});
        fills.push_back(
            {{box.left + f, box.top + f, box.right - f, box.bottom - f}, Colour::White});
    }
    const std::string pattern = EncodeForKind(job.Kind, job.Digits);
    int x = layout.x0;
    for (std::size_t i = 0; i < pattern.size(); i += 2) {
        const int bar = pattern[i] - '0';
        fills.push_back({{x, layout.Y1, x + bar, layout.Y2}, Colour::Black});
        if (i + 1 < pattern.size()) x += bar + (pattern[i + 1] - '0');
    }
    if (IsJan(job.Kind) && job.ExtendedGuards) {
        for (const int offset : Describe(job.Kind)->guardOffsets)
            fills.push_back({{layout.x0 + offset, layout.Y1, layout.x0 + offset + 2, layout.Y3},
                             Colour::Black});
    }
    return Paint(fills, layout.W, layout.H);
}

struct CoverageRow {
    int row;
    const char* name;
    SymbologyKind kind;
    bool extendedGuards;
    bool frame;
    int frameWidth;
    int barHeight;
};

class DrawingCoverage : public testing::TestWithParam<CoverageRow> {};

// Black rectangles that never overlap, covering the same pixels as
// painting frame, bars and guards one over the other.
TEST_P(DrawingCoverage, BlackThatNeverOverlaps) {
    const CoverageRow& row = GetParam();
    BarcodeJob job = IsJan(row.kind) ? Jan(row.kind, "000123456789012")
                                     : Itf(row.kind, "001234567890123", row.frame);
    job.ExtendedGuards = row.extendedGuards;
    job.FrameWidth = static_cast<std::uint8_t>(row.frameWidth);
    job.BarHeight = row.barHeight;
    const Drawn drawn = Draw(job);
    const auto& fills = drawn.canvas.fills;
    ASSERT_FALSE(fills.empty());
    std::vector<Fill> black;
    for (std::size_t i = 0; i < fills.size(); ++i) {
        SCOPED_TRACE(i);
        const Rect& a = fills[i];
        black.push_back({a, Colour::Black});
        for (std::size_t j = 0; j < i; ++j) {
            const Rect& b = fills[j];
            const bool empty =
                a.left >= a.right || a.top >= a.bottom || b.left >= b.right || b.top >= b.bottom;
            EXPECT_TRUE(empty || a.right <= b.left || b.right <= a.left || a.bottom <= b.top ||
                        b.bottom <= a.top)
                << "overlaps fill " << j;
        }
    }
    EXPECT_TRUE(Paint(black, drawn.layout.W, drawn.layout.H) ==
                PaintedStepByStep(job, drawn.layout));
}

// clang-format off
constexpr CoverageRow kCoverageRows[] = {
    /* 0*/ {0, "j13", SymbologyKind::Jan13, true, false, 5, 60},
    /* 1*/ {1, "j13b", SymbologyKind::Jan13, false, false, 5, 60},
    /* 2*/ {2, "j8", SymbologyKind::Jan8, true, false, 5, 60},
    /* 3*/ {3, "i14f", SymbologyKind::Itf14, false, true, 5, 60},
    /* 4*/ {4, "i14", SymbologyKind::Itf14, false, false, 5, 60},
    /* 5*/ {5, "i16f", SymbologyKind::Itf16, false, true, 5, 60},
    /* 6*/ {6, "i16f_fw0", SymbologyKind::Itf16, false, true, 0, 60},    // a frame of no width
    /* 7*/ {7, "i14f_bh1", SymbologyKind::Itf14, false, true, 9, 1},     // field 2 units high
    /* 8*/ {8, "j8_bh1", SymbologyKind::Jan8, true, false, 5, 1},
    /* 9*/ {9, "i14f_bh-3", SymbologyKind::Itf14, false, true, 5, -3},   // no field: all ring
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(, DrawingCoverage, testing::ValuesIn(kCoverageRows),
                         [](const auto& info) { return "row" + std::to_string(info.param.row); });

TEST(DrawSymbol, TextCellSitsOnTheBottomMargin) {
    // G below the bars (or the frame) is the same line as H - 2B - cell.
    struct Row {
        const char* name;
        BarcodeJob job;
        int cell;
    };
    BarcodeJob guards = Jan(SymbologyKind::Jan13, "000123456789012");
    guards.ExtendedGuards = true;
    guards.Gap = 7;
    BarcodeJob framed = Itf(SymbologyKind::Itf16, "000000000000000", true);
    framed.FrameWidth = 9;
    framed.Gap = 11;
    framed.BottomMargin = 13;
    BarcodeJob plain = Jan(SymbologyKind::Jan8, "000000001234567");
    plain.FontSize = 31;
    plain.Gap = 0;
    const Row rows[] = {{"guards", guards, 20}, {"framed", framed, 13}, {"plain", plain, 31}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const Drawn drawn = Draw(row.job);
        const std::string y =
            " " + std::to_string(drawn.layout.H - 2 * row.job.BottomMargin - row.cell) + " ";
        for (const std::string& entry : drawn.canvas.texts) {
            if (!entry.starts_with("text ")) continue;
            EXPECT_EQ(entry.substr(entry.find(' ', 5), y.size()), y) << entry;
        }
    }
}

TEST(DrawSymbol, NoText) {
    // ITF and the plain JAN styles lose the line and FS + G units of height.
    struct Row {
        BarcodeJob job;
        int height;
    };
    BarcodeJob itf = Itf(SymbologyKind::Itf14, "001234567890123", false);
    itf.NoText = true;
    BarcodeJob jan = Jan(SymbologyKind::Jan8, "000000001234567");
    jan.NoText = true;
    // Font size 0 (/fs00) leaves a cell of no height: no line either.
    BarcodeJob noFont = Itf(SymbologyKind::Itf16, "123456789012345", false);
    noFont.FontSize = 0;
    const int noFontHeight = 2 * 3 + 2 * 3 + 2 * 60 + 2;
    for (const Row& row : {Row{itf, 147 - 15}, Row{jan, 152 - 20}, Row{noFont, noFontHeight}}) {
        const Drawn drawn = Draw(row.job);
        EXPECT_EQ(drawn.layout.H, row.height);
        EXPECT_TRUE(drawn.canvas.texts.empty());
    }

    // The extended-guard styles print their digits all the same.
    BarcodeJob guards = Jan(SymbologyKind::Jan13, "000123456789012");
    guards.ExtendedGuards = true;
    BarcodeJob guardsNoText = guards;
    guardsNoText.NoText = true;
    const Drawn with = Draw(guards);
    const Drawn without = Draw(guardsNoText);
    EXPECT_EQ(without.layout.H, with.layout.H);
    EXPECT_EQ(without.canvas.texts, with.canvas.texts);
    EXPECT_EQ(without.canvas.fills.size(), with.canvas.fills.size());
}

TEST(DrawSymbol, LineWiderThanPictureCentresTowardZero) {
    // 19 characters of 20 units in 273: (273 - 380) div 2 = -53, not -54.
    BarcodeJob job = Itf(SymbologyKind::Itf16, "123456789012345", false);
    job.LeftMargin = job.RightMargin = job.InnerMargin = 0;
    const Drawn drawn = Draw(job, 20);
    EXPECT_EQ(drawn.canvas.texts.back(), "text -53 128 h13 12345 67890 12345 2");
}

TEST(DrawSymbol, AJobWithoutItsCheckDigitFailsBeforeAnythingIsDrawn) {
    BarcodeJob job = Jan(SymbologyKind::Jan13, "000123456789012");
    const std::string pattern = EncodeForKind(job.Kind, job.Digits);
    job.CheckDigit = '\0';
    RecordingCanvas canvas;
    EXPECT_THROW(DrawSymbol(job, pattern, LayOut(job), canvas), std::invalid_argument);
    EXPECT_TRUE(canvas.fills.empty());
    EXPECT_TRUE(canvas.texts.empty());
}

// Rectangles drawn one after another make one run, text between them
// starts another; a rectangle without area is dropped.
TEST(MarkCanvas, ConsecutiveRectanglesMakeOneRun) {
    MarkCanvas canvas(FixedWidth(10));
    canvas.Reserve(1);
    canvas.FillRect({1, 1, 3, 9});
    canvas.FillRect({3, 1, 3, 9});
    canvas.FillRect({5, 1, 6, 9});
    canvas.PutText(1, 10, 20, "7");
    canvas.FillRect({7, 1, 8, 9});
    const std::vector<Mark> want = {Bars{{{1, 1, 3, 9}, {5, 1, 6, 9}}},
                                    TextRun{{1, 10}, 20, "7", {10}}, Bars{{{7, 1, 8, 9}}}};
    EXPECT_EQ(canvas.marks(), want);
}

struct CheckRow {
    int row;
    BarcodeJob job;
    int unitsPerChar;  // of the font
    bool barcode;
};

// The fields of a job on top of its kind's defaults.
BarcodeJob With(BarcodeJob job, void (*change)(BarcodeJob&)) {
    change(job);
    return job;
}

class BarcodeCheckRows : public testing::TestWithParam<CheckRow> {};

// A barcode has bars and all its marks inside; as text runs or as outlines
// alike where the outlines' box is the cell's.
TEST_P(BarcodeCheckRows, BarsAndEverythingInside) {
    const CheckRow& row = GetParam();
    BarcodeJob job = row.job;
    const SymbolLayout layout = LayOut(job);
    MarkCanvas marks(FixedWidth(row.unitsPerChar));
    DrawSymbol(job, EncodeForKind(job.Kind, job.Digits), layout, marks);
    EXPECT_EQ(BarcodeCheck(layout, marks.marks()), row.barcode);
}

// clang-format off
const CheckRow kCheckRows[] = {
    /* 0*/ {0, Jan(SymbologyKind::Jan13, "000490123456789"), 10, true},
    // The settings window's largest font, 28, in OCR-B's 16 units a digit:
    // "T" and 13 digits in 224 of 226; 19 ITF characters in 304 of 313.
    /* 1*/ {1, With(Jan(SymbologyKind::Jan13, "000490123456789"),
                    [](BarcodeJob& j) { j.PrefixedText = true; j.FontSize = 28; }), 16, true},
    /* 2*/ {2, With(Itf(SymbologyKind::Itf16, "123456789012345", false),
                    [](BarcodeJob& j) { j.FontSize = 28; j.LeftMargin = j.RightMargin = 0; }),
            16, true},
    // A stored font of 40: "F4901234" and the check digit, 9 x 23 = 207 in 170.
    /* 3*/ {3, With(Jan(SymbologyKind::Jan8, "000000004901234"),
                    [](BarcodeJob& j) { j.PrefixedText = true; j.FontSize = 40; }), 23, false},
    /* 4*/ {4, With(Itf(SymbologyKind::Itf14, "001490123456789", true),
                    [](BarcodeJob& j) { j.FontSize = 255; }), 145, false},
    // No bars: the guard bars' 11 units below do not make a barcode.
    /* 5*/ {5, With(Jan(SymbologyKind::Jan13, "000490123456789"),
                    [](BarcodeJob& j) { j.ExtendedGuards = true; j.BarHeight = 0; }), 10, false},
    /* 6*/ {6, With(Itf(SymbologyKind::Itf14, "001490123456789", true),
                    [](BarcodeJob& j) { j.BarHeight = -5; }), 10, false},
    /* 7*/ {7, With(Jan(SymbologyKind::Jan8, "000000004901234"),
                    [](BarcodeJob& j) { j.BarHeight = 1; }), 10, true},
    // A stored JAN left margin of 5: the leading digit stands at 10 - 22.
    /* 8*/ {8, With(Jan(SymbologyKind::Jan13, "000490123456789"),
                    [](BarcodeJob& j) { j.ExtendedGuards = true; j.LeftMargin = 5; }), 10, false},
    // An add-on whose digits leave its bars no height would read as the
    // JAN alone: bars 6 to 16, the add-on's from 26.
    /* 9*/ {9, With(Jan(SymbologyKind::Jan13, "000490123456789"),
                    [](BarcodeJob& j) { j.AddOn = "12"; j.BarHeight = 5; }), 10, false},
    /*10*/ {10, With(Jan(SymbologyKind::Jan13, "000490123456789"),
                    [](BarcodeJob& j) { j.AddOn = "12"; j.BarHeight = 11; }), 10, true},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(, BarcodeCheckRows, testing::ValuesIn(kCheckRows),
                         [](const auto& info) { return "row" + std::to_string(info.param.row); });

// The grid of a job with print options: the module snapped to whole dots
// (nearest, at least one, GS1's smallest when it was asked for), the ITF
// wide element, the reduction, and the reductions refused.
struct GridRow {
    int row;
    SymbologyKind kind;
    int moduleWidth;  // .01 mm, 0: the nominal one
    int copyRate;
    int dpi;
    int reduction;  // micrometres
    bool outlines;
    Grid want;
    const char* error;
};

class PrintGridRows : public testing::TestWithParam<GridRow> {};

TEST_P(PrintGridRows, ModuleWideAndReduction) {
    const GridRow& row = GetParam();
    BarcodeJob job =
        IsJan(row.kind) ? Jan(row.kind, "000490123456789") : Itf(row.kind, "001490123456789", true);
    job.ModuleWidth = row.moduleWidth;
    job.CopyRate = row.copyRate;
    job.DotsPerInch = row.dpi;
    job.BarReduction = row.reduction;
    job.OutlinedText = row.outlines;
    std::string error;
    Grid got;
    try {
        got = GridForJob(job, LayOut(job), kMaxSide, kMetafileOutlineUnits);
    } catch (const MerrowinError& e) {
        error = e.what();
    }
    EXPECT_EQ(error, row.error);
    if (error.empty()) {
        EXPECT_EQ(got.module, row.want.module);
        EXPECT_EQ(got.wide, row.want.wide);
        EXPECT_EQ(got.reduction, row.want.reduction);
    }
}

// One dot of 203 dpi is 125.1 um, of 300 dpi 84.7 um, of 600 dpi 42.3 um.
// clang-format off
const GridRow kGridRows[] = {
    // The nominal 0.33 mm: 2.64, 3.90 and 7.80 dots.
    /* 0*/ {0,  SymbologyKind::Jan13, 0,  100, 203,  0,   false, {3, 8, 0},    ""},
    /* 1*/ {1,  SymbologyKind::Jan8,  0,  100, 300,  0,   false, {4, 10, 0},   ""},
    /* 2*/ {2,  SymbologyKind::Jan13, 0,  100, 600,  0,   false, {8, 20, 0},   ""},
    // 0.27 mm is 2.16 dots, but 2 dots (0.250 mm) fall below GS1's 0.264.
    /* 3*/ {3,  SymbologyKind::Jan13, 27, 100, 203,  0,   false, {3, 8, 0},    ""},
    // 0.26 mm was asked below it: the nearest, 2 dots.
    /* 4*/ {4,  SymbologyKind::Jan13, 26, 100, 203,  0,   false, {2, 5, 0},    ""},
    // 0.27 mm at 300 dpi: 3.19 dots, 3 dots are 0.254 mm: 4.
    /* 5*/ {5,  SymbologyKind::Jan8,  27, 100, 300,  0,   false, {4, 10, 0},   ""},
    // The printed module is the module width times the copy rate: 0.495 mm.
    /* 6*/ {6,  SymbologyKind::Jan13, 33, 150, 203,  0,   false, {4, 10, 0},   ""},
    // At least one dot: 0.10 mm at 72 dpi is 0.28 dots.
    /* 7*/ {7,  SymbologyKind::Jan13, 10, 100, 72,   0,   false, {1, 3, 0},    ""},
    // Halves go up: 0.15 mm at 254 dpi is 1.5 dots.
    /* 8*/ {8,  SymbologyKind::Jan13, 15, 100, 254,  0,   false, {2, 5, 0},    ""},
    // ITF's nominal 1.00 mm: 7.99 dots; wide 20 (2.5).
    /* 9*/ {9,  SymbologyKind::Itf14, 0,  100, 203,  0,   false, {8, 20, 0},   ""},
    // ITF 0.50 mm: 3.996 dots, 4 dots are 0.500 mm, not below 0.495.
    /*10*/ {10, SymbologyKind::Itf14, 50, 100, 203,  0,   false, {4, 10, 0},   ""},
    // ITF 0.50 mm at 600 dpi: 11.8 dots, wide 29.5 -> 30 (2.50).
    /*11*/ {11, SymbologyKind::Itf16, 50, 100, 600,  0,   false, {12, 30, 0},  ""},
    // ITF 0.25 mm at 203 dpi: 2 dots; 0.25 was asked below 0.495.
    /*12*/ {12, SymbologyKind::Itf14, 25, 100, 203,  0,   false, {2, 5, 0},    ""},
    // ITF 0.40 mm at 300 dpi: 4.72 -> 5 dots (0.423 mm); wide 12.5 -> 13 (2.6).
    /*13*/ {13, SymbologyKind::Itf14, 40, 100, 300,  0,   false, {5, 13, 0},   ""},
    // ITF 0.33 mm at 203 dpi: 3 dots; wide 7.5: 7 (2.33) and 8 (2.67) are
    // equally near, the wider is taken.
    /*14*/ {14, SymbologyKind::Itf14, 33, 100, 203,  0,   false, {3, 8, 0},    ""},
    // ITF 0.13 mm at 203 dpi: one dot; the wide element must be 3 (2.25-3.0).
    /*15*/ {15, SymbologyKind::Itf14, 13, 100, 203,  0,   false, {1, 3, 0},    ""},
    // Reductions on dots: 25 um at 600 dpi is 0.59 dots: 1.
    /*16*/ {16, SymbologyKind::Jan13, 0,  100, 600,  25,  false, {8, 20, 1},   ""},
    // 20 um at 203 dpi is 0.16 dots: none.
    /*17*/ {17, SymbologyKind::Jan13, 0,  100, 203,  20,  false, {3, 8, 0},    ""},
    // 180 um at 203 dpi: 1.44 -> 1 dot of a 3-dot module.
    /*18*/ {18, SymbologyKind::Jan13, 0,  100, 203,  180, false, {3, 8, 1},    ""},
    // 190 um: 1.52 -> 2 dots, two thirds of the module.
    /*19*/ {19, SymbologyKind::Jan13, 0,  100, 203,  190, false, {},
            "バー幅の縮小 190 µm がモジュール幅 0.375 mm の半分以上です"},
    // Without dots: the coarsest grid on which 25 um of 0.33 mm is whole:
    // 33 units a half module, 5 units a reduction (25.0 um).
    /*20*/ {20, SymbologyKind::Jan13, 0,  100, 0,    25,  false, {66, 165, 5}, ""},
    // 0.33 mm at 150 %: 495 um; 30 um is 4 units of 66 (30.0 um).
    /*21*/ {21, SymbologyKind::Jan13, 33, 150, 0,    30,  false, {66, 165, 4}, ""},
    // Exactly half a module, and more.
    /*22*/ {22, SymbologyKind::Jan13, 0,  100, 0,    165, false, {},
            "バー幅の縮小 165 µm がモジュール幅 0.330 mm の半分以上です"},
    /*23*/ {23, SymbologyKind::Itf14, 0,  100, 0,    500, false, {},
            "バー幅の縮小 500 µm がモジュール幅 1.000 mm の半分以上です"},
    // Just under half: no grid that fits gives it whole; the finest does.
    /*24*/ {24, SymbologyKind::Jan13, 0,  100, 0,    164, false, {288, 720, 143}, ""},
    // Outlines alone: 16 units a half module.
    /*25*/ {25, SymbologyKind::Jan13, 0,  100, 0,    0,   true,  {32, 80, 0},  ""},
    // Outlines on dots keep the dots.
    /*26*/ {26, SymbologyKind::Jan13, 0,  100, 300,  0,   true,  {4, 10, 0},   ""},
    // A stored copy rate of two thousand million: no picture can hold the
    // module; capped beyond the largest one, which the run then refuses.
    /*27*/ {27, SymbologyKind::Itf14, 0, 2000000000, 600, 0, false, {32768, 81920, 0}, ""},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(, PrintGridRows, testing::ValuesIn(kGridRows),
                         [](const auto& info) { return "row" + std::to_string(info.param.row); });

// On a printer's dots every length of the layout is whole dots: the margins
// and the bars in modules of 3 dots, the gap and the text cells rounded
// from half modules (2 -> 3 dots, 20 -> 30, 11 -> 16.5 -> 17).
TEST(LayOut, OnDots) {
    BarcodeJob guards = Jan(SymbologyKind::Jan13, "000490123456789");
    guards.ExtendedGuards = true;
    const std::string janPattern = EncodeForKind(guards.Kind, guards.Digits);
    const SymbolLayout jan = LayOut(guards, Grid{3, 8, 0}, janPattern);
    EXPECT_EQ(jan.W, (11 + 95 + 7) * 3);
    EXPECT_EQ(jan.H, 9 + 180 + 3 + 30 + 9);
    EXPECT_EQ(jan.x0, 33);
    EXPECT_EQ(jan.Y1, 9);
    EXPECT_EQ(jan.Y2, 189);
    EXPECT_EQ(jan.Y3, 189 + 17);

    // ITF-14 with its frame: 48 narrow and 29 wide elements of 4 and 10 dots.
    BarcodeJob itf = Itf(SymbologyKind::Itf14, "001490123456789", true);
    const SymbolLayout framed = LayOut(itf, Grid{4, 10, 0}, EncodeForKind(itf.Kind, itf.Digits));
    EXPECT_EQ(framed.x0, (3 + 10 + 5) * 4);
    EXPECT_EQ(framed.W, (3 + 3 + 20 + 10) * 4 + 48 * 4 + 29 * 10);
    EXPECT_EQ(framed.Y1, (3 + 5) * 4);
    EXPECT_EQ(framed.H, (3 + 3 + 60 + 10) * 4 + 4 /* gap: 2 half modules */ + 26 /* font: 13 */);

    // The standard grid as a grid of its own gives the standard layout.
    const SymbolLayout standard = LayOut(guards);
    const SymbolLayout walked = LayOut(guards, Grid{2, 5, 0}, janPattern);
    EXPECT_EQ(walked.W, standard.W);
    EXPECT_EQ(walked.H, standard.H);
    EXPECT_EQ(walked.Y3, standard.Y3);
}

// The picture of a job on a screen of 1280 x 1024 pixels, 338 x 270 mm:
// its layout, the frame every writer states (.01 mm), the metafile's copy
// (pixels) and the units per inch; nothing without area, the refusal of a
// side beyond 32767, and whether the drawing is a barcode.
struct PictureRow {
    int row;
    SymbologyKind kind;
    int copyRate;
    int moduleWidth;  // .01 mm
    int dpi;
    bool outlines;
    int barHeight;
    int width, height;          // layout; 0: no picture
    FrameSize frame;            // .01 mm
    int copyWidth, copyHeight;  // reference pixels
    int dotsPerInch;
    bool barcode;
    const char* error;
    FileFormat format = FileFormat::Emf;  // the picture of a file of this format (JobForFile)
    int pageWidth = 0, pageHeight = 0;    // widened to an exact frame; 0: the layout's
};

class PictureRows : public testing::TestWithParam<PictureRow> {};

TEST_P(PictureRows, FrameCopyAndRefusal) {
    const PictureRow& row = GetParam();
    BarcodeJob job =
        IsJan(row.kind) ? Jan(row.kind, "000490123456789") : Itf(row.kind, "149012345678901", true);
    job.CopyRate = row.copyRate;
    job.ModuleWidth = row.moduleWidth;
    job.DotsPerInch = row.dpi;
    job.OutlinedText = row.outlines;
    job.BarHeight = row.barHeight;
    job.Format = row.format;
    job = JobForFile(job);
    const std::string pattern = EncodeForKind(job.Kind, job.Digits);
    std::optional<Picture> picture;
    std::string error;
    try {
        picture = MakePicture(job, pattern, {1280, 1024, 338, 270});
    } catch (const MerrowinError& e) {
        error = e.what();
    }
    EXPECT_EQ(error, row.error);
    ASSERT_EQ(picture.has_value(), row.width > 0);
    if (!picture) return;
    EXPECT_EQ(picture->layout.W, row.width);
    EXPECT_EQ(picture->layout.H, row.height);
    EXPECT_EQ(picture->page.frame, row.frame);
    EXPECT_EQ(picture->page.copyWidth, row.copyWidth);
    EXPECT_EQ(picture->page.copyHeight, row.copyHeight);
    EXPECT_EQ(picture->page.dotsPerInch, row.dotsPerInch);
    const int pageWidth = row.pageWidth > 0 ? row.pageWidth : row.width;
    const int pageHeight = row.pageHeight > 0 ? row.pageHeight : row.height;
    EXPECT_EQ(picture->page.width, pageWidth);
    EXPECT_EQ(picture->page.height, pageHeight);
    const std::optional<Drawing> drawing =
        DrawPicture(job, pattern, *picture, {1280, 1024, 338, 270}, FixedWidth(10));
    EXPECT_EQ(drawing.has_value(), row.barcode);
    if (!drawing) return;
    EXPECT_EQ(drawing->page(), picture->page);
    // The ground: the quiet zone the page was widened by, right and below,
    // then the symbol's box.
    const std::vector<Rect>& white = drawing->ground();
    std::vector<Rect> want;
    if (pageWidth > row.width) want.push_back({row.width, 0, pageWidth, pageHeight});
    if (pageHeight > row.height) want.push_back({0, row.height, row.width, pageHeight});
    want.push_back({0, 0, row.width, row.height});
    EXPECT_EQ(white, want);
}

// clang-format off
const PictureRow kPictureRows[] = {
    // 226 x 338 mm / 1280 = 5967.8, 152 x 270 / 1024 = 4007.8; 226 units on 59.68 mm: 96 dpi.
    /*0*/ {0, SymbologyKind::Jan13, 100, 0,   0,   false, 60,    226,  152,  {5968, 4008},  226, 152, 96,   true,  ""},
    // 170 x 152: 4489.1 and 4007.8.
    /*1*/ {1, SymbologyKind::Jan8,  100, 0,   0,   false, 60,    170,  152,  {4489, 4008},  170, 152, 96,   true,  ""},
    // 1 mm modules: 313 x 167 units of 0.5 mm; 592.7 x 316.7 pixels; 50.8 units an inch.
    /*2*/ {2, SymbologyKind::Itf14, 100, 100, 0,   false, 60,    313,  167,  {15650, 8350}, 593, 317, 51,   true,  ""},
    // 203 dpi: modules of 3 dots; 228 dots high (2 x 9 + 180 + 27 + 3) are
    // 2852.8, and 108.2 pixels.
    /*3*/ {3, SymbologyKind::Jan13, 100, 0,   203, false, 60,    339,  228,  {4242, 2853},  161, 108, 203,  true,  ""},
    // Outlines: 16 units a half module in the standard picture's frame and copy.
    /*4*/ {4, SymbologyKind::Jan13, 100, 0,   0,   true,  60,    3616, 2432, {5968, 4008},  226, 152, 1539, true,  ""},
    // Bars of no height: a picture, but no barcode.
    /*5*/ {5, SymbologyKind::Jan13, 100, 0,   0,   false, 0,     226,  32,   {5968, 844},   226, 32,  96,   false, ""},
    /*6*/ {6, SymbologyKind::Jan13, 0,   0,   0,   false, 60,    0,    0,    {},            0,   0,   0,    false, ""},
    // 2 x 20000 units of bars and 47 more: beyond a metafile's 16-bit sides.
    /*7*/ {7, SymbologyKind::Itf16, 100, 0,   0,   false, 20000, 0,    0,    {},            0,   0,   0,    false, "図の大きさ 345 x 40047 が大きすぎます"},
    // On the dots of 300, 600, 1200 and 2400 dpi the page is widened, right
    // and below, to whole 1.27 mm (15, 30, 60, 120 dots), so that its frame
    // is exact: 452 x 304 dots at 300 dpi (4 dots a module) become 465 x
    // 315, 39.37 x 26.67 mm; 149.1 x 101.2 pixels.
    /*8*/ {8, SymbologyKind::Jan13, 100, 0,   300, false, 60,    452,  304,  {3937, 2667},  149, 101, 300,  true,  "", FileFormat::Emf, 465, 315},
    // A file for print without /dp or /mw: GS1's 0.33 mm module, outlines
    // on 4 units a half module: 226 x 152 half modules of 0.165 mm.
    /*9*/ {9, SymbologyKind::Jan13, 100, 0,   0,   false, 60,    904,  608,  {3729, 2508},  141, 95,  616,  true,  "", FileFormat::Eps},
    // ITF's 1.00 mm: 313 x 167 half modules of 0.5 mm.
    /*10*/ {10, SymbologyKind::Itf14, 100, 0,  0,   false, 60,    1252, 668,  {15650, 8350}, 593, 317, 203,  true,  "", FileFormat::Svg},
    // A PNG without /dp has whole pixels of 600 dpi: 0.33 mm is 7.8, 8 a
    // module; 904 x 608 pixels on the 0.33 mm module's frame, not widened.
    /*11*/ {11, SymbologyKind::Jan13, 100, 0,  0,   false, 60,    904,  608,  {3729, 2508},  141, 95,  616,  true,  "", FileFormat::Png},
    // /mw26 /cr150: a module of 0.39 mm, 9.2 pixels of 600 dpi, 9.
    /*12*/ {12, SymbologyKind::Jan13, 150, 26, 0,   false, 60,    1017, 684,  {4407, 2964},  167, 112, 586,  true,  "", FileFormat::Png},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(, PictureRows, testing::ValuesIn(kPictureRows),
                         [](const auto& info) { return "row" + std::to_string(info.param.row); });

// A drawing as a short text picture: the page, the white ground, the black
// rectangles by the band of rows they cover (count and x extent, bands in
// the order first drawn), each text run (cell's corner, height, text,
// width) and each text's outlines (count and the box of their points).
std::string TextPicture(const Drawing& drawing) {
    std::string out = "page " + std::to_string(drawing.page().width) + "x" +
                      std::to_string(drawing.page().height) + "\n";
    const auto box = [](const Rect& r) {
        return std::to_string(r.left) + "," + std::to_string(r.top) + "-" +
               std::to_string(r.right) + "," + std::to_string(r.bottom);
    };
    for (const Rect& rect : drawing.ground()) out += "white " + box(rect) + "\n";
    struct Band {
        int top, bottom, count = 0, left = INT32_MAX, right = INT32_MIN;
    };
    std::vector<Band> bands;
    std::string texts;
    for (const Mark& mark : drawing.marks()) {
        if (const Bars* bars = std::get_if<Bars>(&mark)) {
            for (const Rect& rect : bars->rects) {
                auto band = std::find_if(bands.begin(), bands.end(), [&](const Band& b) {
                    return b.top == rect.top && b.bottom == rect.bottom;
                });
                if (band == bands.end()) band = bands.insert(bands.end(), {rect.top, rect.bottom});
                ++band->count;
                band->left = std::min(band->left, rect.left);
                band->right = std::max(band->right, rect.right);
            }
        } else if (const TextRun* run = std::get_if<TextRun>(&mark)) {
            texts += "run " + std::to_string(run->at.x) + "," + std::to_string(run->at.y) + " h" +
                     std::to_string(run->height) + " \"" + run->text + "\" w" +
                     std::to_string(WidthOf(*run)) + "\n";
        } else {
            const auto& polygons = std::get<Outlines>(mark).polygons;
            Rect ink{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
            for (const Polygon& polygon : polygons)
                for (const Point& p : polygon)
                    ink = {std::min(ink.left, p.x), std::min(ink.top, p.y),
                           std::max(ink.right, p.x), std::max(ink.bottom, p.y)};
            texts += "outlines " + std::to_string(polygons.size()) + " in " + box(ink) + "\n";
        }
    }
    for (const Band& b : bands)
        out += "black " + std::to_string(b.count) + " x" + std::to_string(b.left) + "-" +
               std::to_string(b.right) + " y" + std::to_string(b.top) + "-" +
               std::to_string(b.bottom) + "\n";
    return out + texts;
}

struct JobDrawingRow {
    int row;
    BarcodeJob job;
    const char* picture;
};

class JobDrawing : public testing::TestWithParam<JobDrawingRow> {};

// The drawing of a job as a whole: what every format is then given. Text is
// measured at 10 units a character.
TEST_P(JobDrawing, GroundBarsAndText) {
    const JobDrawingRow& row = GetParam();
    BarcodeJob job = row.job;
    job.CopyRate = 100;
    job = JobForFile(job);
    const std::string pattern = EncodeForKind(job.Kind, job.Digits);
    const ScreenFigures screen{1280, 1024, 338, 270};
    const std::optional<Picture> picture = MakePicture(job, pattern, screen);
    ASSERT_TRUE(picture.has_value());
    const std::optional<Drawing> drawing =
        DrawPicture(job, pattern, *picture, screen, FixedWidth(10));
    ASSERT_TRUE(drawing.has_value());
    EXPECT_EQ(TextPicture(*drawing), row.picture);
}

// clang-format off
const JobDrawingRow kDrawingRows[] = {
    // /j13: 30 bars from x0 22 over 95 modules of 2 units, the six guard
    // bars (the first and last among them) running on to Y3 137; the
    // digits in three groups beside the guards.
    /* 0*/ {0, With(Jan(SymbologyKind::Jan13, "000490123456789"),
                    [](BarcodeJob& j) { j.ExtendedGuards = true; }),
            "page 226x154\n"
            "white 0,0-226,154\n"
            "black 6 x22-212 y6-137\n"
            "black 24 x34-202 y6-126\n"
            "run 0,128 h20 \"4\" w10\n"
            "run 29,128 h20 \"901234\" w60\n"
            "run 121,128 h20 \"567894\" w60\n"},
    // /j8b: one line of 8 digits centred on the picture, (170 - 80) / 2.
    /* 1*/ {1, Jan(SymbologyKind::Jan8, "000000004901234"),
            "page 170x152\n"
            "white 0,0-170,152\n"
            "black 22 x22-156 y6-126\n"
            "run 45,128 h18 \"49012347\" w80\n"},
    // /i14f: the ring's top and bottom, then its sides and the 39 bars
    // between them, all from the field's top to its bottom.
    /* 2*/ {2, Itf(SymbologyKind::Itf14, "001490123456789", true),
            "page 313x167\n"
            "white 0,0-313,167\n"
            "black 1 x6-307 y6-16\n"
            "black 1 x6-307 y136-146\n"
            "black 41 x6-307 y16-136\n"
            "run 71,148 h13 \"149 01234 56789 1\" w170\n"},
    // /i16 /no: bars alone, 2 + 8 x 5 + 2 of them.
    /* 3*/ {3, With(Itf(SymbologyKind::Itf16, "123456789012345", false),
                    [](BarcodeJob& j) { j.NoText = true; }),
            "page 325x132\n"
            "white 0,0-325,132\n"
            "black 44 x26-299 y6-126\n"},
    // /j13b /ad12: the add-on 9 modules right of the main symbol, its bars
    // below its digits; the main line centred where the picture without it
    // has it. W: 230 + 40 of add-on + its 7 modules' quiet zone.
    /* 4*/ {4, With(Jan(SymbologyKind::Jan13, "000490123456789"),
                    [](BarcodeJob& j) { j.AddOn = "12"; }),
            "page 284x152\n"
            "white 0,0-284,152\n"
            "black 30 x22-212 y6-126\n"
            "black 7 x230-270 y26-126\n"
            "run 240,6 h18 \"12\" w20\n"
            "run 48,128 h18 \"4901234567894\" w130\n"},
    // /bk: two tiers of 30 bars, each tier's digits, the 日本図書コード column.
    /* 5*/ {5, Book("978-4-10-101001-4", "0193", "820", [](BarcodeJob&) {}),
            "page 455x208\n"
            "white 0,0-455,208\n"
            "black 30 x22-212 y6-73\n"
            "black 30 x22-212 y115-182\n"
            "run 52,75 h18 \"9784101010014\" w130\n"
            "run 52,184 h18 \"1920193008203\" w130\n"
            "run 226,6 h18 \"ISBN978-4-10-101001-4\" w210\n"
            "run 226,115 h18 \"C0193 \u00A5820E\" w110\n"},
    // /j13b /fm eps: GS1's 0.33 mm module on 4 units a half module, the
    // digits as one text's 19 OCR-B contours (holes included) inside their
    // cell, y 512 to 584.
    /* 6*/ {6, With(Jan(SymbologyKind::Jan13, "000490123456789"),
                    [](BarcodeJob& j) { j.Format = FileFormat::Eps; }),
            "page 904x608\n"
            "white 0,0-904,608\n"
            "black 30 x88-848 y24-504\n"
            "outlines 19 in 192,521-711,566\n"},
    // /j8b /dp300: on the printer's dots, the page widened to whole 1.27 mm
    // right and below; the ground says so.
    /* 7*/ {7, With(Jan(SymbologyKind::Jan8, "000000004901234"),
                    [](BarcodeJob& j) { j.DotsPerInch = 300; }),
            "page 345x315\n"
            "white 340,0-345,315\n"
            "white 0,304-340,315\n"
            "white 0,0-340,304\n"
            "black 22 x44-312 y12-252\n"
            "run 130,256 h36 \"49012347\" w80\n"},
    // /cv /ol /dp600: 79 bars (25 characters of three, the Stop's four) over
    // 288 modules of 4 dots from x0, and the two lines as outlines within
    // the symbol's width under the bars.
    /* 8*/ {8, With(BarcodeJob{}, [](BarcodeJob& j) {
                 j.Kind = SymbologyKind::PaymentSlip;
                 j.OutlinedText = true;
                 j.DotsPerInch = 600;
                 FillJob(*MakeDataField({j.Kind, "91912345012345678901234567890101033101230003", 0,
                                         GivenCheck::Recomputed}), j);
                 SizeSlip(j);
             }),
            "page 1260x390\n"
            "white 1232,0-1260,390\n"
            "white 0,364-1232,390\n"
            "white 0,0-1232,364\n"
            "black 79 x40-1192 y8-248\n"
            "outlines 46 in 176,262-1055,292\n"
            "outlines 23 in 388,314-843,344\n"},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(, JobDrawing, testing::ValuesIn(kDrawingRows),
                         [](const auto& info) { return "row" + std::to_string(info.param.row); });

// A PNG is as large as the metafile of the same options: its pixels over
// the pHYs density are the metafile's frame, to .01 mm; without /dp its
// module is whole pixels (of 600 dpi) and the density follows the module
// width asked for.
TEST(PngSize, TheMetafilesFrame) {
    struct Row {
        int row;
        BarcodeJob job;
        std::uint32_t width, height;  // pixels
        FrameSize frame;              // .01 mm, the metafile's
    };
    const auto with = [](BarcodeJob job, int moduleWidth, int copyRate, int dpi) {
        job.ModuleWidth = moduleWidth;
        job.CopyRate = copyRate;
        job.DotsPerInch = dpi;
        return job;
    };
    const BarcodeJob jan13 = Jan(SymbologyKind::Jan13, "000490123456789");
    const BarcodeJob itf14 = Itf(SymbologyKind::Itf14, "001490123456789", true);
    const Row rows[] = {
        // /mw33: 8 pixels a module, 113 x 76 modules (a PNG at 600 dpi was
        // 39.37 x 26.67 mm).
        {0, with(jan13, 33, 100, 0), 904, 608, {3729, 2508}},
        // /mw50: 0.5 mm, 12 pixels; 156.5 x 83.5 modules.
        {1, with(itf14, 50, 100, 0), 1878, 1002, {7825, 4175}},
        // /dp300: the printer's dots, the page widened to an exact frame.
        {2, with(jan13, 0, 100, 300), 465, 315, {3937, 2667}},
    };
    const ScreenFigures screen{1280, 1024, 338, 270};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.row);
        const std::string pattern = EncodeForKind(row.job.Kind, row.job.Digits);
        BarcodeJob png = row.job;
        png.Format = FileFormat::Png;
        png = JobForFile(png);
        const std::optional<Picture> picture = MakePicture(png, pattern, screen);
        ASSERT_TRUE(picture.has_value());
        const std::optional<Drawing> drawing =
            DrawPicture(png, pattern, *picture, screen, FixedWidth(10));
        ASSERT_TRUE(drawing.has_value());
        const FileBytes bytes = WriteFile(FileFormat::Png, *drawing, {"1", 0});
        // IHDR's width and height at 16, pHYs's densities at 41.
        const auto u32 = [&bytes](std::size_t at) {
            return std::uint32_t{bytes[at]} << 24 | std::uint32_t{bytes[at + 1]} << 16 |
                   std::uint32_t{bytes[at + 2]} << 8 | bytes[at + 3];
        };
        ASSERT_EQ(std::string(bytes.begin() + 37, bytes.begin() + 41), "pHYs");
        EXPECT_EQ(u32(16), row.width);
        EXPECT_EQ(u32(20), row.height);
        const auto hundredthsMm = [](std::uint32_t pixels, std::uint32_t perMetre) {
            return static_cast<std::int32_t>((std::int64_t{pixels} * 200000 + perMetre) /
                                             (2 * std::int64_t{perMetre}));
        };
        const FrameSize size{hundredthsMm(u32(16), u32(41)), hundredthsMm(u32(20), u32(45))};
        EXPECT_EQ(size, row.frame);
        const std::optional<Picture> metafile = MakePicture(row.job, pattern, screen);
        ASSERT_TRUE(metafile.has_value());
        EXPECT_EQ(metafile->page.frame, row.frame);
    }
}

// A page on a printer's dots is widened, quiet zone only, to a size whose
// frame in .01 mm states its dots: exactly where a run of at most 1.27 mm
// is whole dots and whole .01 mm, else within 1/16 dot.
TEST(ExactFrameDots, FrameStatesTheDots) {
    struct Row {
        std::int32_t dots, dpi, want;
    };
    const Row rows[] = {
        {339, 203, 339},     // a .01 mm is 0.08 dot: every size is within 1/16 dot
        {1000, 2540, 1000},  // one dot is .01 mm
        {1001, 4000, 1200},  // 200 dots are 1.27 mm
        {700, 720, 720},     // 36 dots are 1.27 mm
        {3000, 3999, 3004},  // 3004 dots are 1908.0 .01 mm (3003.99 dots)
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.dpi) + " dpi");
        EXPECT_EQ(ExactFrameDots(row.dots, row.dpi), row.want);
    }
    // Every resolution /dp takes: widened by less than 1.27 mm, and the
    // frame converts back to exactly the size; at the resolutions printers
    // and platesetters have, within 1/16 dot.
    constexpr std::int32_t kDeviceDpi[] = {72,   96,   150,  180,  200,  203,  300,
                                           360,  400,  406,  600,  720,  1200, 1270,
                                           1440, 2400, 2540, 2880, 3600, 4000};
    for (std::int32_t dpi = 72; dpi <= 4000; ++dpi) {
        for (const std::int32_t dots : {1, 226, 931, 3193, 30000}) {
            const std::int32_t size = ExactFrameDots(dots, dpi);
            ASSERT_GE(size, dots) << dpi << " dpi, " << dots;
            ASSERT_LE(std::int64_t{size - dots} * 2540, std::int64_t{127} * dpi) << dpi;
            const std::int32_t frame = FrameFromDots(size, 1, dpi).width;
            const std::int64_t off = std::int64_t{frame} * dpi - std::int64_t{size} * 2540;
            ASSERT_LT(2 * std::abs(off), 2540) << dpi << " dpi, " << dots;
            if (std::find(std::begin(kDeviceDpi), std::end(kDeviceDpi), dpi) !=
                std::end(kDeviceDpi)) {
                ASSERT_LE(16 * std::abs(off), 2540) << dpi << " dpi, " << dots;
            }
        }
    }
}

// A bar width reduction narrows every bar and widens every space by the
// same, and moves no bar's centre (by half a unit for an odd one) nor the
// picture's size; the bearer frame keeps its width.
struct DigitRow {
    int row;
    BarcodeJob job;
    std::size_t call;  // the PutText call, in the order drawn
    const char* text;
    int centre;  // the middle of its cell, in units from the picture's left edge
};

class DigitPlacement : public testing::TestWithParam<DigitRow> {};

// Outlined digits where GS1 prints them: each under (an add-on's over) its
// own 7-module symbol character, a JAN-13's leading digit in the left
// quiet zone, an ITF's line centred under the symbol. The standard grid (2
// units a module), x0 22 (JAN) or 36 (ITF-14 with its frame); the canvas
// measures 10 units a character, so a digit's cell is 10 wide.
TEST_P(DigitPlacement, UnderItsCharacter) {
    const DigitRow& row = GetParam();
    const Drawn drawn = Draw(row.job);
    ASSERT_LT(row.call, drawn.canvas.texts.size());
    std::istringstream call(drawn.canvas.texts[row.call]);
    std::string word, text;
    int x = 0, y = 0;
    call >> word >> x >> y >> word;
    std::getline(call >> std::ws, text);
    EXPECT_EQ(text, row.text);
    EXPECT_EQ(x + 10 * static_cast<int>(text.size()) / 2, row.centre)
        << drawn.canvas.texts[row.call];
}

BarcodeJob Outlined(BarcodeJob job) {
    job.OutlinedText = true;
    return job;
}

// clang-format off
const DigitRow kDigitRows[] = {
    // /j13 4901234567894: the leading digit 11 modules left of the guard.
    /* 0*/ {0, Outlined(With(Jan(SymbologyKind::Jan13, "000490123456789"), [](BarcodeJob& j) { j.ExtendedGuards = true; })), 0, "4", 5},
    // The first character: modules 3 to 10 from x0, centre 6.5 = 13 units.
    /* 1*/ {1, Outlined(With(Jan(SymbologyKind::Jan13, "000490123456789"), [](BarcodeJob& j) { j.ExtendedGuards = true; })), 1, "9", 22 + 13},
    // The sixth: modules 38 to 45, centre 41.5.
    /* 2*/ {2, Outlined(With(Jan(SymbologyKind::Jan13, "000490123456789"), [](BarcodeJob& j) { j.ExtendedGuards = true; })), 6, "4", 22 + 83},
    // The seventh, after the centre guard's 5: modules 50 to 57, centre 53.5.
    /* 3*/ {3, Outlined(With(Jan(SymbologyKind::Jan13, "000490123456789"), [](BarcodeJob& j) { j.ExtendedGuards = true; })), 7, "5", 22 + 107},
    // The check digit: modules 85 to 92, centre 88.5.
    /* 4*/ {4, Outlined(With(Jan(SymbologyKind::Jan13, "000490123456789"), [](BarcodeJob& j) { j.ExtendedGuards = true; })), 12, "4", 22 + 177},
    // /j8 49012347: the first character's centre 6.5, the fifth's 3 + 28 + 5 + 3.5.
    /* 5*/ {5, Outlined(With(Jan(SymbologyKind::Jan8, "000000004901234"), [](BarcodeJob& j) { j.ExtendedGuards = true; })), 0, "4", 22 + 13},
    /* 6*/ {6, Outlined(With(Jan(SymbologyKind::Jan8, "000000004901234"), [](BarcodeJob& j) { j.ExtendedGuards = true; })), 4, "2", 22 + 79},
    /* 7*/ {7, Outlined(With(Jan(SymbologyKind::Jan8, "000000004901234"), [](BarcodeJob& j) { j.ExtendedGuards = true; })), 7, "7", 22 + 121},
    // /j13 /ad12: the add-on from 230 (x0 + 95 + 9 modules); its first
    // character after the 4 modules of its start, centre 7.5 modules; the
    // second after a 2-module delimiter, centre 16.5.
    /* 8*/ {8, Outlined(With(Jan(SymbologyKind::Jan13, "000490123456789"), [](BarcodeJob& j) { j.ExtendedGuards = true; j.AddOn = "12"; })), 0, "1", 230 + 15},
    /* 9*/ {9, Outlined(With(Jan(SymbologyKind::Jan13, "000490123456789"), [](BarcodeJob& j) { j.ExtendedGuards = true; j.AddOn = "12"; })), 1, "2", 230 + 33},
    // /i14f /rm10: the line under the symbol's middle, 36 + 241 / 2, not
    // the picture's (327 / 2).
    /*10*/ {10, Outlined(With(Itf(SymbologyKind::Itf14, "001490123456789", true), [](BarcodeJob& j) { j.RightMargin = 10; })), 0, "149 01234 56789 1", 36 + 120},
    // As text, the same line stays centred on the picture.
    /*11*/ {11, With(Itf(SymbologyKind::Itf14, "001490123456789", true), [](BarcodeJob& j) { j.RightMargin = 10; }), 0, "149 01234 56789 1", 163},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(, DigitPlacement, testing::ValuesIn(kDigitRows),
                         [](const auto& info) { return "row" + std::to_string(info.param.row); });

// Outlined digits take their widths from the OCR-B outlines alone: two
// screens whose fonts measure differently give the same bytes for every
// file format and for a metafile with /ol.
TEST(OutlinedDigits, SameBytesWhateverTheFontMeasures) {
    for (const FileFormat format :
         {FileFormat::Emf, FileFormat::Eps, FileFormat::Pdf, FileFormat::Svg, FileFormat::Png}) {
        for (const bool guards : {true, false}) {
            SCOPED_TRACE(static_cast<int>(format));
            BarcodeJob job = Jan(SymbologyKind::Jan13, "000490123456789");
            job.ExtendedGuards = guards;
            job.AddOn = "12345";
            job.Format = format;
            job.CopyRate = 100;
            job.OutlinedText = format == FileFormat::Emf;
            const ScreenFigures screen{1280, 1024, 338, 270};
            EXPECT_EQ(MakeFile(job, screen, FixedWidth(7), 0),
                      MakeFile(job, screen, FixedWidth(13), 0));
        }
    }
}

TEST(DrawSymbol, ReductionKeepsCentresAndSize) {
    struct Row {
        BarcodeJob job;
        Grid grid;
    };
    BarcodeJob guards = Jan(SymbologyKind::Jan13, "000490123456789");
    guards.ExtendedGuards = true;
    const Row rows[] = {{guards, {3, 8, 1}},
                        {guards, {8, 20, 3}},
                        {Jan(SymbologyKind::Jan8, "000000004901234"), {66, 165, 5}},
                        {Itf(SymbologyKind::Itf14, "001490123456789", true), {8, 20, 2}}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.grid.reduction);
        BarcodeJob job = row.job;
        const std::string pattern = EncodeForKind(job.Kind, job.Digits);
        Grid plain = row.grid;
        plain.reduction = 0;
        RecordingCanvas reduced, whole;
        const SymbolLayout layout = LayOut(job, row.grid, pattern);
        DrawSymbol(job, pattern, layout, reduced);
        DrawSymbol(job, pattern, LayOut(job, plain, pattern), whole);
        EXPECT_EQ(layout.W, LayOut(job, plain, pattern).W);
        ASSERT_EQ(reduced.fills.size(), whole.fills.size());
        const std::size_t bars = job.BearerFrame ? 4 : 0;
        for (std::size_t i = 0; i < whole.fills.size(); ++i) {
            SCOPED_TRACE(i);
            const Rect& a = reduced.fills[i];
            const Rect& b = whole.fills[i];
            if (i < bars) {
                EXPECT_EQ(a, b);  // the frame
                continue;
            }
            EXPECT_EQ((b.right - b.left) - (a.right - a.left), row.grid.reduction);
            EXPECT_LE(std::abs((a.left + a.right) - (b.left + b.right)), 1);
            EXPECT_EQ(a.top, b.top);
            EXPECT_EQ(a.bottom, b.bottom);
        }
    }
}

TEST(ScaledSize, TruncatesTowardZero) {
    struct Row {
        std::int32_t rate;
        std::int32_t width;
        std::int32_t height;
    };
    const Row rows[] = {
        {100, 226, 154},
        {50, 113, 77},
        {33, 74, 50},
        {500, 1130, 770},
        {-33, -74, -50},
        {std::numeric_limits<std::int32_t>::max(), std::numeric_limits<std::int32_t>::max(),
         std::numeric_limits<std::int32_t>::max()},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.rate);
        const CopySize size = ScaledSize(226, 154, row.rate);
        EXPECT_EQ(size.width, row.width);
        EXPECT_EQ(size.height, row.height);
    }
}

}  // namespace
}  // namespace merrowin

namespace merrowin {
namespace {

// The payment slip's size on every printer: the module (drawing units of
// the standard grid, or the printer's dots), the frame's width in .01 mm
// (at most 60 mm), the bars' height in modules (at least 10 mm), or the
// refusal. 60 mm holds 308 modules of at most 0.1948 mm.
struct SlipSizeRow {
    int row;
    std::int32_t moduleWidth;  // /mw, .01 mm; 0 none
    std::int32_t dpi;          // /dp; 0 none
    std::int32_t module;       // grid units or dots a module
    std::int32_t frameWidth;
    std::int32_t barModules;
    std::string error;
};

// clang-format off
const SlipSizeRow kSlipSizeRows[] = {
    // 0.19 mm: 58.52 mm, bars 53 x 0.19 = 10.07 mm.
    {0,  0,    0, 2, 5852, 53, ""},
    // The most whole dots within 60 mm: 2 at 300 dpi (0.169 mm, 52.15 mm
    // wide, 60 modules 10.16 mm high), 4 at 600, 9 at 1200, 18 at 2400
    // (0.1905 mm, 58.67 mm). The picture's right quiet zone widens to the
    // next 0.05 in, a whole .01 mm: 53.34 and 59.69 mm.
    {1,  0,  300, 2,  5334, 60, ""},
    {2,  0,  600, 4,  5334, 60, ""},
    {3,  0, 1200, 9,  5969, 53, ""},
    {4,  0, 2400, 18, 5969, 53, ""},
    // /mw on dots: the nearest whole dots (0.17 mm at 600 dpi: 4.02).
    {5,  17, 600, 4,  5334, 60, ""},
    {6,  15,   0, 2,  4620, 67, ""},
    // Refusals: 203 dpi gives 1 dot of 0.125 mm; 0.20 mm makes 61.6 mm.
    {7,  0,  203, 0, 0, 0,
         "203 dpi のプリンターでは 60 mm に収まるモジュールが 1 ドット (0.125 mm) で、"
         "読み取れる幅になりません。印刷できるのは 300、600、720、1200、2400 dpi のプリンターです"},
    {8,  20,   0, 0, 0, 0,
         "モジュール幅 0.200 mm ではコンビニ収納用バーコードの幅が 61.600 mm になり、"
         "60 mm を超えます (クワイエットゾーンを含めて)"},
    {9,  14,   0, 0, 0, 0, "モジュール幅 0.140 mm はコンビニ収納用バーコードには細すぎます (0.150 mm 以上)"},
    // 0.19 mm asked of a 2400 dpi printer: 17.95 -> 18 dots, 0.1905 mm.
    {10, 19, 2400, 18, 5969, 53, ""},
    // 0.20 mm at 1200 dpi: the nearest is 9 dots, 0.1905 mm, which fits;
    // 0.20 mm at 2400 dpi is 19 dots, 0.2011 mm, 61.934 mm: too wide.
    {11, 20, 1200, 9, 5969, 53, ""},
    {12, 20, 2400, 0, 0, 0,
         "モジュール幅 0.201 mm ではコンビニ収納用バーコードの幅が 61.934 mm になり、"
         "60 mm を超えます (クワイエットゾーンを含めて)"},
    // /mw on a printer where no module fits: the printers that work.
    {13, 19, 203, 0, 0, 0,
         "203 dpi のプリンターでは 60 mm に収まるモジュールが 1 ドット (0.125 mm) で、"
         "読み取れる幅になりません。印刷できるのは 300、600、720、1200、2400 dpi のプリンターです"},
    // 23 dots at 3000 dpi: 59.98 mm of symbol with its quiet zones, which
    // the 60 mm rule judges; the picture's white widens to 60.96 mm.
    {14, 0, 3000, 23, 6096, 52, ""},
};
// clang-format on

class SlipSizes : public testing::TestWithParam<SlipSizeRow> {};

TEST_P(SlipSizes, ModuleFrameAndBarsOrRefusal) {
    const SlipSizeRow& row = GetParam();
    BarcodeJob job;
    job.Kind = SymbologyKind::PaymentSlip;
    job.ModuleWidth = row.moduleWidth;
    job.DotsPerInch = row.dpi;
    FillJob(*MakeDataField({job.Kind, "9191234501234567890123456789010103310123000", 0,
                            GivenCheck::Recomputed}),
            job);
    try {
        SizeSlip(job);
        const std::string pattern = EncodeForKind(job.Kind, job.Digits);
        const std::optional<Picture> picture =
            MakePicture(job, pattern, ScreenFigures{1024, 768, 271, 203});
        ASSERT_TRUE(picture);
        EXPECT_EQ(row.error, "");
        const SymbolLayout& layout = picture->layout;
        EXPECT_EQ(layout.grid.module, row.module);
        EXPECT_EQ(picture->page.frame.width, row.frameWidth);
        EXPECT_EQ((layout.Y2 - layout.Y1) / layout.grid.module, row.barModules);
        EXPECT_EQ((layout.Y2 - layout.Y1) % layout.grid.module, 0);
        EXPECT_EQ(layout.W, 308 * layout.grid.module);
    } catch (const MerrowinError& error) {
        EXPECT_EQ(error.what(), row.error);
    }
}

INSTANTIATE_TEST_SUITE_P(, SlipSizes, testing::ValuesIn(kSlipSizeRows),
                         [](const auto& i) { return "row" + std::to_string(i.param.row); });

}  // namespace
}  // namespace merrowin
