#include "render/layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <string>
#include <vector>

#include "common/errors.h"
#include "common/text.h"
#include "model/symbology.h"

namespace merrowin {
namespace {

// Records what the drawing asks of the canvas; its font measures a fixed
// width per character, whatever the height.
class RecordingCanvas : public Canvas {
public:
    explicit RecordingCanvas(int unitsPerChar = 10) : unitsPerChar_(unitsPerChar) {}

    struct Fill {
        Rect rect;
        Colour colour;
    };
    std::vector<Fill> fills;
    std::vector<std::string> texts;  // "font FACE CHARSET HEIGHT" and "text X Y TEXT"

    void FillRect(const Rect& rect, Colour colour) override { fills.push_back({rect, colour}); }
    void SetFont(std::string_view face, int charset, int height) override {
        texts.push_back("font " + std::string(face) + " " + std::to_string(charset) + " " +
                        std::to_string(height));
    }
    int TextWidth(std::string_view text) override {
        return unitsPerChar_ * static_cast<int>(CountChars(text));
    }
    void DrawString(int x, int y, std::string_view text) override {
        texts.push_back("text " + std::to_string(x) + " " + std::to_string(y) + " " +
                        std::string(text));
    }

    // Black rectangles running from `top` to `bottom`.
    std::vector<Rect> BlackBetween(int top, int bottom) const {
        std::vector<Rect> out;
        for (const Fill& fill : fills) {
            if (fill.colour == Colour::Black && fill.rect.top == top && fill.rect.bottom == bottom)
                out.push_back(fill.rect);
        }
        return out;
    }

private:
    int unitsPerChar_;
};

// Default sizes of a JAN run and of an ITF run.
BarcodeJob Jan(SymbologyKind kind, std::string digits) {
    BarcodeJob job;
    job.Kind = kind;
    job.Digits = std::move(digits);
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
    EncodeForKind(job.Kind, job.Digits, job.Pattern);
    Drawn drawn{LayOut(job), RecordingCanvas(unitsPerChar)};
    DrawSymbol(job, drawn.layout, drawn.canvas);
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
         {"font OCRB 0 20", "text 0 128 1", "font OCRB 0 20", "text 29 128 234567",
          "font OCRB 0 20", "text 121 128 890128"}},
        // 13 characters of 10 units centred in 226.
        {"j13b", j13b, 22, 6, 212, 126, {"font OCRB 0 18", "text 48 128 1234567890128"}},
        {"j13t", j13t, 22, 6, 212, 126, {"font OCRB 0 18", "text 43 128 T1234567890128"}},
        {"j8",
         j8,
         22,
         6,
         156,
         126,
         {"font OCRB 0 20", "text 29 128 1234", "font OCRB 0 20", "text 93 128 5670"}},
        {"j8f", j8f, 22, 6, 156, 126, {"font OCRB 0 18", "text 40 128 F12345670"}},
        // 17 characters in 313: 143 div 2.
        {"i14f",
         Itf(SymbologyKind::Itf14, "001234567890123", true),
         36,
         16,
         277,
         136,
         {"font OCRB 0 13", "text 71 148 123 45678 90123 1"}},
        {"i14",
         Itf(SymbologyKind::Itf14, "001234567890123", false),
         26,
         6,
         267,
         126,
         {"font OCRB 0 13", "text 61 128 123 45678 90123 1"}},
        {"i16",
         Itf(SymbologyKind::Itf16, "123456789012345", false),
         26,
         6,
         299,
         126,
         {"font OCRB 0 13", "text 67 128 12345 67890 12345 2"}},
    };
    for (const DrawingRow& row : rows) {
        SCOPED_TRACE(row.name);
        const Drawn drawn = Draw(row.job);
        const auto& fills = drawn.canvas.fills;
        ASSERT_FALSE(fills.empty());
        EXPECT_EQ(fills[0].rect, (Rect{0, 0, drawn.layout.W, drawn.layout.H}));
        EXPECT_EQ(fills[0].colour, Colour::White);

        // The bars follow the ground and the four sides of a bearer frame.
        const std::size_t first = row.job.BearerFrame ? 5 : 1;
        ASSERT_EQ(fills.size(), first + drawn.layout.P + 1);
        std::vector<Rect> bars;
        for (std::size_t i = first; i < fills.size(); ++i) {
            EXPECT_EQ(fills[i].colour, Colour::Black);
            EXPECT_EQ(fills[i].rect.top, row.barsTop);
            // An extended guard bar is the pattern's own bar, only longer.
            const int bottom = fills[i].rect.bottom;
            EXPECT_TRUE(bottom == row.barsBottom || bottom == drawn.layout.Y3) << bottom;
            bars.push_back(fills[i].rect);
        }
        EXPECT_EQ(bars.front().left, row.barsLeft);
        EXPECT_EQ(bars.back().right, row.barsRight);
        std::string pattern;
        EncodeForKind(row.job.Kind, row.job.Digits, pattern);
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
    ASSERT_GE(fills.size(), 5u);
    const Rect sides[] = {
        {6, 6, 307, 16}, {6, 136, 307, 146}, {6, 16, 16, 136}, {297, 16, 307, 136}};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(fills[1 + i].rect, sides[i]);
        EXPECT_EQ(fills[1 + i].colour, Colour::Black);
    }

    const Drawn open = Draw(Itf(SymbologyKind::Itf14, "001234567890123", false));
    EXPECT_EQ(open.canvas.fills[1].colour, Colour::Black);  // straight to the bars
    EXPECT_EQ(open.canvas.fills.size(), 1u + 39u);
}

// The picture as the drawing paints it: each fill in turn over the last.
std::vector<Colour> Paint(const std::vector<RecordingCanvas::Fill>& fills, int width, int height) {
    std::vector<Colour> pixels(static_cast<std::size_t>(width) * height, Colour::White);
    for (const RecordingCanvas::Fill& fill : fills) {
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
    std::vector<RecordingCanvas::Fill> fills{{{0, 0, layout.W, layout.H}, Colour::White}};
    if (IsItf(job.Kind) && job.BearerFrame) {
        const int f = 2 * job.FrameWidth;
        const Rect box{2 * job.LeftMargin, 2 * job.TopMargin, layout.W - 2 * job.RightMargin,
                       layout.Y2 + f};
        fills.push_back({box, Colour::Black});
        fills.push_back(
            {{box.left + f, box.top + f, box.right - f, box.bottom - f}, Colour::White});
    }
    int x = layout.x0;
    for (std::size_t i = 0; i < job.Pattern.size(); i += 2) {
        const int bar = job.Pattern[i] - '0';
        fills.push_back({{x, layout.Y1, x + bar, layout.Y2}, Colour::Black});
        if (i + 1 < job.Pattern.size()) x += bar + (job.Pattern[i + 1] - '0');
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

// One white ground, then black rectangles that never overlap, covering the
// same pixels as painting frame, bars and guards one over the other.
TEST_P(DrawingCoverage, OneWhiteGroundThenBlackThatNeverOverlaps) {
    const CoverageRow& row = GetParam();
    BarcodeJob job = IsJan(row.kind) ? Jan(row.kind, "000123456789012")
                                     : Itf(row.kind, "001234567890123", row.frame);
    job.ExtendedGuards = row.extendedGuards;
    job.FrameWidth = static_cast<std::uint8_t>(row.frameWidth);
    job.BarHeight = row.barHeight;
    EncodeForKind(job.Kind, job.Digits, job.Pattern);
    const Drawn drawn = Draw(job);
    const auto& fills = drawn.canvas.fills;
    ASSERT_FALSE(fills.empty());
    EXPECT_EQ(fills[0].colour, Colour::White);
    for (std::size_t i = 1; i < fills.size(); ++i) {
        SCOPED_TRACE(i);
        const Rect& a = fills[i].rect;
        EXPECT_EQ(fills[i].colour, Colour::Black);
        for (std::size_t j = 1; j < i; ++j) {
            const Rect& b = fills[j].rect;
            const bool empty =
                a.left >= a.right || a.top >= a.bottom || b.left >= b.right || b.top >= b.bottom;
            EXPECT_TRUE(empty || a.right <= b.left || b.right <= a.left || a.bottom <= b.top ||
                        b.bottom <= a.top)
                << "overlaps fill " << j;
        }
    }
    EXPECT_TRUE(Paint(fills, drawn.layout.W, drawn.layout.H) ==
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
    EXPECT_EQ(drawn.canvas.texts.back(), "text -53 128 12345 67890 12345 2");
}

TEST(DrawSymbol, BadDigitFailsBeforeAnythingIsDrawn) {
    BarcodeJob job = Jan(SymbologyKind::Jan13, "000123456789012");
    EncodeForKind(job.Kind, job.Digits, job.Pattern);
    job.Digits = "00012345678901x";
    RecordingCanvas canvas;
    try {
        DrawSymbol(job, LayOut(job), canvas);
        ADD_FAILURE() << "no error";
    } catch (const ConversionError& error) {
        EXPECT_STREQ(error.what(), "'x' は整数ではありません");
    }
    EXPECT_TRUE(canvas.fills.empty());
    EXPECT_TRUE(canvas.texts.empty());
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

// Passed through unchanged; a barcode has bars and all it draws inside.
TEST_P(BarcodeCheckRows, BarsAndEverythingInside) {
    const CheckRow& row = GetParam();
    BarcodeJob job = row.job;
    EncodeForKind(job.Kind, job.Digits, job.Pattern);
    const SymbolLayout layout = LayOut(job);
    RecordingCanvas direct(row.unitsPerChar);
    DrawSymbol(job, layout, direct);
    RecordingCanvas passed(row.unitsPerChar);
    BarcodeCheck check(layout, passed);
    DrawSymbol(job, layout, check);
    EXPECT_EQ(passed.texts, direct.texts);
    EXPECT_EQ(passed.fills.size(), direct.fills.size());
    EXPECT_EQ(check.IsBarcode(), row.barcode);
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
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(, BarcodeCheckRows, testing::ValuesIn(kCheckRows),
                         [](const auto& info) { return "row" + std::to_string(info.param.row); });

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
