#include "common/version.h"
#include "render/formats/formats.h"
#include "render/formats/shared.h"

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

// The page's content stream in drawing units: bars as rectangles (re)
// filled together (f) before the next outlines, outlines as paths (m, l,
// h) filled together by the even-odd rule (f*).
class Content {
public:
    explicit Content(const Page& page);
    void Bar(const Rect& bar);
    void FillOutlines(const std::vector<Polygon>& polygons);
    std::string Finish();

private:
    // Fills the rectangles written since the last fill.
    void FillPendingRectangles();

    Fraction inset_;
    std::string content_;
    bool rectanglesPending_ = false;
};

Content::Content(const Page& page) : inset_(EdgeInset(page)) {
    // Drawing units with y downwards: W x H units onto the page, the
    // picture's top edge at the top of the page.
    const PointMapping onto = MappingToPoints(page);
    content_ = "q " + onto.xScale + " 0 0 " + onto.yScale + " 0 " + onto.top + " cm 0 0 0 1 k\n";
}

void Content::Bar(const Rect& bar) {
    // A hair inside its edges, so that a RIP paints exactly its dots
    // (EdgeInset): `units` and `insets` times the inset.
    const auto at = [this](std::int64_t units, std::int64_t insets) {
        return Decimal({units * inset_.denominator + insets * inset_.numerator, inset_.denominator},
                       4);
    };
    content_ += at(bar.left, 1) + " " + at(bar.top, 1) + " " + at(bar.right - bar.left, -2) + " " +
                at(bar.bottom - bar.top, -2) + " re\n";
    rectanglesPending_ = true;
}

void Content::FillOutlines(const std::vector<Polygon>& polygons) {
    FillPendingRectangles();
    for (const Polygon& polygon : polygons) {
        content_ += Coordinates(polygon[0]) + " m\n";
        for (std::size_t i = 1; i < polygon.size(); ++i)
            content_ += Coordinates(polygon[i]) + " l\n";
        content_ += "h\n";
    }
    if (!polygons.empty()) content_ += "f*\n";
}

void Content::FillPendingRectangles() {
    if (rectanglesPending_) content_ += "f\n";
    rectanglesPending_ = false;
}

std::string Content::Finish() {
    FillPendingRectangles();
    return std::move(content_) + "Q\n";
}

}  // namespace

// Nothing is painted white: the paper is the white, and white in a PDF
// placed on a coloured page would knock the colour out. The document
// information holds the title and the producer but no date, so the same
// drawing gives the same bytes.
FileBytes WritePdf(const Drawing& drawing, const FileMeta& meta) {
    const Page& page = drawing.page();
    Content content(page);
    for (const Mark& mark : drawing.marks()) {
        if (const Rect* bar = std::get_if<Rect>(&mark))
            content.Bar(*bar);
        else if (const Outlines* outlines = std::get_if<Outlines>(&mark))
            content.FillOutlines(outlines->polygons);
    }
    const std::string stream = Deflate(content.Finish());
    const std::string box = "[0 0 " + Decimal(PointsOf(page.frame.width), 4) + " " +
                            Decimal(PointsOf(page.frame.height), 4) + "]";
    const std::string objects[] = {
        "<</Type/Catalog/Pages 2 0 R>>",
        "<</Type/Pages/Kids[3 0 R]/Count 1>>",
        "<</Type/Page/Parent 2 0 R/MediaBox" + box + "/TrimBox" + box +
            "/Resources<<>>/Contents 4 0 R>>",
        "<</Length " + std::to_string(stream.size()) + "/Filter/FlateDecode>>\nstream\n" + stream +
            "\nendstream",
        "<</Title" + PdfString(meta.title) + "/Producer(Merrowin " MERROWIN_VERSION_TEXT ")>>",
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
