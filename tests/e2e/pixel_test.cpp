// The saved picture played back at its own size: bars, guard bars, the ITF
// bearer frame and the margins at exact pixel positions.
#include <cmath>
#include <cstdlib>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tests/e2e/e2e_test.h"

namespace merrowin::e2e {
namespace {

// 4901234567894 in modules (1 = bar), from the GS1 number sets: the leading
// 4 selects L G L L G G for the left half.
constexpr std::string_view kJan13Modules =
    "101"      // start guard
    "0001011"  // 9 L
    "0100111"  // 0 G
    "0011001"  // 1 L
    "0010011"  // 2 L
    "0100001"  // 3 G
    "0011101"  // 4 G
    "01010"    // centre guard
    "1001110"  // 5 R
    "1010000"  // 6 R
    "1000100"  // 7 R
    "1001000"  // 8 R
    "1110100"  // 9 R
    "1011100"  // 4 R, check digit
    "101";     // end guard

// 14901234567891 as element widths in drawing units (narrow 2, wide 5), bar
// first: start, seven interleaved pairs (bars carry the first digit), stop.
constexpr std::string_view kItf14Widths =
    "2222"        // start
    "5222252255"  // 1 4
    "2252255522"  // 9 0
    "5225222255"  // 1 2
    "5252252225"  // 3 4
    "5225552222"  // 5 6
    "2522225552"  // 7 8
    "2552225225"  // 9 1 (check digit)
    "522";        // stop

using Colour = std::function<bool(int x)>;  // true: black

// Columns of row y whose colour differs from `black`, as "x=..." list.
std::string RowMismatches(const Picture& picture, int y, const Colour& black) {
    std::string wrong;
    for (int x = 0; x < picture.width; ++x) {
        const bool ok = black(x) ? picture.IsBlack(x, y) : picture.IsWhite(x, y);
        if (!ok && wrong.size() < 200) (wrong += " x=") += std::to_string(x);
    }
    return wrong;
}

bool AnyBlack(const Picture& picture, int left, int top, int right, int bottom) {
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            if (picture.IsBlack(x, y)) return true;
    return false;
}

class PixelTest : public E2eTest {
protected:
    // Saves the symbol, checks that the picture is width x height and
    // renders it at that size.
    Picture SaveAndRender(std::wstring_view args, const std::wstring& file, int width, int height) {
        EXPECT_EQ(Run(std::wstring(args) + L" /fl /nc " + DrOption(out_.Path())), 0u);
        HENHMETAFILE emf = ::GetEnhMetaFileW((out_ / file).c_str());
        if (!emf) {
            ADD_FAILURE() << "no readable picture";
            return {};
        }
        const ENHMETAHEADER header = *EmfHeader(emf);
        const SIZE frame = FramePixels(header);
        EXPECT_EQ(frame.cx, width);
        EXPECT_EQ(frame.cy, height);
        EXPECT_EQ(header.rclBounds.right, width - 1);
        EXPECT_EQ(header.rclBounds.bottom, height - 1);
        Picture picture = RenderEmf(emf, width, height);
        ::DeleteEnhMetaFile(emf);
        return picture;
    }
};

// /j13 with the stored JAN defaults: L 11, R 7, T 3, B 3, BH 60, G 2 give
// W 226, H 154, x0 22, bars on rows 6 to 125, guard bars down to row 136,
// text cells from row 128.
TEST_F(PixelTest, Jan13WithExtendedGuards) {
    const Picture p = SaveAndRender(L"/j13 /cd490123456789", kJanFile, 226, 154);
    ASSERT_EQ(p.width, 226);
    const int x0 = 22;
    const auto bar = [&](int x) {
        const int module = (x - x0) / 2;
        return x >= x0 && module < 95 && kJan13Modules[module] == '1';
    };
    const auto guard = [&](int x) {
        const int module = (x - x0) / 2;
        const bool isGuard = module == 0 || module == 2 || module == 46 || module == 48 ||
                             module == 92 || module == 94;
        return x >= x0 && isGuard;
    };
    const auto white = [](int) { return false; };

    struct Row {
        int y;
        Colour black;
    };
    const Row rows[] = {{0, white},   {5, white},   {6, bar},     {60, bar},   {125, bar},
                        {126, guard}, {127, guard}, {148, white}, {153, white}};
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << "row " << row.y);
        EXPECT_EQ(RowMismatches(p, row.y, row.black), "");
    }
    // Between the text cells the lengthened guard bars run down to row 136.
    for (int y = 128; y <= 137; ++y) {
        SCOPED_TRACE(::testing::Message() << "guard row " << y);
        for (int module : {0, 2, 46, 48, 92, 94})
            for (int x : {x0 + 2 * module, x0 + 2 * module + 1})
                EXPECT_EQ(p.IsBlack(x, y), y <= 136) << "x=" << x;
    }
    // The three digit groups in their cells: leading digit, left, right.
    EXPECT_TRUE(AnyBlack(p, 0, 128, 22, 148));
    EXPECT_TRUE(AnyBlack(p, 29, 128, 114, 148));
    EXPECT_TRUE(AnyBlack(p, 121, 128, 206, 148));
}

// /i14f with the ITF defaults: L 3, R 3, T 3, B 3, I 10, F 5, BH 60, G 2,
// FS 13 give W 313, H 167; frame ring (6, 6)-(307, 146), white field
// (16, 16)-(297, 136), bars from x 36 to 277, text cell from row 148.
TEST_F(PixelTest, Itf14WithBearerFrame) {
    const Picture p = SaveAndRender(L"/i14f /cd1490123456789", L"14901234567891.emf", 313, 167);
    ASSERT_EQ(p.width, 313);
    std::string barMask;  // one character per unit from x 36
    for (size_t i = 0; i < kItf14Widths.size(); ++i)
        barMask.append(kItf14Widths[i] - '0', i % 2 == 0 ? '1' : '0');
    ASSERT_EQ(barMask.size(), 241u);

    const auto white = [](int) { return false; };
    const auto frameRow = [](int x) { return x >= 6 && x < 307; };
    const auto barRow = [&](int x) {
        if (x >= 6 && x < 16) return true;     // left side of the frame
        if (x >= 297 && x < 307) return true;  // right side of the frame
        return x >= 36 && x < 277 && barMask[x - 36] == '1';
    };
    struct Row {
        int y;
        Colour black;
    };
    const Row rows[] = {{0, white},   {5, white},    {6, frameRow},   {15, frameRow},  {16, barRow},
                        {76, barRow}, {135, barRow}, {136, frameRow}, {145, frameRow}, {146, white},
                        {147, white}, {161, white},  {166, white}};
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << "row " << row.y);
        EXPECT_EQ(RowMismatches(p, row.y, row.black), "");
    }
    EXPECT_TRUE(AnyBlack(p, 0, 148, 313, 161));
}

// /i14 without the frame: W 293, H 147, bars from x 26 on rows 6 to 125.
TEST_F(PixelTest, Itf14WithoutFrame) {
    const Picture p = SaveAndRender(L"/i14 /cd1490123456789", L"14901234567891.emf", 293, 147);
    ASSERT_EQ(p.width, 293);
    std::string barMask;
    for (size_t i = 0; i < kItf14Widths.size(); ++i)
        barMask.append(kItf14Widths[i] - '0', i % 2 == 0 ? '1' : '0');
    const auto bar = [&](int x) { return x >= 26 && x < 267 && barMask[x - 26] == '1'; };
    const auto white = [](int) { return false; };
    struct Row {
        int y;
        Colour black;
    };
    const Row rows[] = {{5, white}, {6, bar}, {125, bar}, {126, white}, {127, white}, {141, white}};
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << "row " << row.y);
        EXPECT_EQ(RowMismatches(p, row.y, row.black), "");
    }
}

// --- on a printer's dots (/dp, /bw) -----------------------------------------

// The runs of one row from x = `from`: "B3 W5 ..." (colour and length).
std::vector<std::pair<bool, int>> Runs(const Picture& picture, int y, int from, int to) {
    std::vector<std::pair<bool, int>> runs;
    for (int x = from; x < to; ++x) {
        const bool black = picture.IsBlack(x, y);
        if (!black && !picture.IsWhite(x, y)) return {{false, -1}};  // grey: an edge off its dot
        if (runs.empty() || runs.back().first != black)
            runs.push_back({black, 1});
        else
            ++runs.back().second;
    }
    return runs;
}

std::string RunText(const std::vector<std::pair<bool, int>>& runs) {
    std::string out;
    for (const auto& [black, length] : runs)
        out.append(out.empty() ? "" : " ").append(black ? "B" : "W").append(std::to_string(length));
    return out;
}

// The runs a row across the bars must show: the left margin (and a bearer
// frame's side and the inner margin), every bar `reduction` dots narrower
// and every space as much wider, then the right side likewise. Widths in
// half modules as in kItf14Widths (ITF narrow 2, wide 5).
std::string ExpectedRuns(std::string_view elements, int module, int wide, int reduction, int left,
                         int frame, int inner, int right) {
    std::vector<std::pair<bool, int>> runs;
    const int cutLeft = reduction / 2, cutRight = reduction - cutLeft;
    if (left > 0) runs.push_back({false, left});
    if (frame > 0) runs.push_back({true, frame});
    runs.push_back({false, inner + cutLeft});
    for (std::size_t i = 0; i < elements.size(); ++i) {
        const int width = elements[i] == '5' ? wide : (elements[i] - '0') / 2 * module;
        const bool bar = i % 2 == 0;
        runs.push_back({bar, width + (bar ? -reduction : reduction)});
    }
    runs.push_back({false, inner + cutRight});
    if (frame > 0) runs.push_back({true, frame});
    if (right > 0) runs.push_back({false, right});
    // Join neighbours of one colour (a margin of 0 beside the inner one).
    std::vector<std::pair<bool, int>> joined;
    for (const auto& run : runs) {
        if (run.second == 0) continue;
        if (!joined.empty() && joined.back().first == run.first)
            joined.back().second += run.second;
        else
            joined.push_back(run);
    }
    return RunText(joined);
}

// The dots a run text such as "W88 B7 W57" covers.
int RunsTotal(const std::string& runs) {
    int total = 0;
    for (std::size_t i = 0; i < runs.size(); ++i)
        if (runs[i] == 'W' || runs[i] == 'B') total += std::atoi(runs.c_str() + i + 1);
    return total;
}

// JAN-13 4901234567894 as element widths in half modules, bar first.
std::string JanElementWidths() {
    std::string widths;
    char last = 0;
    for (const char module : kJan13Modules) {
        if (module == last)
            widths.back() = static_cast<char>(widths.back() + 2);
        else
            widths.push_back('2');
        last = module;
    }
    return widths;
}

struct PrintRow {
    int row;
    const wchar_t* args;
    const wchar_t* file;
    int dpi;
    int module;     // dots, as the snapping rule gives it
    int wide;       // ITF wide element, dots
    int reduction;  // dots
    bool itf;
    int left, frame, inner, right;  // in modules
};

class PrintedDots : public PixelTest, public testing::WithParamInterface<PrintRow> {};

// The picture played as a printer driver plays it: at its frame's size in
// the printer's dots, at several placements on the page (whole dots and
// parts of a dot): along a row across the bars every bar and space is
// exactly its whole number of dots, with no grey edge.
TEST_P(PrintedDots, EveryBarAndSpaceIsWholeDots) {
    const PrintRow& row = GetParam();
    ASSERT_EQ(Run(std::wstring(row.args) + L" /fl /nc " + DrOption(out_.Path())), 0u);
    HENHMETAFILE emf = ::GetEnhMetaFileW((out_ / row.file).c_str());
    ASSERT_NE(emf, nullptr);
    const ENHMETAHEADER header = *EmfHeader(emf);
    // The frame's size in the printer's dots, as a program converts it.
    const auto dots = [&](LONG hundredths) {
        return static_cast<int>(std::lround(hundredths * row.dpi / 2540.0));
    };
    const int width = dots(header.rclFrame.right - header.rclFrame.left);
    const int height = dots(header.rclFrame.bottom - header.rclFrame.top);
    const auto expected = [&](int rightDots) {
        return ExpectedRuns(row.itf ? std::string(kItf14Widths) : JanElementWidths(), row.module,
                            row.wide, row.reduction, row.left * row.module, row.frame * row.module,
                            row.inner * row.module, rightDots);
    };
    // The trailing quiet zone is widened, by less than 0.05 in, to a frame
    // that states the dots exactly in .01 mm where such a frame exists.
    const int nominal = RunsTotal(expected(row.right * row.module));
    const int widened = width - nominal;
    EXPECT_GE(widened, 0);
    EXPECT_LT(widened, row.dpi / 20);
    if (row.dpi % 300 == 0) {
        EXPECT_EQ(width * 2540 % row.dpi, 0) << "frame not exact in .01 mm";
        EXPECT_EQ(height * 2540 % row.dpi, 0) << "frame not exact in .01 mm";
    }
    const std::string want = expected(row.right * row.module + widened);
    struct Placement {
        int x, y;
        float shift;
    };
    for (const Placement at : {Placement{0, 0, 0}, Placement{7, 3, 0}, Placement{13, 5, 0.3f},
                               Placement{2, 9, 0.7f}, Placement{5, 1, 0.45f}}) {
        SCOPED_TRACE(testing::Message() << "at " << at.x << "+" << at.shift);
        const RECT target{at.x, at.y, at.x + width, at.y + height};
        const Picture p = RenderEmfAt(emf, at.x + width + 3, at.y + height + 3, target, at.shift);
        const int from = at.x + (at.shift > 0.5f ? 1 : 0);
        // A row a fifth of the way down the bars.
        const int y = at.y + (at.shift > 0.5f ? 1 : 0) + height / 5;
        EXPECT_EQ(RunText(Runs(p, y, from, from + width)), want);
    }
    ::DeleteEnhMetaFile(emf);
}

// The JAN defaults: L 11, R 7; the ITF ones: L 3, R 3, I 10, F 5.
// clang-format off
const PrintRow kPrintRows[] = {
    // 0.33 mm at 203 dpi: 3 dots (0.375 mm).
    /* 0*/ {0, L"/j13 /cd490123456789 /dp203", kJanFile, 203, 3, 0, 0, false, 11, 0, 0, 7},
    // At 600 dpi: 8 dots; 25 um off the bars is one dot.
    /* 1*/ {1, L"/j13b /cd490123456789 /dp600 /bw25", kJanFile, 600, 8, 0, 1, false, 11, 0, 0, 7},
    // 0.27 mm at 150 % (0.405 mm) at 300 dpi: 4.78 dots: 5.
    /* 2*/ {2, L"/j13 /cd490123456789 /dp300 /mw27 /cr150", kJanFile, 300, 5, 0, 0, false, 11, 0, 0, 7},
    // ITF's 1.00 mm at 203 dpi: 8 dots, wide 20; the frame 5 modules.
    /* 3*/ {3, L"/i14f /cd1490123456789 /dp203", L"14901234567891.emf", 203, 8, 20, 0, true, 3, 5, 10, 3},
    // 0.50 mm at 300 dpi: 5.9 dots: 6, wide 15; 120 um off: 1.42 dots: 1.
    /* 4*/ {4, L"/i14 /cd1490123456789 /dp300 /mw50 /bw120", L"14901234567891.emf", 300, 6, 15, 1, true, 3, 0, 10, 3},
    // 0.40 mm at 600 dpi: 9.45 dots: 9; wide 22.5: 23 (2.56); 100 um: 2.36 dots: 2.
    /* 5*/ {5, L"/i14f /cd1490123456789 /dp600 /mw40 /bw100", L"14901234567891.emf", 600, 9, 23, 2, true, 3, 5, 10, 3},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(, PrintedDots, testing::ValuesIn(kPrintRows),
                         [](const auto& info) { return "row" + std::to_string(info.param.row); });

}  // namespace
}  // namespace merrowin::e2e
