#include "render/formats/formats.h"
#include "render/formats/shared.h"

namespace merrowin {
namespace {

// Appends two numbers of path data: a blank between them only where the
// second has no minus sign to part them.
void AppendPair(std::string& out, std::int64_t a, std::int64_t b) {
    AppendInteger(out, a);
    if (b >= 0) out += ' ';
    AppendInteger(out, b);
}

// `text` (UTF-8) as XML character data: &, < and > escaped, quotes too so
// that it may stand in an attribute, the control characters that XML 1.0
// does not allow left out.
std::string XmlText(std::string_view text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                if (static_cast<unsigned char>(c) >= ' ' || c == '\t' || c == '\n') out += c;
        }
    }
    return out;
}

// The black rectangles as one path: each bar moves from the last one's
// top-left corner, where its "z" left the current point.
void AppendBar(std::string& bars, Point& barStart, const Rect& bar) {
    const std::int32_t width = bar.right - bar.left;
    const std::int32_t height = bar.bottom - bar.top;
    bars += bars.empty() ? 'M' : 'm';
    AppendPair(bars, std::int64_t{bar.left} - barStart.x, std::int64_t{bar.top} - barStart.y);
    for (const auto& [command, length] : {std::pair{'h', width}, {'v', height}, {'h', -width}}) {
        bars += command;
        AppendInteger(bars, length);
    }
    bars += 'z';
    barStart = {bar.left, bar.top};
}

// One text's outlines as a path filled by the even-odd rule.
std::string OutlinePath(const std::vector<Polygon>& polygons) {
    std::string data;
    for (const Polygon& polygon : polygons) {
        data += 'M';
        AppendPair(data, polygon[0].x, polygon[0].y);
        data += 'l';
        for (std::size_t i = 1; i < polygon.size(); ++i) {
            if (i > 1 && polygon[i].x - polygon[i - 1].x >= 0) data += ' ';
            AppendPair(data, std::int64_t{polygon[i].x} - polygon[i - 1].x,
                       std::int64_t{polygon[i].y} - polygon[i - 1].y);
        }
        data += 'z';
    }
    if (data.empty()) return data;
    return "<path fill=\"#000\" fill-rule=\"evenodd\" d=\"" + data + "\"/>\n";
}

}  // namespace

// The white ground is drawn, as rectangles under the black: a web page's
// background shows through an SVG wherever nothing is painted, and a
// barcode needs its light spaces.
FileBytes WriteSvg(const Drawing& drawing, const FileMeta& meta) {
    std::string ground;  // <rect> elements of the white ground
    for (const Rect& rect : drawing.ground())
        ground += "<rect x=\"" + std::to_string(rect.left) + "\" y=\"" + std::to_string(rect.top) +
                  "\" width=\"" + std::to_string(rect.right - rect.left) + "\" height=\"" +
                  std::to_string(rect.bottom - rect.top) + "\" fill=\"#fff\"/>\n";
    std::string bars;  // path data of the black rectangles
    Point barStart;    // where bars left the current point
    std::string outlines;
    for (const Mark& mark : drawing.marks()) {
        if (const Bars* run = std::get_if<Bars>(&mark))
            for (const Rect& bar : run->rects) AppendBar(bars, barStart, bar);
        else if (const Outlines* glyphs = std::get_if<Outlines>(&mark))
            outlines += OutlinePath(glyphs->polygons);
    }
    const Page& page = drawing.page();
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
           Decimal({page.frame.width, 100}, 2) + "mm\" height=\"" +
           Decimal({page.frame.height, 100}, 2) + "mm\" viewBox=\"0 0 " +
           std::to_string(page.width) + " " + std::to_string(page.height) + "\">\n";
    out += "<title>" + XmlText(meta.title) + "</title>\n";
    out += ground;
    if (!bars.empty())
        out += "<path fill=\"#000\" shape-rendering=\"crispEdges\" d=\"" + bars + "\"/>\n";
    out += outlines;
    out += "</svg>\n";
    return {out.begin(), out.end()};
}

}  // namespace merrowin
