#include "render/svg_writer.h"

namespace merrowin {
namespace {

// Appends two numbers of path data: a blank between them only where the
// second has no minus sign to part them.
void AppendPair(std::string& out, std::int64_t a, std::int64_t b) {
    out += std::to_string(a);
    if (b >= 0) out += ' ';
    out += std::to_string(b);
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

}  // namespace

SvgWriter::SvgWriter(std::int32_t width, std::int32_t height, const FrameSize& frame,
                     std::string_view title)
    : picture_(width, height, frame), title_(title) {}

void SvgWriter::FillRect(const Rect& rect, Colour colour) {
    const std::optional<Rect> cut = picture_.Clip(rect);
    if (!cut) return;
    const std::int32_t width = cut->right - cut->left;
    const std::int32_t height = cut->bottom - cut->top;
    if (colour == Colour::White) {
        ground_ += "<rect x=\"" + std::to_string(cut->left) + "\" y=\"" + std::to_string(cut->top) +
                   "\" width=\"" + std::to_string(width) + "\" height=\"" + std::to_string(height) +
                   "\" fill=\"#fff\"/>\n";
        return;
    }
    // Each bar moves from the last one's top-left corner, where its "z"
    // left the current point.
    bars_ += bars_.empty() ? 'M' : 'm';
    AppendPair(bars_, std::int64_t{cut->left} - barStart_.x, std::int64_t{cut->top} - barStart_.y);
    for (const auto& [command, length] : {std::pair{'h', width}, {'v', height}, {'h', -width}}) {
        bars_ += command;
        bars_ += std::to_string(length);
    }
    bars_ += 'z';
    barStart_ = {cut->left, cut->top};
}

void SvgWriter::FillPolygons(const std::vector<Polygon>& polygons, Colour colour) {
    std::string data;
    for (const Polygon& polygon : polygons) {
        if (polygon.size() < 3) continue;  // encloses nothing
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
    if (data.empty()) return;
    const char* fill = colour == Colour::White ? "#fff" : "#000";
    outlines_ +=
        "<path fill=\"" + std::string(fill) + "\" fill-rule=\"evenodd\" d=\"" + data + "\"/>\n";
}

std::vector<std::uint8_t> SvgWriter::Finish() const {
    const std::string width = std::to_string(picture_.width);
    const std::string height = std::to_string(picture_.height);
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
           Decimal({picture_.frame.width, 100}, 2) + "mm\" height=\"" +
           Decimal({picture_.frame.height, 100}, 2) + "mm\" viewBox=\"0 0 " + width + " " + height +
           "\">\n";
    out += "<title>" + XmlText(title_) + "</title>\n";
    out += ground_;
    if (!bars_.empty())
        out += "<path fill=\"#000\" shape-rendering=\"crispEdges\" d=\"" + bars_ + "\"/>\n";
    out += outlines_;
    out += "</svg>\n";
    return {out.begin(), out.end()};
}

}  // namespace merrowin
