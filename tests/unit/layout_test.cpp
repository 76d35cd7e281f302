#include "render/layout.h"

#include <gtest/gtest.h>

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

struct GeometryRow {
    const char* name;
    BarcodeJob job;
    SymbolLayout expected;
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

        const std::vector<Rect> bars = drawn.canvas.BlackBetween(row.barsTop, row.barsBottom);
        ASSERT_EQ(bars.size(), static_cast<std::size_t>(drawn.layout.P + 1));
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

TEST(DrawSymbol, BearerFrameIsBlackThenWhite) {
    const Drawn drawn = Draw(Itf(SymbologyKind::Itf14, "001234567890123", true));
    const auto& fills = drawn.canvas.fills;
    ASSERT_GE(fills.size(), 3u);
    EXPECT_EQ(fills[1].rect, (Rect{6, 6, 307, 146}));
    EXPECT_EQ(fills[1].colour, Colour::Black);
    EXPECT_EQ(fills[2].rect, (Rect{16, 16, 297, 136}));
    EXPECT_EQ(fills[2].colour, Colour::White);

    const Drawn open = Draw(Itf(SymbologyKind::Itf14, "001234567890123", false));
    EXPECT_EQ(open.canvas.fills[1].colour, Colour::Black);  // straight to the bars
    EXPECT_EQ(open.canvas.fills.size(), 1u + 39u);
}

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
