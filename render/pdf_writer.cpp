#include "render/pdf_writer.h"

#include <stdexcept>

#include "common/version.h"

namespace merrowin {
namespace {

// `text` as a PDF literal string: parentheses and backslashes escaped,
// anything outside printable ASCII as an octal escape.
std::string PdfString(std::string_view text) {
    std::string out = "(";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '(' || c == ')' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < ' ' || byte > '~') {
            const char octal[] = {'\\', static_cast<char>('0' + (byte >> 6)),
                                  static_cast<char>('0' + (byte >> 3 & 7)),
                                  static_cast<char>('0' + (byte & 7))};
            out.append(octal, sizeof octal);
        } else {
            out += c;
        }
    }
    return out + ")";
}

std::string Coordinates(const Point& p) {
    return std::to_string(p.x) + " " + std::to_string(p.y);
}

}  // namespace

PdfWriter::PdfWriter(std::int32_t width, std::int32_t height, const FrameSize& frame,
                     std::string_view title)
    : picture_(width, height, frame), title_(title) {
    // Drawing units with y downwards: W x H units onto the page, the
    // picture's top edge at the top of the page.
    const Fraction across = picture_.WidthPoints();
    const Fraction down = picture_.HeightPoints();
    content_ = "q " + Decimal({across.numerator, across.denominator * width}, 10) + " 0 0 " +
               Decimal({-down.numerator, down.denominator * height}, 10) + " 0 " +
               Decimal(down, 6) + " cm 0 0 0 1 k\n";
}

void PdfWriter::FillRect(const Rect& rect, Colour colour) {
    if (colour == Colour::White) return;
    const std::optional<Rect> cut = picture_.Clip(rect);
    if (!cut) return;
    // A hair inside its edges, so that a RIP paints exactly its dots
    // (FilePicture::EdgeInset).
    const Fraction inset = picture_.EdgeInset();
    // `units` and `insets` times the inset.
    const auto at = [&inset](std::int64_t units, std::int64_t insets) {
        return Decimal({units * inset.denominator + insets * inset.numerator, inset.denominator},
                       4);
    };
    content_ += at(cut->left, 1) + " " + at(cut->top, 1) + " " + at(cut->right - cut->left, -2) +
                " " + at(cut->bottom - cut->top, -2) + " re\n";
    rectanglesPending_ = true;
}

void PdfWriter::FillPolygons(const std::vector<Polygon>& polygons, Colour colour) {
    if (colour == Colour::White) return;
    FillPendingRectangles();
    bool any = false;
    for (const Polygon& polygon : polygons) {
        if (polygon.size() < 3) continue;  // encloses nothing
        content_ += Coordinates(polygon[0]) + " m\n";
        for (std::size_t i = 1; i < polygon.size(); ++i)
            content_ += Coordinates(polygon[i]) + " l\n";
        content_ += "h\n";
        any = true;
    }
    if (any) content_ += "f*\n";
}

void PdfWriter::FillPendingRectangles() {
    if (rectanglesPending_) content_ += "f\n";
    rectanglesPending_ = false;
}

std::vector<std::uint8_t> PdfWriter::Finish() {
    FillPendingRectangles();
    const std::string stream = Deflate(content_ + "Q\n");
    const std::string box = "[0 0 " + Decimal(picture_.WidthPoints(), 4) + " " +
                            Decimal(picture_.HeightPoints(), 4) + "]";
    const std::string objects[] = {
        "<</Type/Catalog/Pages 2 0 R>>",
        "<</Type/Pages/Kids[3 0 R]/Count 1>>",
        "<</Type/Page/Parent 2 0 R/MediaBox" + box + "/TrimBox" + box +
            "/Resources<<>>/Contents 4 0 R>>",
        "<</Length " + std::to_string(stream.size()) + "/Filter/FlateDecode>>\nstream\n" + stream +
            "\nendstream",
        "<</Title" + PdfString(title_) + "/Producer(Merrowin " MERROWIN_VERSION_TEXT ")>>",
    };
    // The second line's bytes above 127 tell a transfer that the file is
    // binary (PDF Reference 1.7, 3.4.1).
    std::string out = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
    std::string xref = "xref\n0 " + std::to_string(std::size(objects) + 1) + "\n";
    xref += "0000000000 65535 f \n";
    for (std::size_t i = 0; i < std::size(objects); ++i) {
        const std::string offset = std::to_string(out.size());
        xref += std::string(10 - offset.size(), '0') + offset + " 00000 n \n";
        out += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const std::size_t xrefAt = out.size();
    out += xref;
    out += "trailer\n<</Size " + std::to_string(std::size(objects) + 1) +
           "/Root 1 0 R/Info 5 0 R>>\nstartxref\n" + std::to_string(xrefAt) + "\n%%EOF\n";
    return {out.begin(), out.end()};
}

}  // namespace merrowin
