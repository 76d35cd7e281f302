#include "render/png_writer.h"

#include <zlib.h>

#include <algorithm>
#include <stdexcept>

#include "render/file_picture.h"

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

}  // namespace

PngWriter::PngWriter(std::int32_t width, std::int32_t height, std::int32_t dotsPerInch,
                     std::string_view title)
    : width_(width), height_(height), dotsPerInch_(dotsPerInch), title_(title) {
    // The picture's checks, on a frame that it does not state.
    (void)FilePicture(width, height, FrameSize{1, 1});
    if (dotsPerInch < 1) throw std::invalid_argument("a printer without dots");
    rowBytes_ = (static_cast<std::size_t>(width) + 7) / 8;
    pixels_.assign(rowBytes_ * static_cast<std::size_t>(height), 0xFF);
}

void PngWriter::PaintRun(std::int32_t y, std::int32_t left, std::int32_t right, Colour colour) {
    left = std::max(left, 0);
    right = std::min(right, width_);
    std::uint8_t* row = pixels_.data() + static_cast<std::size_t>(y) * rowBytes_;
    const std::uint8_t fill = colour == Colour::White ? 0xFF : 0x00;
    for (std::int32_t x = left; x < right;) {
        if (x % 8 == 0 && right - x >= 8) {  // a whole byte
            row[x / 8] = fill;
            x += 8;
            continue;
        }
        const auto bit = static_cast<std::uint8_t>(0x80 >> (x % 8));
        row[x / 8] = static_cast<std::uint8_t>((row[x / 8] & ~bit) | (fill & bit));
        ++x;
    }
}

void PngWriter::FillRect(const Rect& rect, Colour colour) {
    for (std::int32_t y = std::max(rect.top, 0); y < std::min(rect.bottom, height_); ++y)
        PaintRun(y, rect.left, rect.right, colour);
}

void PngWriter::FillPolygons(const std::vector<Polygon>& polygons, Colour colour) {
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
    // it; pairs of them, in order, bound the pixels inside.
    std::vector<std::int64_t> from;
    for (std::int32_t y = std::max(top, 0); y < std::min(bottom, height_); ++y) {
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
        for (std::size_t i = 0; i + 1 < from.size(); i += 2) {
            const auto clamp = [this](std::int64_t x) {
                return static_cast<std::int32_t>(std::clamp<std::int64_t>(x, 0, width_));
            };
            PaintRun(y, clamp(from[i]), clamp(from[i + 1]), colour);
        }
    }
}

std::vector<std::uint8_t> PngWriter::Finish() const {
    std::vector<std::uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> header;
    PutU32(header, static_cast<std::uint32_t>(width_));
    PutU32(header, static_cast<std::uint32_t>(height_));
    // Bit depth 1, colour type 0 (greyscale), deflate, adaptive filtering,
    // no interlace.
    header.insert(header.end(), {1, 0, 0, 0, 0});
    AppendChunk(out, "IHDR", header);
    // The resolution in pixels per metre, to the nearest, both ways; unit 1
    // is the metre.
    const auto perMetre =
        static_cast<std::uint32_t>((std::int64_t{dotsPerInch_} * 20000 + 254) / 508);
    std::vector<std::uint8_t> physical;
    PutU32(physical, perMetre);
    PutU32(physical, perMetre);
    physical.push_back(1);
    AppendChunk(out, "pHYs", physical);
    std::vector<std::uint8_t> text = {'T', 'i', 't', 'l', 'e', 0};
    for (const char c : title_) {
        // tEXt is Latin-1 without control characters.
        const auto byte = static_cast<unsigned char>(c);
        text.push_back(byte >= ' ' && byte < 0x7F ? byte : '?');
    }
    AppendChunk(out, "tEXt", text);
    const std::vector<std::uint8_t> rows = FilteredRows(pixels_, rowBytes_, height_);
    const std::string deflated = Deflate({reinterpret_cast<const char*>(rows.data()), rows.size()});
    AppendChunk(out, "IDAT", {deflated.begin(), deflated.end()});
    AppendChunk(out, "IEND", {});
    return out;
}

}  // namespace merrowin
