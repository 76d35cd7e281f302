// The file writers as their consumers read them: a RIP and Illustrator the
// EPS's DSC header, a preflight the PDF's boxes, colours and objects, a
// browser the SVG's size and paths, a viewer the PNG's chunks and pixels.
#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/version.h"
#include "render/formats/formats.h"
#include "render/formats/shared.h"

namespace merrowin {
namespace {

// 3827 x 2608 .01 mm: 108.48189 x 73.92756 points, a JAN-13 of 904 x 616
// dots at 600 dpi as /dp600 frames it.
constexpr FrameSize kFrame{3827, 2608};
constexpr std::int32_t kWidth = 904;
constexpr std::int32_t kHeight = 616;

constexpr ScreenFigures kScreen{1024, 768, 271, 203};

// A page of width x height units on kFrame at `dpi`, shown 1:1 as a
// metafile: a printer's dots (/dp), or units that are no printer's dots.
Page PageOf(std::int32_t width, std::int32_t height, std::int32_t dpi = 600, bool onDots = true) {
    return {width, height, width, height, kFrame, {}, dpi, onDots};
}

// A drawing as a picture makes one: the white ground, bars, outlined
// digits (a square "digit" with a square hole).
Drawing Sample(std::int32_t dpi = 600, bool onDots = true) {
    return Drawing(PageOf(kWidth, kHeight, dpi, onDots), kScreen, {{0, 0, kWidth, kHeight}},
                   {Bars{{{88, 24, 96, 548}, {104, 24, 112, 548}, {136, 24, 152, 504}}},
                    Outlines{{{{10, 560}, {50, 560}, {50, 600}, {10, 600}},
                              {{20, 570}, {40, 570}, {40, 590}, {20, 590}}}}});
}

// 2026-12-08 08:00:00 UTC, the files' made-at time.
constexpr std::int64_t kMadeAt = 1796716800;

// The file of `format` as text, made at `madeAt`.
std::string Written(FileFormat format, const Drawing& drawing, const char* title,
                    std::int64_t madeAt = kMadeAt) {
    const FileBytes bytes = WriteFile(format, drawing, {title, madeAt});
    return {bytes.begin(), bytes.end()};
}

std::string Inflate(std::string_view data) {
    std::string out(1 << 20, '\0');
    uLongf size = static_cast<uLongf>(out.size());
    EXPECT_EQ(
        uncompress(reinterpret_cast<Bytef*>(out.data()), &size,
                   reinterpret_cast<const Bytef*>(data.data()), static_cast<uLong>(data.size())),
        Z_OK);
    out.resize(size);
    return out;
}

struct TextRow {
    int row;
    const char* what;     // for the failure message
    const char* pattern;  // a regular expression searched for in the file
    bool present;
};

std::string RowName(const testing::TestParamInfo<TextRow>& info) {
    return "row" + std::to_string(info.param.row);
}

// --- EPS: the DSC header, black as K alone, no font, no white ----------

// clang-format off
const TextRow kEpsRows[] = {
    /*  0*/ {0, "EPSF-3.0 on the first line", R"(^%!PS-Adobe-3\.0 EPSF-3\.0\n)", true},
    /*  1*/ {1, "whole points enclosing 108.48 x 73.93", R"(\n%%BoundingBox: 0 0 109 74\n)", true},
    /*  2*/ {2, "the exact size", R"(\n%%HiResBoundingBox: 0 0 108\.4819 73\.9276\n)", true},
    /*  3*/ {3, "the code as the title", R"(\n%%Title: 4901234567894\n)", true},
    /*  4*/ {4, "the creator and its version",
             "\n%%Creator: Merrowin " MERROWIN_VERSION_TEXT "\n", true},
    /*  5*/ {5, "the language level", R"(\n%%LanguageLevel: 2\n)", true},
    /*  6*/ {6, "the header ends before the first line of code",
             R"(^(%[^\n]*\n)+%%EndComments\n[^%])", true},
    /*  7*/ {7, "process black", R"( 0 0 0 1 setcmykcolor\n)", true},
    /*  8*/ {8, "no RGB or grey", R"(setrgbcolor|setgray|sethsbcolor)", false},
    /*  9*/ {9, "no font", R"(findfont|selectfont|\bshow\b)", false},
    /* 10*/ {10, "no rectfill (a dot too wide in Ghostscript)", R"(rectfill)", false},
    /* 11*/ {11, "the outlines filled by the even-odd rule", R"(/E/eofill load def)", true},
    /* 12*/ {12, "no creation date: the same bytes every time", R"(CreationDate)", false},
    /* 13*/ {13, "ends with %%EOF", R"(\n%%EOF\n$)", true},
};
// clang-format on

class EpsFile : public testing::TestWithParam<TextRow> {};

TEST_P(EpsFile, HasWhatAConsumerReads) {
    const TextRow& row = GetParam();
    const std::string eps = Written(FileFormat::Eps, Sample(), "4901234567894");
    EXPECT_EQ(std::regex_search(eps, std::regex(row.pattern)), row.present) << row.what << "\n"
                                                                            << eps;
}

INSTANTIATE_TEST_SUITE_P(, EpsFile, testing::ValuesIn(kEpsRows), RowName);

TEST(EpsDrawing, PaintsNoWhiteAndKeepsItsLinesShort) {
    const Drawing blank(PageOf(kWidth, kHeight), kScreen, {{0, 0, kWidth, kHeight}}, {});
    const std::string eps = Written(FileFormat::Eps, blank, "1");
    EXPECT_EQ(eps.find(" Y\n"), std::string::npos) << "a white ground was painted";

    // A long outline of far steps still keeps to DSC's 255 characters a line.
    Polygon zigzag;
    for (int i = 0; i < 400; ++i) zigzag.push_back({i, i % 2 == 0 ? 0 : (i % 3 == 0 ? 200 : 13)});
    const Drawing outline(PageOf(kWidth, kHeight), kScreen, {{0, 0, kWidth, kHeight}},
                          {Outlines{{zigzag}}});
    std::size_t line = 0;
    for (const char c : Written(FileFormat::Eps, outline, "1")) {
        line = c == '\n' ? 0 : line + 1;
        ASSERT_LE(line, 255u);
    }
}

// --- PDF: boxes, colour, objects, cross-reference --------------------

// clang-format off
const TextRow kPdfRows[] = {
    /*  0*/ {0, "a PDF 1.3 header (PDF/X-1a:2001), binary", "^%PDF-1\\.3\n%\xE2\xE3\xCF\xD3\n", true},
    /*  1*/ {1, "the page is the picture", R"(/MediaBox\[0 0 108\.4819 73\.9276\])", true},
    /*  2*/ {2, "the trim box too", R"(/TrimBox\[0 0 108\.4819 73\.9276\])", true},
    /*  3*/ {3, "one page", R"(/Type/Pages/Kids\[3 0 R\]/Count 1)", true},
    /*  4*/ {4, "the title, creator and producer",
             R"(<</Title\(4901234567894\)/Creator\(Merrowin )" MERROWIN_VERSION_TEXT
             R"(\)/Producer\(Merrowin )" MERROWIN_VERSION_TEXT R"(\)/)", true},
    /*  5*/ {5, "both dates the made-at time, UTC",
             R"(/CreationDate\(D:20261208080000\+00'00'\)/ModDate\(D:20261208080000\+00'00'\))", true},
    /*  6*/ {6, "no font, no transparency, no RGB, no colour space of its own",
             R"(/Font|/SMask|/CA|/ca|/Group|DeviceRGB|/ColorSpace)", false},
    /*  7*/ {7, "the content compressed", R"(/Filter/FlateDecode)", true},
    /*  8*/ {8, "the PDF/X version and conformance, no trapping needed",
             R"(/Trapped/False/GTS_PDFXVersion\(PDF/X-1:2001\)/GTS_PDFXConformance\(PDF/X-1a:2001\)>>)", true},
    /*  9*/ {9, "the catalog's output intent",
             R"(<</Type/Catalog/Pages 2 0 R/OutputIntents\[6 0 R\]>>)", true},
    /* 10*/ {10, "Japan Color 2001 Coated by its name in the ICC's registry",
             R"(<</Type/OutputIntent/S/GTS_PDFX/OutputConditionIdentifier\(JC200103\)/RegistryName\(http://www\.color\.org\))", true},
    /* 11*/ {11, "the trailer's ID, two equal strings of 16 bytes",
             R"(/ID\[<([0-9A-F]{32})><\1>\]>>\nstartxref)", true},
};
// clang-format on

class PdfFile : public testing::TestWithParam<TextRow> {};

TEST_P(PdfFile, HasWhatAPreflightReads) {
    const TextRow& row = GetParam();
    const std::string pdf = Written(FileFormat::Pdf, Sample(), "4901234567894");
    EXPECT_EQ(std::regex_search(pdf, std::regex(row.pattern)), row.present) << row.what;
}

INSTANTIATE_TEST_SUITE_P(, PdfFile, testing::ValuesIn(kPdfRows), RowName);

// The content: process black alone, bars as filled rectangles, the digits
// by the even-odd rule, nothing white; and every object where the
// cross-reference table says it is.
TEST(PdfDrawing, ContentAndCrossReference) {
    const std::string pdf = Written(FileFormat::Pdf, Sample(), "4901234567894");
    const std::size_t stream = pdf.find("stream\n") + 7;
    const std::string content = Inflate(pdf.substr(stream, pdf.find("\nendstream") - stream));
    EXPECT_TRUE(std::regex_search(content, std::regex(R"(\n?0 0 0 1 k\n)"))) << content;
    EXPECT_FALSE(std::regex_search(content, std::regex(R"(\b(rg|RG|g|G|sc|scn|cs|Tf|Tj|gs)\b)")))
        << content;
    // The units onto the page, the three bars filled together, then both
    // outlines of the digit filled together; each bar 7/16 of a dot inside
    // its edges, for the any-part rule at 7 of 8 placements.
    EXPECT_TRUE(std::regex_match(
        content, std::regex("q [^\n]* cm 0 0 0 1 k\n"
                            "88\\.4375 24\\.4375 7\\.125 523\\.125 re\n"
                            "104\\.4375 24\\.4375 7\\.125 523\\.125 re\n"
                            "136\\.4375 24\\.4375 15\\.125 479\\.125 re\nf\n"
                            "10 560 m\n50 560 l\n50 600 l\n10 600 l\nh\n"
                            "20 570 m\n40 570 l\n40 590 l\n20 590 l\nh\nf\\*\nQ\n")))
        << content;

    const std::size_t xref = std::stoul(pdf.substr(pdf.rfind("startxref\n") + 10));
    ASSERT_EQ(pdf.compare(xref, 9, "xref\n0 7\n"), 0);
    for (int object = 1; object <= 6; ++object) {
        const std::size_t entry = xref + 9 + 20 * static_cast<std::size_t>(object);
        const std::size_t offset = std::stoul(pdf.substr(entry, 10));
        EXPECT_EQ(pdf.compare(offset, 8, std::to_string(object) + " 0 obj\n"), 0)
            << "object " << object << " at " << offset;
    }
}

// The made-at time as both PDF dates, in UTC (kMadeAt is the PDF rows').
TEST(PdfDates, MadeAtTimeInUtc) {
    struct Row {
        std::int64_t madeAt;
        const char* date;
    };
    constexpr Row rows[] = {
        {0, "(D:19700101000000+00'00')"},
        {951782400, "(D:20000229000000+00'00')"},  // a leap day of a century
        {4102444799, "(D:20991231235959+00'00')"},
        {253402300799, "(D:99991231235959+00'00')"},  // the last second a PDF date holds
    };
    for (const Row& row : rows) {
        const std::string pdf = Written(FileFormat::Pdf, Sample(), "1", row.madeAt);
        EXPECT_NE(pdf.find(std::string("/CreationDate") + row.date + "/ModDate" + row.date),
                  std::string::npos)
            << row.madeAt;
    }
}

// What qpdf, the PDF/X checker's first reader, reads back: the file
// without damage, the output intent and the PDF/X keys of the document
// information where the trailer points. Skipped where qpdf is not
// installed (scripts/setup.sh installs it).
TEST(PdfQpdf, ReadsThePdfxKeys) {
    if (std::system("qpdf --version > /dev/null 2>&1") != 0) GTEST_SKIP() << "no qpdf";
    const std::string path = testing::TempDir() + "merrowin_pdfx.pdf";
    {
        std::ofstream file(path, std::ios::binary);
        file << Written(FileFormat::Pdf, Sample(), "4901234567894");
    }
    const auto run = [](const std::string& command) {
        std::string out;
        FILE* pipe = popen(command.c_str(), "r");
        if (!pipe) return out;
        char buffer[4096];
        for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
        EXPECT_EQ(pclose(pipe), 0) << command;
        return out;
    };
    EXPECT_NE(run("qpdf --check " + path).find("No syntax or stream encoding errors"),
              std::string::npos);
    const std::string info = run("qpdf --show-object=5 " + path);
    for (const char* key :
         {"/GTS_PDFXVersion (PDF/X-1:2001)", "/GTS_PDFXConformance (PDF/X-1a:2001)",
          "/Trapped /False", "/CreationDate (D:20261208080000+00'00')", "/Title (4901234567894)"})
        EXPECT_NE(info.find(key), std::string::npos) << key << " in " << info;
    const std::string trailer = run("qpdf --show-object=trailer " + path);
    EXPECT_NE(trailer.find("/Info 5 0 R"), std::string::npos) << trailer;
    EXPECT_NE(trailer.find("/ID [ <"), std::string::npos) << trailer;
    const std::string intent = run("qpdf --show-object=6 " + path);
    for (const char* key : {"/S /GTS_PDFX", "/OutputConditionIdentifier (JC200103)",
                            "/RegistryName (http://www.color.org)"})
        EXPECT_NE(intent.find(key), std::string::npos) << key << " in " << intent;
    EXPECT_NE(run("qpdf --show-object=3 " + path).find("/TrimBox [ 0 0 108.4819 73.9276 ]"),
              std::string::npos);
    std::remove(path.c_str());
}

// --- SVG: its size, the paths, the title --------------------------------

// clang-format off
const TextRow kSvgRows[] = {
    /*  0*/ {0, "the size in mm", R"(<svg [^>]*width="38\.27mm" height="26\.08mm")", true},
    /*  1*/ {1, "the drawing units as the viewBox", R"(<svg [^>]*viewBox="0 0 904 616")", true},
    /*  2*/ {2, "the title escaped", R"(<title>A&amp;B&lt;1&gt;</title>)", true},
    /*  3*/ {3, "the white ground", R"(<rect x="0" y="0" width="904" height="616" fill="#fff"/>)",
             true},
    /*  4*/ {4, "the bars as one crisp path",
             R"(<path fill="#000" shape-rendering="crispEdges" d="M88 24h8v524h-8zm16 0h8v524h-8zm32 0h16v480h-16z"/>)",
             true},
    /*  5*/ {5, "the digits by the even-odd rule",
             R"(<path fill="#000" fill-rule="evenodd" d="M10 560l40 0 0 40-40 0zM20 570l20 0 0 20-20 0z"/>)",
             true},
    /*  6*/ {6, "no text, fonts or scripts", R"(<text|font|<script|<style)", false},
};
// clang-format on

class SvgFile : public testing::TestWithParam<TextRow> {};

TEST_P(SvgFile, HasWhatABrowserReads) {
    const TextRow& row = GetParam();
    const std::string svg = Written(FileFormat::Svg, Sample(), "A&B<1>");
    EXPECT_EQ(std::regex_search(svg, std::regex(row.pattern)), row.present) << row.what << "\n"
                                                                            << svg;
}

INSTANTIATE_TEST_SUITE_P(, SvgFile, testing::ValuesIn(kSvgRows), RowName);

// --- PNG: chunks, CRCs, resolution, pixels ------------------------------

struct Chunk {
    std::string type;
    std::string data;
};

std::uint32_t U32(std::string_view bytes, std::size_t at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at]) << 24 |
                                      static_cast<unsigned char>(bytes[at + 1]) << 16 |
                                      static_cast<unsigned char>(bytes[at + 2]) << 8 |
                                      static_cast<unsigned char>(bytes[at + 3]));
}

// The chunks of a PNG, each CRC checked.
std::vector<Chunk> Chunks(const std::string& png) {
    EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1A\n", 8));
    std::vector<Chunk> chunks;
    for (std::size_t at = 8; at + 12 <= png.size();) {
        const std::uint32_t length = U32(png, at);
        const std::string typeAndData = png.substr(at + 4, 4 + length);
        const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(typeAndData.data()),
                                static_cast<uInt>(typeAndData.size()));
        EXPECT_EQ(U32(png, at + 8 + length), crc) << typeAndData.substr(0, 4);
        chunks.push_back({typeAndData.substr(0, 4), typeAndData.substr(4)});
        at += 12 + length;
    }
    return chunks;
}

struct PngRow {
    int row;
    std::int32_t dpi;
    bool onDots;
    std::uint32_t perMetreX;  // on dots dpi / 0.0254, else pixels / frame; to the nearest
    std::uint32_t perMetreY;
};

// clang-format off
constexpr PngRow kPngRows[] = {
    /*  0*/ {0, 600, true, 23622, 23622},  // 23622.05
    /*  1*/ {1, 300, true, 11811, 11811},
    /*  2*/ {2, 203, true, 7992, 7992},    // 7992.13
    /*  3*/ {3, 2400, true, 94488, 94488}, // 94488.19
    // No printer's dots (a PNG with /mw): each side's pixels over the
    // frame, 904 / 38.27 mm and 616 / 26.08 mm.
    /*  4*/ {4, 600, false, 23622, 23620}, // 23621.6, 23619.6
};
// clang-format on

class PngFile : public testing::TestWithParam<PngRow> {};

TEST_P(PngFile, ChunksInOrderWithTheResolution) {
    const PngRow& row = GetParam();
    const std::vector<Chunk> chunks =
        Chunks(Written(FileFormat::Png, Sample(row.dpi, row.onDots), "4901234567894"));
    ASSERT_EQ(chunks.size(), 5u);
    EXPECT_EQ(chunks[0].type, "IHDR");
    EXPECT_EQ(chunks[0].data, std::string("\0\0\x03\x88\0\0\x02\x68\x01\0\0\0\0", 13))
        << "904 x 616, 1-bit greyscale, not interlaced";
    EXPECT_EQ(chunks[1].type, "pHYs");
    ASSERT_EQ(chunks[1].data.size(), 9u);
    EXPECT_EQ(U32(chunks[1].data, 0), row.perMetreX);
    EXPECT_EQ(U32(chunks[1].data, 4), row.perMetreY);
    EXPECT_EQ(chunks[1].data[8], 1) << "the unit is the metre";
    EXPECT_EQ(chunks[2].type, "tEXt");
    EXPECT_EQ(chunks[2].data, std::string("Title\0"
                                          "4901234567894",
                                          19));
    EXPECT_EQ(chunks[3].type, "IDAT");
    EXPECT_EQ(chunks[4].type, "IEND");
}

INSTANTIATE_TEST_SUITE_P(, PngFile, testing::ValuesIn(kPngRows),
                         [](const auto& info) { return "row" + std::to_string(info.param.row); });

// The pixels, read back through zlib and the rows' filters: every pixel
// whose centre lies inside a shape (by the even-odd rule) is black.
class PngPixels {
public:
    explicit PngPixels(const std::string& png) {
        const std::vector<Chunk> chunks = Chunks(png);
        width_ = U32(chunks[0].data, 0);
        const std::size_t rowBytes = (width_ + 7) / 8;
        const std::string filtered = Inflate(chunks[3].data);
        std::string above(rowBytes, '\0');
        for (std::size_t at = 0; at < filtered.size(); at += rowBytes + 1) {
            std::string row = filtered.substr(at + 1, rowBytes);
            if (filtered[at] == 2)
                for (std::size_t i = 0; i < rowBytes; ++i)
                    row[i] = static_cast<char>(row[i] + above[i]);
            EXPECT_TRUE(filtered[at] == 0 || filtered[at] == 2) << "filter " << int{filtered[at]};
            rows_.push_back(row);
            above = row;
        }
    }
    bool Black(int x, int y) const {
        return (static_cast<unsigned char>(rows_[y][x / 8]) & (0x80 >> (x % 8))) == 0;
    }
    // The black pixels of row y as "x-x" runs.
    std::string Runs(int y) const {
        std::string out;
        for (int x = 0; x < static_cast<int>(width_); ++x) {
            if (!Black(x, y) || (x > 0 && Black(x - 1, y))) continue;
            int end = x;
            while (end + 1 < static_cast<int>(width_) && Black(end + 1, y)) ++end;
            out += (out.empty() ? "" : " ") + std::to_string(x) + "-" + std::to_string(end);
        }
        return out;
    }
    std::size_t Height() const { return rows_.size(); }

private:
    std::uint32_t width_ = 0;
    std::vector<std::string> rows_;
};

struct RasterRow {
    int row;
    std::vector<Polygon> polygons;
    int y;             // the row of pixels looked at
    const char* runs;  // its black pixels
};

// clang-format off
const RasterRow kRasterRows[] = {
    // A rectangle on whole units is exactly its pixels.
    /*  0*/ {0, {{{2, 1}, {5, 1}, {5, 3}, {2, 3}}}, 1, "2-4"},
    /*  1*/ {1, {{{2, 1}, {5, 1}, {5, 3}, {2, 3}}}, 3, ""},
    // The even-odd rule: the inner square is a hole.
    /*  2*/ {2, {{{0, 0}, {10, 0}, {10, 10}, {0, 10}}, {{3, 3}, {7, 3}, {7, 7}, {3, 7}}}, 5,
             "0-2 7-9"},
    // A diamond: the pixels whose centres are inside.
    /*  3*/ {3, {{{4, 0}, {8, 4}, {4, 8}, {0, 4}}}, 1, "2-4"},
    /*  4*/ {4, {{{4, 0}, {8, 4}, {4, 8}, {0, 4}}}, 4, "0-6"},
    // Along the page's edges: every pixel of the row, none beyond.
    /*  5*/ {5, {{{0, 0}, {20, 0}, {20, 2}, {0, 2}}}, 1, "0-19"},
};
// clang-format on

class PngRaster : public testing::TestWithParam<RasterRow> {};

TEST_P(PngRaster, PaintsThePixelsWhoseCentresAreInside) {
    const RasterRow& row = GetParam();
    const Drawing drawing(PageOf(20, 12), kScreen, {{0, 0, 20, 12}}, {Outlines{row.polygons}});
    const PngPixels pixels(Written(FileFormat::Png, drawing, "1"));
    ASSERT_EQ(pixels.Height(), 12u);
    EXPECT_EQ(pixels.Runs(row.y), row.runs);
}

INSTANTIATE_TEST_SUITE_P(, PngRaster, testing::ValuesIn(kRasterRows),
                         [](const auto& info) { return "row" + std::to_string(info.param.row); });

// --- What every writer shares ------------------------------------------

// Numbers as the files write them: exact fractions rounded once, halves
// away from zero, no trailing zeros, never "-0".
TEST(FileWriters, Decimals) {
    struct Row {
        Fraction value;
        int decimals;
        const char* text;
    };
    const Row rows[] = {
        {{3827 * 72, 2540}, 4, "108.4819"},  // 108.481889...
        {{72, 600}, 10, "0.12"},             // a 600 dpi dot in points
        {{-72, 904}, 10, "-0.0796460177"},   // -0.07964601769...
        {{99995, 100000}, 4, "1"},           // the carry runs through every digit
        {{-1, 1000}, 2, "0"},
        {{125, 1000}, 2, "0.13"},
        {{382700, 100}, 2, "3827"},
    };
    for (const Row& row : rows) EXPECT_EQ(Decimal(row.value, row.decimals), row.text);
}

// How far the print formats draw a bar's edges inside: on a printer's dots
// 7/16 dot (exact at 7 of 8 placements under the any-part rule); on units
// that are no printer's dots half a 2400 dpi dot, at most a quarter unit.
TEST(FileWriters, EdgeInsetForTheAnyPartRule) {
    struct Row {
        Page page;
        std::int64_t numerator, denominator;
    };
    const Row rows[] = {
        {PageOf(kWidth, kHeight, 600), 7, 16},
        {PageOf(kWidth, kHeight, 2400), 7, 16},
        // 904 units on 38.27 mm: 127 x 904 / (240 x 3827), an eighth unit.
        {PageOf(kWidth, kHeight, 600, false), 127 * 904, 240 * 3827},
        // 4000 units on 38.27 mm: half a 2400 dpi dot is more than a
        // quarter unit, which is taken.
        {PageOf(4000, 2726, 2655, false), 1, 4},
    };
    for (const Row& row : rows) {
        const Fraction inset = EdgeInset(row.page);
        EXPECT_EQ(inset.numerator * row.denominator, row.numerator * inset.denominator)
            << row.page.width << " " << row.page.onPrinterDots;
    }
}

// Each format gives the same bytes for the same drawing; only the metafile
// takes text runs (the others have no fonts).
TEST(FileWriters, SameBytesTwiceTextRunsOnlyInTheMetafile) {
    const Drawing withRun(PageOf(kWidth, kHeight), kScreen, {{0, 0, kWidth, kHeight}},
                          {Bars{{{88, 24, 96, 548}}}, TextRun{{10, 560}, 20, "12", {10, 10}}});
    for (const FileFormatInfo& info : kFileFormats) {
        SCOPED_TRACE(std::string(info.name));
        EXPECT_EQ(Written(info.format, Sample(), "1"), Written(info.format, Sample(), "1"));
        if (info.format == FileFormat::Emf)
            EXPECT_FALSE(Written(info.format, withRun, "1").empty());
        else
            EXPECT_THROW(Written(info.format, withRun, "1"), std::logic_error);
    }
}

// The page's white ground: the metafile and the SVG paint it, rectangle by
// rectangle (a page widened to the printer's dots has three); EPS and PDF
// leave it to the paper; the PNG starts white.
TEST(FileWriters, WhiteGroundWhereTheFormatWantsIt) {
    const Drawing widened(PageOf(30, 20), kScreen,
                          {{25, 0, 30, 20}, {0, 18, 25, 20}, {0, 0, 25, 18}},
                          {Bars{{{2, 2, 4, 16}}}});
    const std::string svg = Written(FileFormat::Svg, widened, "1");
    EXPECT_NE(svg.find("<rect x=\"25\" y=\"0\" width=\"5\" height=\"20\" fill=\"#fff\"/>\n"
                       "<rect x=\"0\" y=\"18\" width=\"25\" height=\"2\" fill=\"#fff\"/>\n"
                       "<rect x=\"0\" y=\"0\" width=\"25\" height=\"18\" fill=\"#fff\"/>\n"),
              std::string::npos)
        << svg;
    const std::string eps = Written(FileFormat::Eps, widened, "1");
    EXPECT_NE(eps.find("setcmykcolor\n2 14 Y\n2(OQ)S\nend restore"), std::string::npos)
        << "the bar alone:\n"
        << eps;
    const PngPixels png(Written(FileFormat::Png, widened, "1"));
    for (int y = 0; y < 20; ++y) EXPECT_EQ(png.Runs(y), y >= 2 && y < 16 ? "2-3" : "") << y;
}

}  // namespace
}  // namespace merrowin
