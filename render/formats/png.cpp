#include <zlib.h>

#include <algorithm>

#include "render/formats/formats.h"
#include "render/formats/shared.h"

namespace merrowin {
namespace {

// The first pixel whose centre lies at or right of x = numerator /
// denominator (denominator > 0): ceil(x - 1/2).
std::int64_t FirstCentreFrom(std::int64_t numerator, std::int64_t denominator) {
    const std::int64_t twice = 2 * numerator - denominator;
    const std::int64_t d = 2 * denominator;
    return twice >= 0 ? (twice + d - 1) / d : -(-twice / d);
}

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

// Appends a chunk: length, type, data, and the CRC of type and data.
void AppendChunk(std::vector<std::uint8_t>& out, const char (&type)[5],
                 const std::vector<std::uint8_t>& data) {
    PutU32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t typeAt = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    const uLong crc =
        crc32(crc32(0, nullptr, 0), out.data() + typeAt, static_cast<uInt>(out.size() - typeAt));
    PutU32(out, static_cast<std::uint32_t>(crc));
}

// The scanlines with their filter bytes: each row "Up" (the difference to
// the row above, all zero for a row of bars like the one above) or "None",
// whichever leaves the smaller sum, as libpng chooses.
std::vector<std::uint8_t> FilteredRows(const std::vector<std::uint8_t>& pixels,
                                       std::size_t rowBytes, std::int32_t height) {
    std::vector<std::uint8_t> out;
    out.reserve((rowBytes + 1) * static_cast<std::size_t>(height));
    const auto sum = [](const std::uint8_t* row, std::size_t size) {
        std::uint64_t total = 0;
        for (std::size_t i = 0; i < size; ++i) total += row[i] < 128 ? row[i] : 256 - row[i];
        return total;
    };
    std::vector<std::uint8_t> up(rowBytes);
    for (std::int32_t y = 0; y < height; ++y) {
        const std::uint8_t* row = pixels.data() + static_cast<std::size_t>(y) * rowBytes;
        if (y > 0) {
            const std::uint8_t* above = row - rowBytes;
            for (std::size_t i = 0; i < rowBytes; ++i)
                up[i] = static_cast<std::uint8_t>(row[i] - above[i]);
        }
        if (y > 0 && sum(up.data(), rowBytes) < sum(row, rowBytes)) {
            out.push_back(2);  // Up
            out.insert(out.end(), up.begin(), up.end());
        } else {
            out.push_back(0);  // None
            out.insert(out.end(), row, row + rowBytes);
        }
    }
    return out;
}

// The picture's pixels, one a drawing unit: rows of 1-bit pixels, 1 white,
// most significant first. The drawing keeps every mark on the page.
class Bitmap {
public:
    // All white: the ground.
    Bitmap(std::int32_t width, std::int32_t height);

    // Paints the pixels of x in [left, right), y in [top, bottom) black.
    void FillRect(const Rect& rect);
    // Paints the pixels whose centres lie inside the polygons by the
    // even-odd rule black, so a rectangle on whole units paints exactly its
    // pixels.
    void FillPolygons(const std::vector<Polygon>& polygons);

    std::size_t RowBytes() const { return rowBytes_; }
    const std::vector<std::uint8_t>& Pixels() const { return pixels_; }

private:
    // Paints pixels [left, right) of row y black.
    void PaintRun(std::int32_t y, std::int32_t left, std::int32_t right);

    std::int32_t height_;
    std::size_t rowBytes_;
    std::vector<std::uint8_t> pixels_;
};

Bitmap::Bitmap(std::int32_t width, std::int32_t height)
    : height_(height),
      rowBytes_((static_cast<std::size_t>(width) + 7) / 8),
      pixels_(rowBytes_ * static_cast<std::size_t>(height), 0xFF) {}

void Bitmap::PaintRun(std::int32_t y, std::int32_t left, std::int32_t right) {
    std::uint8_t* row = pixels_.data() + static_cast<std::size_t>(y) * rowBytes_;
    for (std::int32_t x = left; x < right;) {
        if (x % 8 == 0 && right - x >= 8) {  // a whole byte
            row[x / 8] = 0x00;
            x += 8;
            continue;
        }
        row[x / 8] &= static_cast<std::uint8_t>(~(0x80 >> (x % 8)));
        ++x;
    }
}

void Bitmap::FillRect(const Rect& rect) {
    for (std::int32_t y = rect.top; y < rect.bottom; ++y) PaintRun(y, rect.left, rect.right);
}

void Bitmap::FillPolygons(const std::vector<Polygon>& polygons) {
    struct Edge {
        Point upper, lower;  // upper.y < lower.y
    };
    std::vector<Edge> edges;
    std::int32_t top = height_;
    std::int32_t bottom = 0;
    for (const Polygon& polygon : polygons) {
        for (std::size_t i = 0; i < polygon.size(); ++i) {
            Point a = polygon[i];
            Point b = polygon[(i + 1) % polygon.size()];
            if (a.y == b.y) continue;  // crosses no pixel centre's row
            if (a.y > b.y) std::swap(a, b);
            edges.push_back({a, b});
            top = std::min(top, a.y);
            bottom = std::max(bottom, b.y);
        }
    }
    // Row y's centres lie at y + 1/2: an edge from y1 to y2 (y1 < y2) crosses
    // it when y1 <= y < y2, at x = x1 + (y + 1/2 - y1)(x2 - x1) / (y2 - y1).
    // Each crossing is kept as the first pixel whose centre lies right of
    // it; pairs of them, in order, bound the pixels inside. Points on the
    // page give crossings from 0 to its width.
    std::vector<std::int64_t> from;
    for (std::int32_t y = top; y < bottom; ++y) {
        from.clear();
        for (const Edge& e : edges) {
            if (y < e.upper.y || y >= e.lower.y) continue;
            const std::int64_t dy = std::int64_t{e.lower.y} - e.upper.y;
            const std::int64_t numerator =
                2 * std::int64_t{e.upper.x} * dy +
                (2 * std::int64_t{y} + 1 - 2 * e.upper.y) * (std::int64_t{e.lower.x} - e.upper.x);
            from.push_back(FirstCentreFrom(numerator, 2 * dy));
        }
        std::sort(from.begin(), from.end());
        for (std::size_t i = 0; i + 1 < from.size(); i += 2)
            PaintRun(y, static_cast<std::int32_t>(from[i]), static_cast<std::int32_t>(from[i + 1]));
    }
}

}  // namespace

// The bitmap starts white, which is the ground; only black is painted.
FileBytes WritePng(const Drawing& drawing, const FileMeta& meta) {
    const Page& page = drawing.page();
    Bitmap bitmap(page.width, page.height);
    for (const Mark& mark : drawing.marks()) {
        if (const Bars* bars = std::get_if<Bars>(&mark))
            for (const Rect& rect : bars->rects) bitmap.FillRect(rect);
        else if (const Outlines* outlines = std::get_if<Outlines>(&mark))
            bitmap.FillPolygons(outlines->polygons);
    }
    std::vector<std::uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> header;
    PutU32(header, static_cast<std::uint32_t>(page.width));
    PutU32(header, static_cast<std::uint32_t>(page.height));
    // Bit depth 1, colour type 0 (greyscale), deflate, adaptive filtering,
    // no interlace.
    header.insert(header.end(), {1, 0, 0, 0, 0});
    AppendChunk(out, "IHDR", header);
    // The resolution in pixels per metre, to the nearest; unit 1 is the
    // metre. On a printer's dots, the printer's; otherwise the pixels of
    // each side over the frame's length (a module of whole pixels at the
    // module width asked for), so the PNG is as large as the metafile.
    const auto perMetre = [&page](std::int64_t pixels, std::int64_t hundredthsMm) {
        if (page.onPrinterDots)
            return static_cast<std::uint32_t>((std::int64_t{page.dotsPerInch} * 20000 + 254) / 508);
        return static_cast<std::uint32_t>((pixels * 200000 + hundredthsMm) / (2 * hundredthsMm));
    };
    std::vector<std::uint8_t> physical;
    PutU32(physical, perMetre(page.width, page.frame.width));
    PutU32(physical, perMetre(page.height, page.frame.height));
    physical.push_back(1);
    AppendChunk(out, "pHYs", physical);
    std::vector<std::uint8_t> text = {'T', 'i', 't', 'l', 'e', 0};
    for (const char c : meta.title) {
        // tEXt is Latin-1 without control characters.
        const auto byte = static_cast<unsigned char>(c);
        text.push_back(byte >= ' ' && byte < 0x7F ? byte : '?');
    }
    AppendChunk(out, "tEXt", text);
    const std::vector<std::uint8_t> rows =
        FilteredRows(bitmap.Pixels(), bitmap.RowBytes(), page.height);
    const std::string deflated = Deflate({reinterpret_cast<const char*>(rows.data()), rows.size()});
    AppendChunk(out, "IDAT", {deflated.begin(), deflated.end()});
    AppendChunk(out, "IEND", {});
    return out;
}

}  // namespace merrowin
