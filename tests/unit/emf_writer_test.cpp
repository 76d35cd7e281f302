#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstring>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "encode/check_digit.h"
#include "model/symbology.h"
#include "render/drawing.h"
#include "render/formats/formats.h"
#include "render/layout.h"
#include "render/outline_text.h"
#include "render/picture.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace merrowin {
namespace {

// Record types and stock objects as [MS-EMF] lists them, written out here
// once more so the reader does not trust the writer's own table.
// clang-format off
const std::map<std::uint32_t, std::string> kRecordNames = {
    {0x01, "HEADER"}, {0x09, "SETWINDOWEXTEX"}, {0x0B, "SETVIEWPORTEXTEX"}, {0x0E, "EOF"},
    {0x11, "SETMAPMODE"}, {0x12, "SETBKMODE"}, {0x25, "SELECTOBJECT"},
    {0x52, "EXTCREATEFONTINDIRECTW"}, {0x54, "EXTTEXTOUTW"}, {0x56, "POLYGON16"},
    {0x5B, "POLYPOLYGON16"},
};
// clang-format on
constexpr std::uint32_t kWhiteBrush = 0x80000000;
constexpr std::uint32_t kBlackBrush = 0x80000004;
constexpr std::uint32_t kNullPen = 0x80000008;

// A metafile's fill colours: the white ground and black marks.
enum class Colour : std::uint8_t { White, Black };

struct Fill {
    Rect rect;
    Colour colour;
    friend bool operator==(const Fill&, const Fill&) = default;
};

std::ostream& operator<<(std::ostream& out, const Fill& f) {
    return out << (f.colour == Colour::White ? "white " : "black ") << f.rect.left << ","
               << f.rect.top << "-" << f.rect.right << "," << f.rect.bottom;
}

struct Text {
    std::int32_t x, y;
    std::u16string string;
    std::vector<std::int32_t> dx;
    friend bool operator==(const Text&, const Text&) = default;
};

std::ostream& operator<<(std::ostream& out, const Text& t) {
    out << t.x << "," << t.y << " \"";
    for (const char16_t c : t.string) out << (c < 0x80 ? static_cast<char>(c) : '?');
    out << "\" dx";
    for (const std::int32_t d : t.dx) out << " " << d;
    return out;
}

// Reads a metafile back record by record: the type, the size and the
// fields at their [MS-EMF] offsets; a malformed record fails the test.
class EmfReader {
public:
    struct Record {
        std::uint32_t type;
        std::uint32_t size;
        std::size_t at;
    };

    explicit EmfReader(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {
        for (std::size_t at = 0; at + 8 <= bytes_.size();) {
            const Record record{U32(at), U32(at + 4), at};
            if (record.size < 8 || record.size % 4 != 0 || at + record.size > bytes_.size()) {
                ADD_FAILURE() << "record " << records.size() << " has size " << record.size;
                return;
            }
            records.push_back(record);
            at += record.size;
        }
    }

    std::uint32_t U32(std::size_t at) const {
        if (at + 4 > bytes_.size()) {
            ADD_FAILURE() << "read past the end at " << at;
            return 0;
        }
        return bytes_[at] | bytes_[at + 1] << 8 | bytes_[at + 2] << 16 |
               static_cast<std::uint32_t>(bytes_[at + 3]) << 24;
    }
    std::int32_t I32(std::size_t at) const { return static_cast<std::int32_t>(U32(at)); }
    std::uint16_t U16(std::size_t at) const {
        return static_cast<std::uint16_t>(bytes_[at] | bytes_[at + 1] << 8);
    }
    std::int16_t I16(std::size_t at) const { return static_cast<std::int16_t>(U16(at)); }
    Rect RectAt(std::size_t at) const { return {I32(at), I32(at + 4), I32(at + 8), I32(at + 12)}; }
    std::size_t size() const { return bytes_.size(); }

    // The record kinds in order, by their [MS-EMF] names without "EMR_".
    std::vector<std::string> Kinds() const {
        std::vector<std::string> out;
        for (const Record& r : records) {
            const auto name = kRecordNames.find(r.type);
            out.push_back(name == kRecordNames.end() ? "type " + std::to_string(r.type)
                                                     : name->second);
        }
        return out;
    }
    std::vector<Record> Of(std::uint32_t type) const {
        std::vector<Record> out;
        for (const Record& r : records)
            if (r.type == type) out.push_back(r);
        return out;
    }

    // The rectangles of the polygon records with the stock brush selected
    // for each; every polygon must be a rectangle, clockwise from top left.
    std::vector<Fill> Fills() const {
        std::vector<Fill> out;
        std::optional<Colour> brush;
        for (const Record& r : records) {
            if (r.type == 0x25 && U32(r.at + 8) == kWhiteBrush) brush = Colour::White;
            if (r.type == 0x25 && U32(r.at + 8) == kBlackBrush) brush = Colour::Black;
            std::vector<std::uint32_t> counts;
            std::size_t points = 0;
            if (r.type == 0x56) {
                counts.push_back(U32(r.at + 24));
                points = r.at + 28;
            } else if (r.type == 0x5B) {
                for (std::uint32_t i = 0; i < U32(r.at + 24); ++i)
                    counts.push_back(U32(r.at + 32 + 4 * i));
                points = r.at + 32 + 4 * counts.size();
                EXPECT_EQ(U32(r.at + 28), 4 * counts.size()) << "total point count";
            } else {
                continue;
            }
            EXPECT_TRUE(brush) << "a polygon before any brush";
            for (const std::uint32_t count : counts) {
                EXPECT_EQ(count, 4u);
                const Rect rect{I16(points), I16(points + 2), I16(points + 4), I16(points + 10)};
                EXPECT_EQ(I16(points + 6), rect.top);
                EXPECT_EQ(I16(points + 8), rect.right);
                EXPECT_EQ(I16(points + 12), rect.left);
                EXPECT_EQ(I16(points + 14), rect.bottom);
                out.push_back({rect, brush.value_or(Colour::White)});
                points += 16;
            }
            EXPECT_EQ(points, r.at + r.size) << "polygon record size";
        }
        return out;
    }

    std::vector<Text> Texts() const {
        std::vector<Text> out;
        for (const Record& r : Of(0x54)) {
            EXPECT_EQ(U32(r.at + 24), 1u) << "graphics mode GM_COMPATIBLE";
            const std::size_t emrText = r.at + 36;
            Text text{I32(emrText), I32(emrText + 4), {}, {}};
            const std::uint32_t chars = U32(emrText + 8);
            const std::uint32_t offString = U32(emrText + 12);
            EXPECT_EQ(U32(emrText + 16), 0u) << "options";
            EXPECT_EQ(RectAt(emrText + 20), (Rect{0, 0, -1, -1}));
            const std::uint32_t offDx = U32(emrText + 36);
            EXPECT_EQ(offString, 76u);
            EXPECT_EQ(offDx, offString + (2 * chars + 3) / 4 * 4);
            EXPECT_EQ(r.size, offDx + 4 * chars);
            for (std::uint32_t i = 0; i < chars; ++i) {
                text.string += static_cast<char16_t>(U16(r.at + offString + 2 * i));
                text.dx.push_back(I32(r.at + offDx + 4 * i));
            }
            out.push_back(std::move(text));
        }
        return out;
    }

    // exScale and eyScale of each text record.
    std::vector<std::pair<float, float>> Scales() const {
        std::vector<std::pair<float, float>> out;
        for (const Record& r : Of(0x54))
            out.emplace_back(std::bit_cast<float>(U32(r.at + 28)),
                             std::bit_cast<float>(U32(r.at + 32)));
        return out;
    }

    std::vector<Record> records;

private:
    std::vector<std::uint8_t> bytes_;
};

// A font that gives each character half the cell height plus 0 to 2 units,
// and counts how often it is asked.
struct FakeFont {
    int calls = 0;
    TextMeasurer Measure() {
        return [this](const FontSpec& font, std::u16string_view text) {
            ++calls;
            std::vector<std::int32_t> advances;
            for (const char16_t c : text) advances.push_back(font.height / 2 + c % 3);
            return advances;
        };
    }
};

// A screen of 1920 x 1080 pixels, 508 x 286 mm.
constexpr ScreenFigures kScreen{1920, 1080, 508, 286};

enum class Style { Guards, Plain, Prefixed, Framed, Open, NoText };

// The default sizes of the JAN and the ITF switches.
BarcodeJob DefaultJob(SymbologyKind kind, Style style) {
    BarcodeJob job;
    job.Kind = kind;
    const bool jan = IsJan(kind);
    job.Digits = kind == SymbologyKind::Jan8    ? "000000004901234"
                 : kind == SymbologyKind::Itf16 ? "123456789012345"
                 : jan                          ? "000490123456789"
                                                : "001490123456789";
    job.CheckDigit = static_cast<char>('0' + CheckDigit(job.Digits));
    job.LeftMargin = jan ? 11 : 3;
    job.RightMargin = jan ? 7 : 3;
    job.TopMargin = job.BottomMargin = 3;
    job.InnerMargin = 10;
    job.FrameWidth = 5;
    job.BarHeight = 60;
    job.Gap = 2;
    job.FontSize = jan ? 18 : 13;
    job.CopyRate = 100;
    job.ExtendedGuards = style == Style::Guards;
    job.PrefixedText = style == Style::Prefixed;
    job.BearerFrame = style == Style::Framed;
    job.NoText = style == Style::NoText;
    return job;
}

// Notes the cell of every text drawn, measured at `advance` of `cell` font
// units a character.
class RecordingCells final : public Canvas {
public:
    RecordingCells(int advance, int cell) : advance_(advance), cell_(cell) {}
    std::vector<Rect> cells;

    void FillRect(const Rect&) override {}
    int TextWidth(int height, std::string_view text) override {
        return static_cast<int>(
            (std::int64_t{advance_} * height * static_cast<int>(text.size()) + cell_ / 2) / cell_);
    }
    void PutText(int x, int y, int height, std::string_view text) override {
        cells.push_back({x, y, x + TextWidth(height, text), y + height});
    }

private:
    int advance_;
    int cell_;
};

// The metafile of `page` on `screen`: the white ground over the whole
// page, then `marks`.
std::vector<std::uint8_t> EmfOf(const Page& page, std::vector<Mark> marks,
                                const ScreenFigures& screen = kScreen) {
    return WriteEmf(Drawing(page, screen, {{0, 0, page.width, page.height}}, std::move(marks)), {});
}

// The marks of `job` on `layout`: its text measured by `measure`, or
// outlined without one.
std::vector<Mark> MarksOf(const BarcodeJob& job, const SymbolLayout& layout,
                          TextMeasurer measure = {}) {
    MarkCanvas canvas(std::move(measure));
    DrawSymbol(job, EncodeForKind(job.Kind, job.Digits), layout, canvas);
    return canvas.TakeMarks();
}

struct Written {
    SymbolLayout layout;
    Page page;
    std::vector<Fill> drawn;  // the ground, then the black rectangles as DrawSymbol drew them
    EmfReader emf;
    int measureCalls;
};

// The job drawn into a metafile; with a module width the frame follows it
// and the copy covers the frame's pixels, otherwise the copy is the
// rate-scaled picture and the frame follows the screen.
Written Write(const BarcodeJob& job, int rate = 100, ScreenFigures screen = kScreen,
              int moduleWidth = 0) {
    const SymbolLayout layout = LayOut(job);
    const CopySize copy = ScaledSize(layout.W, layout.H, rate);
    Page page{layout.W, layout.H, copy.width, copy.height, {}, {}, 96};
    page.frame = moduleWidth ? FrameFromModuleWidth(layout.W, layout.H, moduleWidth, rate)
                             : FrameFromScreen(copy.width, copy.height, screen);
    if (moduleWidth) {
        const PixelSize pixels = PixelsOfFrame(page.frame, screen);
        page.copyWidth = pixels.width;
        page.copyHeight = pixels.height;
    }
    FakeFont font;
    std::vector<Mark> marks = MarksOf(job, layout, font.Measure());
    std::vector<Fill> drawn{{{0, 0, layout.W, layout.H}, Colour::White}};
    for (const Mark& mark : marks)
        if (const Bars* bars = std::get_if<Bars>(&mark))
            for (const Rect& rect : bars->rects) drawn.push_back({rect, Colour::Black});
    return {layout, page, drawn, EmfReader(EmfOf(page, std::move(marks), screen)), font.calls};
}

using Kinds = std::vector<std::string>;
const Kinds kGround = {"HEADER",    "SELECTOBJECT", "SELECTOBJECT",
                       "POLYGON16", "SELECTOBJECT", "POLYPOLYGON16"};
Kinds Then(Kinds head, const Kinds& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

struct SequenceRow {
    int row;
    SymbologyKind kind;
    Style style;
    int rate;
    Kinds kinds;
};

class RecordSequence : public testing::TestWithParam<SequenceRow> {};

TEST_P(RecordSequence, KindsInOrder) {
    const SequenceRow& row = GetParam();
    const Written written = Write(DefaultJob(row.kind, row.style), row.rate);
    EXPECT_EQ(written.emf.Kinds(), row.kinds);
    // The pen once, the white brush for the ground, the black one for all
    // that follows, then the fonts.
    const auto selects = written.emf.Of(0x25);
    ASSERT_GE(selects.size(), 3u);
    EXPECT_EQ(written.emf.U32(selects[0].at + 8), kNullPen);
    EXPECT_EQ(written.emf.U32(selects[1].at + 8), kWhiteBrush);
    EXPECT_EQ(written.emf.U32(selects[2].at + 8), kBlackBrush);
    if (selects.size() > 3) {
        EXPECT_EQ(written.emf.U32(selects[3].at + 8), 1u);
    }
}

const Kinds kMapped = {"HEADER", "SETMAPMODE", "SETWINDOWEXTEX", "SETVIEWPORTEXTEX"};
const Kinds kOneFont = {"EXTCREATEFONTINDIRECTW", "SELECTOBJECT", "SETBKMODE"};
const Kinds kGroundAfterMapping = {"SELECTOBJECT", "SELECTOBJECT", "POLYGON16", "SELECTOBJECT",
                                   "POLYPOLYGON16"};

// clang-format off
const SequenceRow kSequenceRows[] = {
    /* 0*/ {0, SymbologyKind::Jan13, Style::Guards, 100,
            Then(Then(kGround, kOneFont), {"EXTTEXTOUTW", "EXTTEXTOUTW", "EXTTEXTOUTW", "EOF"})},
    /* 1*/ {1, SymbologyKind::Jan8, Style::Guards, 100,
            Then(Then(kGround, kOneFont), {"EXTTEXTOUTW", "EXTTEXTOUTW", "EOF"})},
    /* 2*/ {2, SymbologyKind::Itf14, Style::Framed, 100,
            Then(Then(kGround, kOneFont), {"EXTTEXTOUTW", "EOF"})},
    /* 3*/ {3, SymbologyKind::Itf16, Style::Open, 100,
            Then(Then(kGround, kOneFont), {"EXTTEXTOUTW", "EOF"})},
    /* 4*/ {4, SymbologyKind::Jan13, Style::Plain, 100,
            Then(Then(kGround, kOneFont), {"EXTTEXTOUTW", "EOF"})},
    /* 5*/ {5, SymbologyKind::Itf14, Style::NoText, 100, Then(kGround, {"EOF"})},
    /* 6*/ {6, SymbologyKind::Jan13, Style::Guards, 150,
            Then(Then(Then(kMapped, kGroundAfterMapping), kOneFont),
                 {"EXTTEXTOUTW", "EXTTEXTOUTW", "EXTTEXTOUTW", "EOF"})},
    /* 7*/ {7, SymbologyKind::Itf16, Style::Framed, 37,
            Then(Then(Then(kMapped, kGroundAfterMapping), kOneFont), {"EXTTEXTOUTW", "EOF"})},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(, RecordSequence, testing::ValuesIn(kSequenceRows),
                         [](const auto& info) { return "row" + std::to_string(info.param.row); });

struct HeaderRow {
    int row;
    SymbologyKind kind;
    Style style;
    int rate;
    ScreenFigures screen;
    int moduleWidth;
    Rect bounds;
    FrameSize frame;
    std::uint16_t handles;
};

class Header : public testing::TestWithParam<HeaderRow> {};

TEST_P(Header, CountsSizesBoundsAndFrame) {
    const HeaderRow& row = GetParam();
    const Written written =
        Write(DefaultJob(row.kind, row.style), row.rate, row.screen, row.moduleWidth);
    const EmfReader& emf = written.emf;
    ASSERT_FALSE(emf.records.empty());
    EXPECT_EQ(emf.records[0].type, 1u);
    EXPECT_EQ(emf.records[0].size, 108u);
    EXPECT_EQ(emf.RectAt(8), row.bounds);
    EXPECT_EQ(emf.RectAt(24), (Rect{0, 0, row.frame.width, row.frame.height}));
    EXPECT_EQ(emf.U32(40), 0x464D4520u) << "signature";
    EXPECT_EQ(emf.U32(44), 0x00010000u) << "version";
    EXPECT_EQ(emf.U32(48), emf.size()) << "bytes";
    EXPECT_EQ(emf.U32(52), emf.records.size()) << "records";
    EXPECT_EQ(emf.U16(56), row.handles);
    EXPECT_EQ(emf.U16(56), 1 + emf.Of(0x52).size()) << "a handle for each font";
    EXPECT_EQ(emf.U16(58), 0u) << "reserved";
    EXPECT_EQ(emf.U32(60), 0u) << "no description";
    EXPECT_EQ(emf.U32(64), 0u);
    EXPECT_EQ(emf.U32(68), 0u) << "no palette";
    EXPECT_EQ(emf.RectAt(72), (Rect{row.screen.widthPixels, row.screen.heightPixels,
                                    row.screen.widthMm, row.screen.heightMm}));
    EXPECT_EQ(emf.U32(88), 0u) << "cbPixelFormat";
    EXPECT_EQ(emf.U32(92), 0u) << "offPixelFormat";
    EXPECT_EQ(emf.U32(96), 0u) << "bOpenGL";
    EXPECT_EQ(emf.I32(100), row.screen.widthMm * 1000);
    EXPECT_EQ(emf.I32(104), row.screen.heightMm * 1000);
    EXPECT_EQ(emf.records.back().type, 0x0Eu) << "the end record last";
    EXPECT_EQ(emf.Kinds().back(), "EOF");
    const auto eof = emf.records.back();
    EXPECT_EQ(eof.size, 20u);
    EXPECT_EQ(emf.U32(eof.at + 8), 0u);
    EXPECT_EQ(emf.U32(eof.at + 16), 20u) << "SizeLast";
}

// clang-format off
const HeaderRow kHeaderRows[] = {
    // 226 x 50800 / 1920 = 5979.6, 154 x 28600 / 1080 = 4078.1.
    /* 0*/ {0, SymbologyKind::Jan13, Style::Guards, 100, kScreen, 0, {0, 0, 225, 153}, {5980, 4078}, 2},
    /* 1*/ {1, SymbologyKind::Jan8, Style::Guards, 100, kScreen, 0, {0, 0, 169, 153}, {4498, 4078}, 2},
    /* 2*/ {2, SymbologyKind::Itf14, Style::Framed, 100, kScreen, 0, {0, 0, 312, 166}, {8281, 4422}, 2},
    /* 3*/ {3, SymbologyKind::Itf16, Style::Open, 100, kScreen, 0, {0, 0, 324, 146}, {8599, 3893}, 2},
    /* 4*/ {4, SymbologyKind::Itf14, Style::NoText, 100, kScreen, 0, {0, 0, 292, 131}, {7752, 3496}, 1},
    // A 96 dpi screen: 1024 x 768 pixels of 270 x 203 mm; 339 x 27000 / 1024 = 8937.9.
    /* 5*/ {5, SymbologyKind::Jan13, Style::Guards, 150, {1024, 768, 270, 203}, 0, {0, 0, 338, 230}, {8938, 6106}, 2},
    /* 6*/ {6, SymbologyKind::Jan13, Style::Guards, 37, kScreen, 0, {0, 0, 82, 55}, {2196, 1483}, 2},
    // Module width 0.33 mm: 113 modules = 37.29 mm wide, 77 modules = 25.41 mm high,
    // 3729 x 1920 / 50800 = 140.9 and 2541 x 1080 / 28600 = 95.95 pixels.
    /* 7*/ {7, SymbologyKind::Jan13, Style::Guards, 100, kScreen, 33, {0, 0, 140, 95}, {3729, 2541}, 2},
    // At 150 %: 5593.5 and 3811.5, halves rounded up; 211.4 and 143.9 pixels.
    /* 8*/ {8, SymbologyKind::Jan13, Style::Guards, 150, kScreen, 33, {0, 0, 210, 143}, {5594, 3812}, 2},
    // 0.10 mm at 37 %: 313 x 10 x 37 / 200 = 579.05; 21.9 and 11.7 pixels.
    /* 9*/ {9, SymbologyKind::Itf14, Style::Framed, 37, kScreen, 10, {0, 0, 21, 11}, {579, 309}, 2},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(, Header, testing::ValuesIn(kHeaderRows),
                         [](const auto& info) { return "row" + std::to_string(info.param.row); });

struct MappingRow {
    int row;
    int rate;
    bool mapped;
    std::int32_t copyWidth, copyHeight;
    float exScale, eyScale;  // of every text record
};

class CopyMapping : public testing::TestWithParam<MappingRow> {};

// The copy keeps the full-size records; the mapping scales them.
TEST_P(CopyMapping, WindowOfThePictureOntoTheCopy) {
    const MappingRow& row = GetParam();
    const Written written = Write(DefaultJob(SymbologyKind::Jan13, Style::Guards), row.rate);
    const EmfReader& emf = written.emf;
    EXPECT_EQ(emf.RectAt(8), (Rect{0, 0, row.copyWidth - 1, row.copyHeight - 1}));
    const auto modes = emf.Of(0x11);
    const auto windows = emf.Of(0x09);
    const auto viewports = emf.Of(0x0B);
    if (!row.mapped) {
        EXPECT_TRUE(modes.empty() && windows.empty() && viewports.empty());
    } else {
        ASSERT_EQ(modes.size(), 1u);
        ASSERT_EQ(windows.size(), 1u);
        ASSERT_EQ(viewports.size(), 1u);
        EXPECT_EQ(modes[0].size, 12u);
        EXPECT_EQ(emf.U32(modes[0].at + 8), 8u) << "MM_ANISOTROPIC";
        EXPECT_EQ(windows[0].size, 16u);
        EXPECT_EQ(emf.I32(windows[0].at + 8), 226);
        EXPECT_EQ(emf.I32(windows[0].at + 12), 154);
        EXPECT_EQ(viewports[0].size, 16u);
        EXPECT_EQ(emf.I32(viewports[0].at + 8), row.copyWidth);
        EXPECT_EQ(emf.I32(viewports[0].at + 12), row.copyHeight);
    }
    // Drawing units whatever the scale.
    EXPECT_EQ(emf.Fills().front(), (Fill{{0, 0, 226, 154}, Colour::White}));
    // Record bounds in reference pixels of the copy: the bars, x 22 to 212
    // and y 6 to 137, and the leading digit's cell, x 0 to 11, y 128 to 148.
    const auto bars = emf.Of(0x5B);
    ASSERT_EQ(bars.size(), 1u);
    const auto scaled = [&](int v, int full, int copy) { return v * copy / full; };
    EXPECT_EQ(
        emf.RectAt(bars[0].at + 8),
        (Rect{scaled(22, 226, row.copyWidth), scaled(6, 154, row.copyHeight),
              (212 * row.copyWidth + 225) / 226 - 1, (137 * row.copyHeight + 153) / 154 - 1}));
    const auto texts = emf.Of(0x54);
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(emf.RectAt(texts[0].at + 8),
              (Rect{0, scaled(128, 154, row.copyHeight), (11 * row.copyWidth + 225) / 226 - 1,
                    (148 * row.copyHeight + 153) / 154 - 1}));
    // The text records' scales as GDI writes them in GM_COMPATIBLE.
    const auto scales = emf.Scales();
    ASSERT_EQ(scales.size(), 3u);
    for (const auto& [x, y] : scales) {
        EXPECT_FLOAT_EQ(x, row.exScale);
        EXPECT_FLOAT_EQ(y, row.eyScale);
    }
}

// Scales on the 1920 x 1080 pixel, 508 x 286 mm screen: 100 x mm / pixels
// x copy / picture, e.g. 100 x 508 / 1920 x 83 / 226 = 9.71699...
const MappingRow kMappingRows[] = {
    /* 0*/ {0, 100, false, 226, 154, 26.458334f, 26.481482f},
    /* 1*/ {1, 150, true, 339, 231, 39.6875f, 39.722221f},
    /* 2*/ {2, 37, true, 83, 56, 9.7169981f, 9.6296301f},
};

INSTANTIATE_TEST_SUITE_P(, CopyMapping, testing::ValuesIn(kMappingRows),
                         [](const auto& info) { return "row" + std::to_string(info.param.row); });

struct BarsRow {
    int row;
    SymbologyKind kind;
    Style style;
    int width, height;
    int barsLeft, barsRight, y1, y2;
    int guardBottom;          // 0: no extended guards
    std::vector<Rect> frame;  // the ring's four sides
};

class BarsAsDrawn : public testing::TestWithParam<BarsRow> {};

// The polygons are the drawing's rectangles, in its order and colours.
TEST_P(BarsAsDrawn, PolygonsAreTheLayoutsRectangles) {
    const BarsRow& row = GetParam();
    const Written written = Write(DefaultJob(row.kind, row.style));
    const std::vector<Fill> fills = written.emf.Fills();
    EXPECT_EQ(fills, written.drawn);
    ASSERT_EQ(fills.size(), 1 + row.frame.size() + written.layout.P + 1);
    EXPECT_EQ(fills[0], (Fill{{0, 0, row.width, row.height}, Colour::White}));
    for (std::size_t i = 0; i < row.frame.size(); ++i)
        EXPECT_EQ(fills[1 + i], (Fill{row.frame[i], Colour::Black}));
    const std::size_t first = 1 + row.frame.size();
    EXPECT_EQ(fills[first].rect.left, row.barsLeft);
    EXPECT_EQ(fills.back().rect.right, row.barsRight);
    int guards = 0;
    for (std::size_t i = first; i < fills.size(); ++i) {
        EXPECT_EQ(fills[i].colour, Colour::Black);
        EXPECT_EQ(fills[i].rect.top, row.y1);
        if (fills[i].rect.bottom == row.guardBottom) {
            ++guards;
            EXPECT_EQ(fills[i].rect.right - fills[i].rect.left, 2);
        } else {
            EXPECT_EQ(fills[i].rect.bottom, row.y2);
        }
    }
    EXPECT_EQ(guards, row.guardBottom ? 6 : 0);
}

// clang-format off
const BarsRow kBarsRows[] = {
    /* 0*/ {0, SymbologyKind::Jan13, Style::Guards, 226, 154, 22, 212, 6, 126, 137, {}},
    /* 1*/ {1, SymbologyKind::Jan13, Style::Plain, 226, 152, 22, 212, 6, 126, 0, {}},
    /* 2*/ {2, SymbologyKind::Jan13, Style::Prefixed, 226, 152, 22, 212, 6, 126, 0, {}},
    /* 3*/ {3, SymbologyKind::Jan8, Style::Guards, 170, 154, 22, 156, 6, 126, 137, {}},
    /* 4*/ {4, SymbologyKind::Jan8, Style::Plain, 170, 152, 22, 156, 6, 126, 0, {}},
    /* 5*/ {5, SymbologyKind::Itf14, Style::Framed, 313, 167, 36, 277, 16, 136, 0,
            {{6, 6, 307, 16}, {6, 136, 307, 146}, {6, 16, 16, 136}, {297, 16, 307, 136}}},
    /* 6*/ {6, SymbologyKind::Itf14, Style::Open, 293, 147, 26, 267, 6, 126, 0, {}},
    /* 7*/ {7, SymbologyKind::Itf16, Style::Framed, 345, 167, 36, 309, 16, 136, 0,
            {{6, 6, 339, 16}, {6, 136, 339, 146}, {6, 16, 16, 136}, {329, 16, 339, 136}}},
    /* 8*/ {8, SymbologyKind::Itf16, Style::Open, 325, 147, 26, 299, 6, 126, 0, {}},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(, BarsAsDrawn, testing::ValuesIn(kBarsRows),
                         [](const auto& info) { return "row" + std::to_string(info.param.row); });

struct TextRow {
    int row;
    SymbologyKind kind;
    Style style;
    std::vector<Text> texts;
    int measured;  // calls of the measurement
};

class TextRecords : public testing::TestWithParam<TextRow> {};

TEST_P(TextRecords, ReferencePointStringAndAdvances) {
    const TextRow& row = GetParam();
    const Written written = Write(DefaultJob(row.kind, row.style));
    EXPECT_EQ(written.emf.Texts(), row.texts);
    EXPECT_EQ(written.measureCalls, row.measured);
}

// Advances of the fake font: half the cell plus the character code mod 3
// ("0" 48 -> +0, "1" -> +1, "2" -> +2, "4" 52 -> +1, " " 32 -> +2, "T" 84 -> +0).
// clang-format off
const TextRow kTextRows[] = {
    /* 0*/ {0, SymbologyKind::Jan13, Style::Guards,
            {{0, 128, u"4", {11}},
             {29, 128, u"901234", {10, 10, 11, 12, 10, 11}},
             {121, 128, u"567894", {12, 10, 11, 12, 10, 11}}}, 3},
    // 4901234567894 in FS 18 is 128 wide, (226 - 128) div 2 = 49; measured
    // once for centring and drawing both.
    /* 1*/ {1, SymbologyKind::Jan13, Style::Plain,
            {{49, 128, u"4901234567894", {10, 9, 9, 10, 11, 9, 10, 11, 9, 10, 11, 9, 10}}}, 1},
    // 137 wide: (226 - 137) div 2 = 44.
    /* 2*/ {2, SymbologyKind::Jan13, Style::Prefixed,
            {{44, 128, u"T4901234567894", {9, 10, 9, 9, 10, 11, 9, 10, 11, 9, 10, 11, 9, 10}}}, 1},
    /* 3*/ {3, SymbologyKind::Jan8, Style::Guards,
            {{29, 128, u"4901", {11, 10, 10, 11}}, {93, 128, u"2347", {12, 10, 11, 11}}}, 2},
    // 17 characters in FS 13, 120 wide: (313 - 120) div 2 = 96.
    /* 4*/ {4, SymbologyKind::Itf14, Style::Framed,
            {{96, 148, u"149 01234 56789 1",
              {7, 7, 6, 8, 6, 7, 8, 6, 7, 8, 8, 6, 7, 8, 6, 8, 7}}}, 1},
    /* 5*/ {5, SymbologyKind::Itf14, Style::NoText, {}, 0},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(, TextRecords, testing::ValuesIn(kTextRows),
                         [](const auto& info) { return "row" + std::to_string(info.param.row); });

Page PageOf(int width, int height) {
    return {width, height, width, height, {100, 100}, {}, 96};
}

// The symbol's face in the ANSI character set, one font record per height
// where a run first needs it, selected again by its handle.
TEST(EmfWriterFonts, OneRecordPerDistinctHeightZeroFilled) {
    std::vector<Mark> marks;
    for (const int height : {20, 20, 13, 20, 7}) marks.push_back(TextRun{{1, 2}, height, "7", {5}});
    const EmfReader emf(EmfOf(PageOf(100, 50), marks));
    const auto fonts = emf.Of(0x52);
    ASSERT_EQ(fonts.size(), 3u);
    struct Want {
        std::uint32_t handle;
        int height;
    };
    const Want wants[] = {{1, 20}, {2, 13}, {3, 7}};
    for (std::size_t i = 0; i < fonts.size(); ++i) {
        SCOPED_TRACE(i);
        const std::size_t at = fonts[i].at;
        EXPECT_EQ(fonts[i].size, 104u) << "a plain LOGFONTW";
        EXPECT_EQ(emf.U32(at + 8), wants[i].handle);
        EXPECT_EQ(emf.I32(at + 12), wants[i].height);
        EXPECT_EQ(emf.I32(at + 16), 0) << "width";
        EXPECT_EQ(emf.I32(at + 20), 0) << "escapement";
        EXPECT_EQ(emf.I32(at + 24), 0) << "orientation";
        EXPECT_EQ(emf.I32(at + 28), 400) << "weight";
        EXPECT_EQ(emf.U32(at + 32), 0u) << "italic, underline, strike-out, ANSI charset";
        EXPECT_EQ(emf.U32(at + 36), 0u) << "precisions, quality, pitch and family";
        std::u16string face;
        for (std::size_t c = 0; c < 32; ++c) {
            const char16_t unit = static_cast<char16_t>(emf.U16(at + 40 + 2 * c));
            if (c < 4)
                face += unit;
            else
                EXPECT_EQ(unit, 0) << "face name not zero-filled at " << c;
        }
        EXPECT_EQ(face, u"OCRB");
    }
    // Selected on every change, back to an earlier font by its handle;
    // after the ground's pen and brush.
    std::vector<std::uint32_t> selected;
    for (const auto& r : emf.Of(0x25)) selected.push_back(emf.U32(r.at + 8));
    EXPECT_EQ(selected, (std::vector<std::uint32_t>{kNullPen, kWhiteBrush, 1, 2, 1, 3}));
    EXPECT_EQ(emf.U16(56), 4u) << "handles";
    EXPECT_EQ(emf.Of(0x12).size(), 1u) << "transparent once";
    EXPECT_EQ(emf.Of(0x54).size(), 5u) << "a text record per run";
}

struct FillRow {
    int row;
    std::vector<Rect> ground;
    std::vector<Mark> marks;
    std::vector<std::vector<Fill>> records;  // each polygon record's rectangles
};

class FillBatches : public testing::TestWithParam<FillRow> {};

// The ground in white, then the black rectangles: one record per run of
// one colour without overlaps.
TEST_P(FillBatches, Batched) {
    const FillRow& row = GetParam();
    const EmfReader emf(WriteEmf(Drawing(PageOf(100, 50), kScreen, row.ground, row.marks), {}));
    std::vector<std::vector<Fill>> records;
    const std::vector<Fill> fills = emf.Fills();
    std::size_t next = 0;
    for (const auto& r : emf.records) {
        if (r.type != 0x56 && r.type != 0x5B) continue;
        const std::size_t count = r.type == 0x56 ? 1 : emf.U32(r.at + 24);
        EXPECT_EQ(r.type == 0x56, count == 1) << "a single rectangle is a POLYGON16";
        records.emplace_back(fills.begin() + next, fills.begin() + next + count);
        next += count;
    }
    EXPECT_EQ(records, row.records);
}

constexpr Colour W = Colour::White;
constexpr Colour B = Colour::Black;
// clang-format off
const FillRow kFillRows[] = {
    /* 0*/ {0, {{0, 0, 100, 50}}, {Bars{{{1, 1, 3, 9}, {5, 1, 6, 9}}}},
            {{{{0, 0, 100, 50}, W}}, {{{1, 1, 3, 9}, B}, {{5, 1, 6, 9}, B}}}},
    // A page widened to the printer's dots: its ground in one record.
    /* 1*/ {1, {{90, 0, 100, 50}, {0, 40, 90, 50}, {0, 0, 90, 40}}, {Bars{{{90, 40, 100, 50}}}},
            {{{{90, 0, 100, 50}, W}, {{0, 40, 90, 50}, W}, {{0, 0, 90, 40}, W}},
             {{{90, 40, 100, 50}, B}}}},
    /* 2*/ {2, {}, {}, {}},
    // Touching rectangles share a record, overlapping ones do not.
    /* 3*/ {3, {}, {Bars{{{1, 1, 3, 9}, {3, 1, 5, 9}, {4, 1, 6, 9}}}},
            {{{{1, 1, 3, 9}, B}, {{3, 1, 5, 9}, B}}, {{{4, 1, 6, 9}, B}}}},
    // Text between bars ends their record.
    /* 4*/ {4, {}, {Bars{{{1, 1, 3, 9}}}, TextRun{{10, 10}, 10, "1", {5}}, Bars{{{6, 1, 7, 9}}}},
            {{{{1, 1, 3, 9}, B}}, {{{6, 1, 7, 9}, B}}}},
    // Runs of rectangles one after another, an empty one among them, share
    // a record; an overlap with an earlier run's rectangle starts one.
    /* 5*/ {5, {}, {Bars{{{1, 1, 3, 9}}}, Bars{}, Bars{{{5, 1, 6, 9}, {7, 1, 8, 9}}}, Bars{{{2, 8, 9, 9}}}},
            {{{{1, 1, 3, 9}, B}, {{5, 1, 6, 9}, B}, {{7, 1, 8, 9}, B}}, {{{2, 8, 9, 9}, B}}}},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(, FillBatches, testing::ValuesIn(kFillRows),
                         [](const auto& info) { return "row" + std::to_string(info.param.row); });

TEST(EmfWriterOutput, SameJobSameBytes) {
    const BarcodeJob job = DefaultJob(SymbologyKind::Itf16, Style::Framed);
    const auto once = [&] {
        const SymbolLayout layout = LayOut(job);
        FakeFont font;
        return EmfOf({layout.W, layout.H, layout.W * 3 / 2, layout.H * 3 / 2, {9000, 4000}, {}, 96},
                     MarksOf(job, layout, font.Measure()));
    };
    const std::vector<std::uint8_t> first = once();
    EXPECT_EQ(first, once());
    EXPECT_EQ(first.size() % 4, 0u);
}

// The digits as outlines (/ol): no font and no text record, one polygon
// record per text whose points lie in that text's cell (the cell of the
// same job's text record, measured by OCR-B's advances of 723 in a cell of
// 1274 font units), and the same bytes every time.
TEST(EmfWriterOutput, OutlinedDigits) {
    struct Row {
        SymbologyKind kind;
        Style style;
        int texts;
    };
    const Grid fine{32, 80, 0};  // 16 units a half module
    for (const Row row : {Row{SymbologyKind::Jan13, Style::Guards, 13},
                          Row{SymbologyKind::Jan8, Style::Prefixed, 1},
                          Row{SymbologyKind::Itf14, Style::Framed, 1}}) {
        SCOPED_TRACE(static_cast<int>(row.kind));
        BarcodeJob job = DefaultJob(row.kind, row.style);
        job.OutlinedText = true;
        const std::string pattern = EncodeForKind(job.Kind, job.Digits);
        const SymbolLayout layout = LayOut(job, fine, pattern);
        const auto write = [&] {
            return EmfOf({layout.W, layout.H, layout.W / 16, layout.H / 16, {9000, 4000}, {}, 96},
                         MarksOf(job, layout));
        };
        const std::vector<std::uint8_t> bytes = write();
        EXPECT_EQ(bytes, write());
        const EmfReader emf(bytes);
        EXPECT_TRUE(emf.Of(0x54).empty()) << "no text record";
        EXPECT_TRUE(emf.Of(0x52).empty()) << "no font";

        // The cells of the texts as the job draws them (a JAN-13's digits
        // one by one, under their characters).
        RecordingCells cells(723, 1274);
        DrawSymbol(job, pattern, layout, cells);
        ASSERT_EQ(cells.cells.size(), static_cast<std::size_t>(row.texts));

        // The outlines: the polygon records after the bars' whose polygons
        // are no rectangles.
        std::vector<Rect> inks;
        for (const EmfReader::Record& r : emf.Of(0x5B)) {
            const std::uint32_t polygons = emf.U32(r.at + 24);
            if (emf.U32(r.at + 28) == 4 * polygons) continue;  // rectangles
            std::size_t at = r.at + 32 + 4 * polygons;
            Rect ink{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
            for (std::uint32_t i = 0; i < emf.U32(r.at + 28); ++i, at += 4) {
                ink.left = std::min<int>(ink.left, emf.I16(at));
                ink.right = std::max<int>(ink.right, emf.I16(at));
                ink.top = std::min<int>(ink.top, emf.I16(at + 2));
                ink.bottom = std::max<int>(ink.bottom, emf.I16(at + 2));
            }
            inks.push_back(ink);
        }
        ASSERT_EQ(inks.size(), cells.cells.size());
        for (std::size_t i = 0; i < inks.size(); ++i) {
            SCOPED_TRACE(i);
            const Rect& cell = cells.cells[i];
            EXPECT_GE(inks[i].left, cell.left);
            EXPECT_LE(inks[i].right, cell.right);
            EXPECT_GE(inks[i].top, cell.top);
            EXPECT_LE(inks[i].bottom, cell.bottom);
            // The digits fill most of the cell: wider than a quarter of it
            // (a lone 1 is narrow), and as high as OCR-B's digits (773 of
            // 1274 font units).
            EXPECT_GT(inks[i].right - inks[i].left, (cell.right - cell.left) / 4);
            EXPECT_GT(inks[i].bottom - inks[i].top, (cell.bottom - cell.top) * 55 / 100);
        }
    }
}

TEST(EmfWriterOutput, DefaultSymbolSizes) {
    // Printed for the record; the reader has checked every byte's place.
    // The ceilings are the sizes of another generator's metafiles of the
    // same symbols (EAN-13, EAN-8, ITF-14 and 16-digit 2 of 5 in a box).
    struct Row {
        const char* name;
        BarcodeJob job;
        std::size_t ceiling;
    };
    const Row rows[] = {
        {"/j13", DefaultJob(SymbologyKind::Jan13, Style::Guards), 1404},
        {"/j8", DefaultJob(SymbologyKind::Jan8, Style::Guards), 1112},
        {"/i14f", DefaultJob(SymbologyKind::Itf14, Style::Framed), 1552},
        {"/i16f", DefaultJob(SymbologyKind::Itf16, Style::Framed), 1676},
    };
    for (const Row& row : rows) {
        const Written written = Write(row.job);
        std::printf("%-6s %zu bytes, %zu records\n", row.name, written.emf.size(),
                    written.emf.records.size());
        EXPECT_LT(written.emf.size(), row.ceiling) << row.name;
    }
}

struct PageRow {
    int row;
    Page page;
    ScreenFigures screen;
    std::vector<Mark> marks;
    const char* error;
};

class BadDrawing : public testing::TestWithParam<PageRow> {};

// What no format could write is refused where the drawing is made.
TEST_P(BadDrawing, Refused) {
    const PageRow& row = GetParam();
    try {
        const Drawing drawing(row.page, row.screen, {}, row.marks);
        ADD_FAILURE() << "no error";
    } catch (const std::invalid_argument& error) {
        EXPECT_STREQ(error.what(), row.error);
    }
}

constexpr Page kPage{226, 154, 226, 154, {1, 1}, {}, 96};

Page With(Page page, void (*change)(Page&)) {
    change(page);
    return page;
}

// clang-format off
const PageRow kPageRows[] = {
    /* 0*/ {0, With(kPage, [](Page& p) { p.width = 0; }), kScreen, {}, "a picture side outside 1 to 32767"},
    /* 1*/ {1, With(kPage, [](Page& p) { p.copyHeight = 32768; }), kScreen, {}, "a picture side outside 1 to 32767"},
    /* 2*/ {2, With(kPage, [](Page& p) { p.width = 32768; }), kScreen, {}, "a picture side outside 1 to 32767"},
    /* 3*/ {3, With(kPage, [](Page& p) { p.copyWidth = -226; }), kScreen, {}, "a picture side outside 1 to 32767"},
    /* 4*/ {4, With(kPage, [](Page& p) { p.frame = {0, 1}; }), kScreen, {}, "a frame without area"},
    /* 5*/ {5, kPage, {1920, 0, 508, 286}, {}, "screen figures without area"},
    /* 6*/ {6, kPage, {1920, 1080, 508, 0}, {}, "screen figures without area"},
    /* 7*/ {7, With(kPage, [](Page& p) { p.dotsPerInch = 0; }), kScreen, {}, "a picture without a resolution"},
    // Marks: no writer clips, so nothing may lie beyond the page.
    /* 8*/ {8, kPage, kScreen, {Bars{{{1, 1, 2, 2}, {220, 0, 227, 10}}}}, "a mark outside the page"},
    /* 9*/ {9, kPage, kScreen, {Bars{{{4, 4, 4, 9}}}}, "a rectangle without area"},
    /*10*/ {10, kPage, kScreen, {Bars{{{1, 1, 2, 2}}}, Bars{{{8, 9, 4, 4}}}}, "a rectangle without area"},
    /*11*/ {11, kPage, kScreen, {TextRun{{200, 140}, 20, "12", {10, 10}}}, "a mark outside the page"},
    /*12*/ {12, kPage, kScreen, {TextRun{{0, 0}, 20, "12", {10}}}, "a text run without one advance per character"},
    /*13*/ {13, kPage, kScreen, {Outlines{{{{0, 0}, {5, 5}}}}}, "an outline enclosing nothing"},
    /*14*/ {14, kPage, kScreen, {Outlines{{{{-1, 0}, {5, 0}, {5, 5}}}}}, "a mark outside the page"},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(, BadDrawing, testing::ValuesIn(kPageRows),
                         [](const auto& info) { return "row" + std::to_string(info.param.row); });

TEST(EmfWriterPage, LargestSideIsWritten) {
    const Drawing drawing({32767, 1, 32767, 1, {1, 1}, {}, 96}, kScreen, {},
                          {Bars{{{0, 0, 32767, 1}}}});
    const EmfReader emf(WriteEmf(drawing, {}));
    EXPECT_EQ(emf.Fills(), (std::vector<Fill>{{{0, 0, 32767, 1}, Colour::Black}}));
}

struct FrameRow {
    int row;
    std::int32_t width, height;
    ScreenFigures screen;
    int moduleWidth, rate;  // module width 0: from the screen
    FrameSize frame;
};

class Frames : public testing::TestWithParam<FrameRow> {};

TEST_P(Frames, RoundedToTheNearest) {
    const FrameRow& row = GetParam();
    EXPECT_EQ(row.moduleWidth
                  ? FrameFromModuleWidth(row.width, row.height, row.moduleWidth, row.rate)
                  : FrameFromScreen(row.width, row.height, row.screen),
              row.frame);
}

// clang-format off
const FrameRow kFrameRows[] = {
    /* 0*/ {0, 226, 154, kScreen, 0, 0, {5980, 4078}},
    /* 1*/ {1, 1, 1, {1024, 768, 270, 203}, 0, 0, {26, 26}},
    // 1 x 100 / 8 = 12.5 and 3 x 100 / 8 = 37.5: halves away from zero.
    /* 2*/ {2, 1, 3, {8, 8, 1, 1}, 0, 0, {13, 38}},
    /* 3*/ {3, 32767, 32767, {1, 1, 2147483, 2147483}, 0, 0, {2147483647, 2147483647}},
    /* 4*/ {4, 226, 154, kScreen, 33, 100, {3729, 2541}},
    /* 5*/ {5, 226, 154, kScreen, 200, 500, {113000, 77000}},
    // A frame of no size would divide by zero on playback: at least .01 mm.
    /* 6*/ {6, 1, 1, kScreen, 10, 1, {1, 1}},
    // 3 x 10 x 10 / 200 = 1.5.
    /* 7*/ {7, 3, 1, kScreen, 10, 10, {2, 1}},
    /* 8*/ {8, 32767, 32767, kScreen, 200, 2147483647, {2147483647, 2147483647}},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(, Frames, testing::ValuesIn(kFrameRows),
                         [](const auto& info) { return "row" + std::to_string(info.param.row); });

TEST(ScreenFrame, ScreenWithoutPixelsIsRefused) {
    EXPECT_THROW(FrameFromScreen(226, 154, {0, 1080, 508, 286}), std::invalid_argument);
}

struct FramePixelRow {
    int row;
    FrameSize frame;
    ScreenFigures screen;
    PixelSize pixels;
};

class FramePixels : public testing::TestWithParam<FramePixelRow> {};

TEST_P(FramePixels, RoundedToTheNearestAtLeastOne) {
    const FramePixelRow& row = GetParam();
    EXPECT_EQ(PixelsOfFrame(row.frame, row.screen), row.pixels);
}

// clang-format off
const FramePixelRow kFramePixelRows[] = {
    // 3729 x 1024 / 27000 = 141.4, 2541 x 768 / 20300 = 96.1.
    /* 0*/ {0, {3729, 2541}, {1024, 768, 270, 203}, {141, 96}},
    // .01 mm is 0.04 pixels: still one.
    /* 1*/ {1, {1, 1}, kScreen, {1, 1}},
    // 50 x 2 / 100 = 1 and 75 x 2 / 100 = 1.5: halves away from zero.
    /* 2*/ {2, {50, 75}, {2, 2, 1, 1}, {1, 2}},
    /* 3*/ {3, {2147483647, 2147483647}, {2147483647, 2147483647, 1, 1}, {2147483647, 2147483647}},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(, FramePixels, testing::ValuesIn(kFramePixelRows),
                         [](const auto& info) { return "row" + std::to_string(info.param.row); });

TEST(FramePixelsScreen, ScreenWithoutMillimetresIsRefused) {
    EXPECT_THROW(PixelsOfFrame({3729, 2541}, {1024, 768, 0, 203}), std::invalid_argument);
}

#ifdef _WIN32

// The bytes played by GDI into a 24-bit top-down DIB of width x height,
// first filled magenta: neither the white ground nor the font's smoothed
// edges (shades of grey) can be taken for a pixel left unpainted.
class Played {
public:
    enum class Shade { Unpainted, White, Black, Other };

    Played(const std::vector<std::uint8_t>& bytes, int width, int height, const RECT& target)
        : width_(width), stride_((width * 3 + 3) / 4 * 4) {
        picture_ = ::SetEnhMetaFileBits(static_cast<UINT>(bytes.size()), bytes.data());
        if (!picture_ || ::GetEnhMetaFileHeader(picture_, sizeof header, &header) != sizeof header)
            return;
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;  // top-down
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        info.bmiHeader.biCompression = BI_RGB;
        dc_ = ::CreateCompatibleDC(nullptr);
        void* bits = nullptr;
        dib_ = ::CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (!dib_) return;
        old_ = ::SelectObject(dc_, dib_);
        bits_ = static_cast<const std::uint8_t*>(bits);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                std::uint8_t* pixel = static_cast<std::uint8_t*>(bits) + y * stride_ + 3 * x;
                pixel[0] = pixel[2] = 0xFF;  // blue and red
                pixel[1] = 0;
            }
        }
        played = ::PlayEnhMetaFile(dc_, picture_, &target) != FALSE;
        ::GdiFlush();
    }
    Played(const Played&) = delete;
    Played& operator=(const Played&) = delete;
    ~Played() {
        if (old_) ::SelectObject(dc_, old_);
        if (dib_) ::DeleteObject(dib_);
        if (dc_) ::DeleteDC(dc_);
        if (picture_) ::DeleteEnhMetaFile(picture_);
    }

    Shade At(int x, int y) const {
        const std::uint8_t* pixel = bits_ + static_cast<std::size_t>(y) * stride_ + 3 * x;
        if (pixel[0] == 0xFF && pixel[1] == 0 && pixel[2] == 0xFF) return Shade::Unpainted;
        if (pixel[0] == 0xFF && pixel[1] == 0xFF && pixel[2] == 0xFF) return Shade::White;
        if (pixel[0] == 0 && pixel[1] == 0 && pixel[2] == 0) return Shade::Black;
        return Shade::Other;
    }

    ENHMETAHEADER header{};
    bool played = false;

private:
    int width_;
    int stride_;
    HENHMETAFILE picture_ = nullptr;
    HDC dc_ = nullptr;
    HBITMAP dib_ = nullptr;
    HGDIOBJ old_ = nullptr;
    const std::uint8_t* bits_ = nullptr;
};

// GDI plays the written bytes: the header reads back as written, and the
// polygons cover exactly the drawing's rectangles at 100 %.
struct PlaybackRow {
    int row;
    SymbologyKind kind;
    Style style;
    ScreenFigures screen;
};

class GdiPlayback : public testing::TestWithParam<PlaybackRow> {};

TEST_P(GdiPlayback, CoversTheDrawnRectanglesExactly) {
    const PlaybackRow& row = GetParam();
    const BarcodeJob job = DefaultJob(row.kind, row.style);
    const SymbolLayout layout = LayOut(job);
    const Page page{
        layout.W, layout.H, layout.W, layout.H, FrameFromScreen(layout.W, layout.H, row.screen),
        {},       96};
    FakeFont font;
    const std::vector<Mark> marks = MarksOf(job, layout, font.Measure());
    const std::vector<std::uint8_t> bytes = EmfOf(page, marks, row.screen);
    const EmfReader emf(bytes);

    // Played into exactly W x H.
    const Played played(bytes, layout.W, layout.H, {0, 0, layout.W, layout.H});
    ASSERT_TRUE(played.played);
    const ENHMETAHEADER& header = played.header;
    EXPECT_EQ(header.nBytes, bytes.size());
    EXPECT_EQ(header.nRecords, emf.records.size());
    EXPECT_EQ(header.nHandles, 2u);
    EXPECT_EQ(header.rclBounds.right, layout.W - 1);
    EXPECT_EQ(header.rclFrame.right, page.frame.width);
    EXPECT_EQ(header.szlDevice.cx, row.screen.widthPixels);
    EXPECT_EQ(header.szlMicrometers.cy, row.screen.heightMm * 1000);

    std::vector<Colour> want(static_cast<std::size_t>(layout.W) * layout.H, Colour::White);
    std::vector<Fill> fills{{{0, 0, layout.W, layout.H}, Colour::White}};
    for (const Mark& mark : marks)
        if (const Bars* bars = std::get_if<Bars>(&mark))
            for (const Rect& rect : bars->rects) fills.push_back({rect, Colour::Black});
    for (const Fill& fill : fills) {
        for (int y = fill.rect.top; y < fill.rect.bottom; ++y)
            for (int x = fill.rect.left; x < fill.rect.right; ++x)
                want[static_cast<std::size_t>(y) * layout.W + x] = fill.colour;
    }
    std::vector<Rect> cells;
    const int cellHeight = row.style == Style::Guards ? 20 : job.FontSize;
    for (const Text& text : emf.Texts()) {
        int width = 0;
        for (const std::int32_t advance : text.dx) width += advance;
        cells.push_back({text.x, text.y, text.x + width, text.y + cellHeight});
    }
    int wrong = 0;
    for (int y = 0; y < layout.H; ++y) {
        for (int x = 0; x < layout.W; ++x) {
            // Text cells are the font's; the rectangles are checked outside them.
            if (std::any_of(cells.begin(), cells.end(), [&](const Rect& c) {
                    return x >= c.left && x < c.right && y >= c.top && y < c.bottom;
                }))
                continue;
            const Played::Shade shade =
                want[static_cast<std::size_t>(y) * layout.W + x] == Colour::Black
                    ? Played::Shade::Black
                    : Played::Shade::White;
            if (played.At(x, y) != shade && ++wrong <= 5)
                ADD_FAILURE() << "pixel " << x << "," << y;
        }
    }
    EXPECT_EQ(wrong, 0);
}

// clang-format off
const PlaybackRow kPlaybackRows[] = {
    /* 0*/ {0, SymbologyKind::Jan13, Style::Guards, kScreen},
    /* 1*/ {1, SymbologyKind::Jan8, Style::Guards, {1024, 768, 270, 203}},
    /* 2*/ {2, SymbologyKind::Itf14, Style::Framed, kScreen},
    /* 3*/ {3, SymbologyKind::Itf16, Style::Open, {1280, 1024, 338, 270}},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(, GdiPlayback, testing::ValuesIn(kPlaybackRows),
                         [](const auto& info) { return "row" + std::to_string(info.param.row); });

// With a module width the copy is the frame's own reference pixels. A
// consumer that sizes the picture by its frame converts the frame with
// szlDevice / szlMillimeters (PlayEnhMetaFile does, Wine's
// test_mf_conversions in dlls/gdi32/tests/metafile.c) and plays it into
// that rectangle: the drawing covers exactly the rectangle, nothing beyond.
struct FramePlaybackRow {
    int row;
    SymbologyKind kind;
    Style style;
    int moduleWidth;  // .01 mm
    int rate;
    ScreenFigures screen;
};

class GdiFramePlayback : public testing::TestWithParam<FramePlaybackRow> {};

TEST_P(GdiFramePlayback, DrawingCoversTheFrameExactly) {
    const FramePlaybackRow& row = GetParam();
    const BarcodeJob job = DefaultJob(row.kind, row.style);
    const SymbolLayout layout = LayOut(job);
    Page page{layout.W,
              layout.H,
              0,
              0,
              FrameFromModuleWidth(layout.W, layout.H, row.moduleWidth, row.rate),
              {},
              96};
    const PixelSize copy = PixelsOfFrame(page.frame, row.screen);
    page.copyWidth = copy.width;
    page.copyHeight = copy.height;
    FakeFont font;
    const std::vector<std::uint8_t> bytes =
        EmfOf(page, MarksOf(job, layout, font.Measure()), row.screen);

    // The frame's rectangle in reference pixels, by the header's figures.
    const int width = ::MulDiv(page.frame.width, row.screen.widthPixels, 100 * row.screen.widthMm);
    const int height =
        ::MulDiv(page.frame.height, row.screen.heightPixels, 100 * row.screen.heightMm);
    const int margin = 8;  // right and below, where nothing may be drawn
    const Played played(bytes, width + margin, height + margin, {0, 0, width, height});
    ASSERT_TRUE(played.played);
    int black = 0;
    int wrong = 0;
    for (int y = 0; y < height + margin; ++y) {
        for (int x = 0; x < width + margin; ++x) {
            const Played::Shade shade = played.At(x, y);
            const bool inside = x < width && y < height;
            // Inside, the digits' smoothed edges may take any shade.
            const bool ok = inside == (shade != Played::Shade::Unpainted);
            if (shade == Played::Shade::Black) ++black;
            if (!ok && ++wrong <= 5)
                ADD_FAILURE() << "pixel " << x << "," << y << (inside ? " not drawn" : " drawn");
        }
    }
    EXPECT_EQ(wrong, 0) << "frame " << width << " x " << height << ", copy " << copy.width << " x "
                        << copy.height;
    EXPECT_GT(black, 0) << "no bars";
}

// clang-format off
const FramePlaybackRow kFramePlaybackRows[] = {
    // 113 x 0.33 mm = 37.29 mm, 141 pixels of a 96 dpi screen.
    /* 0*/ {0, SymbologyKind::Jan13, Style::Guards, 33, 100, {1024, 768, 270, 203}},
    /* 1*/ {1, SymbologyKind::Jan13, Style::Guards, 33, 200, {1024, 768, 270, 203}},
    /* 2*/ {2, SymbologyKind::Jan13, Style::Plain, 33, 100, kScreen},
    /* 3*/ {3, SymbologyKind::Jan8, Style::Guards, 200, 150, kScreen},
    // Pictures a few pixels high: the font's smallest rendering would outgrow
    // its cell, so these are without text.
    /* 4*/ {4, SymbologyKind::Itf14, Style::NoText, 10, 37, kScreen},
    /* 5*/ {5, SymbologyKind::Itf14, Style::Framed, 50, 100, {1280, 1024, 338, 270}},
    /* 6*/ {6, SymbologyKind::Itf16, Style::Open, 50, 500, {1024, 768, 270, 203}},
    /* 7*/ {7, SymbologyKind::Itf16, Style::NoText, 25, 10, {1280, 1024, 338, 270}},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(, GdiFramePlayback, testing::ValuesIn(kFramePlaybackRows),
                         [](const auto& info) { return "row" + std::to_string(info.param.row); });

// The scales of GDI's own text record, made on a metafile DC over the
// screen with the same window and viewport, are the writer's: within
// 0.001, as Wine's test_ExtTextOutScale in dlls/gdi32/tests/metafile.c
// checks them on Windows.
class GdiTextScale : public testing::TestWithParam<int> {};

TEST_P(GdiTextScale, AsGdiRecordsThem) {
    const int rate = GetParam();
    HDC screenDc = ::GetDC(nullptr);
    ASSERT_NE(screenDc, nullptr);
    const ScreenFigures screen{
        ::GetDeviceCaps(screenDc, HORZRES), ::GetDeviceCaps(screenDc, VERTRES),
        ::GetDeviceCaps(screenDc, HORZSIZE), ::GetDeviceCaps(screenDc, VERTSIZE)};
    const Written written = Write(DefaultJob(SymbologyKind::Jan13, Style::Guards), rate, screen);
    const Page& page = written.page;

    HDC recorder = ::CreateEnhMetaFileW(screenDc, nullptr, nullptr, nullptr);
    ::ReleaseDC(nullptr, screenDc);
    ASSERT_NE(recorder, nullptr);
    ::SetMapMode(recorder, MM_ANISOTROPIC);
    ::SetWindowExtEx(recorder, page.width, page.height, nullptr);
    ::SetViewportExtEx(recorder, page.copyWidth, page.copyHeight, nullptr);
    ::ExtTextOutW(recorder, 0, 0, 0, nullptr, L"4", 1, nullptr);
    HENHMETAFILE recorded = ::CloseEnhMetaFile(recorder);
    ASSERT_NE(recorded, nullptr);
    std::vector<std::uint8_t> bytes(::GetEnhMetaFileBits(recorded, 0, nullptr));
    ::GetEnhMetaFileBits(recorded, static_cast<UINT>(bytes.size()), bytes.data());
    ::DeleteEnhMetaFile(recorded);
    const auto gdi = EmfReader(bytes).Scales();
    ASSERT_EQ(gdi.size(), 1u);

    const auto ours = written.emf.Scales();
    ASSERT_FALSE(ours.empty());
    for (const auto& [x, y] : ours) {
        EXPECT_NEAR(x, gdi[0].first, 0.001);
        EXPECT_NEAR(y, gdi[0].second, 0.001);
    }
}

INSTANTIATE_TEST_SUITE_P(, GdiTextScale, testing::Values(100, 150, 37),
                         [](const auto& info) { return "rate" + std::to_string(info.param); });

#endif

}  // namespace
}  // namespace merrowin
