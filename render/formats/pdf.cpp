#include <zlib.h>

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

// `seconds` after 1970-01-01 00:00 UTC as a PDF date, D:YYYYMMDDHHmmSS
// with the zone (PDF Reference 1.3, 3.8.2): the civil date from the day
// count (the proleptic Gregorian calendar, in 400-year eras), integers only.
std::string PdfDate(std::int64_t seconds) {
    const std::int64_t days = (seconds >= 0 ? seconds : seconds - 86399) / 86400;
    const std::int64_t time = seconds - days * 86400;
    const std::int64_t z = days + 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t dayOfEra = z - era * 146097;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t shifted = (5 * dayOfYear + 2) / 153;  // March is 0
    const std::int64_t day = dayOfYear - (153 * shifted + 2) / 5 + 1;
    const std::int64_t month = shifted < 10 ? shifted + 3 : shifted - 9;
    const std::int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    const auto two = [](std::int64_t n) {
        return std::string(1, static_cast<char>('0' + n / 10)) + static_cast<char>('0' + n % 10);
    };
    std::string digits = std::to_string(year);
    if (digits.size() < 4) digits.insert(0, 4 - digits.size(), '0');
    return "(D:" + digits + two(month) + two(day) + two(time / 3600) + two(time / 60 % 60) +
           two(time % 60) + "+00'00')";
}

// The file identifier of the trailer, a digest of the file's bytes before
// it: zlib's CRC-32 and Adler-32 of them all and the CRC-32 of each half,
// 32 hex digits; the same twice (a file made once, never updated).
std::string FileIdentifier(std::string_view bytes) {
    const auto crc = [](std::string_view part) {
        return crc32(0, reinterpret_cast<const Bytef*>(part.data()),
                     static_cast<uInt>(part.size()));
    };
    const std::size_t half = bytes.size() / 2;
    const uLong words[] = {
        crc(bytes),
        adler32(1, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size())),
        crc(bytes.substr(0, half)), crc(bytes.substr(half))};
    std::string hex;
    for (const uLong word : words)
        for (int shift = 28; shift >= 0; shift -= 4) hex += "0123456789ABCDEF"[word >> shift & 15];
    return "<" + hex + ">";
}

}  // namespace

// PDF/X-1a:2001 (ISO 15930-1), the exchange format print shops ask for:
// PDF 1.3, process black alone (DeviceCMYK), no fonts, no transparency;
// the document information with the PDF/X keys, the dates and Trapped
// /False (the picture needs no trapping); an output intent naming a CMYK
// printing condition of the ICC's characterization data registry by its
// reference name (a registered condition needs no profile in the file);
// MediaBox and TrimBox the frame; the trailer's ID. Nothing is painted
// white: the paper is the white, and white in a PDF placed on a coloured
// page would knock the colour out. The dates are the file's made-at time,
// so the same drawing and time give the same bytes.
FileBytes WritePdf(const Drawing& drawing, const FileMeta& meta) {
    const Page& page = drawing.page();
    Content content(page);
    for (const Mark& mark : drawing.marks()) {
        if (const Bars* bars = std::get_if<Bars>(&mark))
            for (const Rect& bar : bars->rects) content.Bar(bar);
        else if (const Outlines* outlines = std::get_if<Outlines>(&mark))
            content.FillOutlines(outlines->polygons);
    }
    const std::string stream = Deflate(content.Finish());
    const std::string box = "[0 0 " + Decimal(PointsOf(page.frame.width), 4) + " " +
                            Decimal(PointsOf(page.frame.height), 4) + "]";
    const std::string date = PdfDate(meta.madeAt);
    const std::string objects[] = {
        "<</Type/Catalog/Pages 2 0 R/OutputIntents[6 0 R]>>",
        "<</Type/Pages/Kids[3 0 R]/Count 1>>",
        "<</Type/Page/Parent 2 0 R/MediaBox" + box + "/TrimBox" + box +
            "/Resources<<>>/Contents 4 0 R>>",
        "<</Length " + std::to_string(stream.size()) + "/Filter/FlateDecode>>\nstream\n" + stream +
            "\nendstream",
        "<</Title" + PdfString(meta.title) +
            "/Creator(Merrowin " MERROWIN_VERSION_TEXT ")/Producer(Merrowin " MERROWIN_VERSION_TEXT
            ")/CreationDate" +
            date + "/ModDate" + date +
            "/Trapped/False/GTS_PDFXVersion(PDF/X-1:2001)/GTS_PDFXConformance(PDF/X-1a:2001)>>",
        "<</Type/OutputIntent/S/GTS_PDFX/OutputConditionIdentifier(JC200103)"
        "/RegistryName(http://www.color.org)/OutputCondition(Japan Color 2001 Coated)"
        "/Info(Japan Color 2001 Coated)>>",
    };
    // The second line's bytes above 127 tell a transfer that the file is
    // binary (PDF Reference 1.3, 3.4.1).
    std::string out = "%PDF-1.3\n%\xE2\xE3\xCF\xD3\n";
    std::string xref = "xref\n0 " + std::to_string(std::size(objects) + 1) + "\n";
    xref += "0000000000 65535 f \n";
    for (std::size_t i = 0; i < std::size(objects); ++i) {
        const std::string offset = std::to_string(out.size());
        xref += std::string(10 - offset.size(), '0') + offset + " 00000 n \n";
        out += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const std::size_t xrefAt = out.size();
    const std::string id = FileIdentifier(out);
    out += xref;
    out += "trailer\n<</Size " + std::to_string(std::size(objects) + 1) +
           "/Root 1 0 R/Info 5 0 R/ID[" + id + id + "]>>\nstartxref\n" + std::to_string(xrefAt) +
           "\n%%EOF\n";
    return {out.begin(), out.end()};
}

}  // namespace merrowin
