#include "render/outline_text.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "common/text.h"
#include "render/ocrb_glyphs.h"

namespace merrowin {
namespace {

// Outline points are worked in 1/256 of a drawing unit, in integers only,
// so every compiler and FPU gives the same polygons.
constexpr std::int64_t kFine = 256;
// A curve is flat enough when its control points lie within half a unit of
// the chord's thirds: with the points rounded to whole units, the outline
// keeps within a unit of the glyph's curve (on a 1200 dpi printer's grid,
// one dot; a quarter unit would cost a JAN-13 a third more points).
constexpr std::int64_t kFlatness = kFine / 2;
constexpr int kMaxDepth = 10;

struct Fine {
    std::int64_t x, y;
};

Fine Mid(Fine a, Fine b) {
    return {(a.x + b.x) / 2, (a.y + b.y) / 2};
}

const OcrbGlyph* GlyphOf(char32_t c) {
    for (const OcrbGlyph& glyph : Ocrb().glyphs)
        if (glyph.character == c) return &glyph;
    return nullptr;
}

std::int64_t CellUnits() {
    return std::int64_t{Ocrb().winAscent} + Ocrb().winDescent;
}

// numerator / denominator (denominator > 0) to the nearest, halves up.
std::int64_t Nearest(std::int64_t numerator, std::int64_t denominator) {
    const std::int64_t twice = 2 * numerator + denominator;
    const std::int64_t floor = twice / (2 * denominator);
    return floor - (twice % (2 * denominator) < 0 ? 1 : 0);
}

class Flattener {
public:
    explicit Flattener(std::vector<Polygon>& out) : out_(out) {}

    void Start(Fine p) {
        out_.emplace_back();
        Add(p);
        last_ = p;
    }
    void Line(Fine p) {
        Add(p);
        last_ = p;
    }
    void Cubic(Fine c1, Fine c2, Fine to) {
        Split(last_, c1, c2, to, 0);
        last_ = to;
    }

private:
    void Split(Fine p0, Fine p1, Fine p2, Fine p3, int depth) {
        const auto off = [](std::int64_t control, std::int64_t a, std::int64_t b) {
            return std::llabs(3 * control - (2 * a + b));
        };
        const bool flat = std::max({off(p1.x, p0.x, p3.x), off(p1.y, p0.y, p3.y),
                                    off(p2.x, p3.x, p0.x), off(p2.y, p3.y, p0.y)}) <= 3 * kFlatness;
        if (flat || depth == kMaxDepth) {
            Add(p3);
            return;
        }
        // de Casteljau at t = 1/2.
        const Fine a = Mid(p0, p1), b = Mid(p1, p2), c = Mid(p2, p3);
        const Fine d = Mid(a, b), e = Mid(b, c);
        const Fine m = Mid(d, e);
        Split(p0, a, d, m, depth + 1);
        Split(m, e, c, p3, depth + 1);
    }
    void Add(Fine p) {
        const Point unit{static_cast<int>(Nearest(p.x, kFine)),
                         static_cast<int>(Nearest(p.y, kFine))};
        Polygon& polygon = out_.back();
        if (polygon.empty() || polygon.back() != unit) polygon.push_back(unit);
    }

    std::vector<Polygon>& out_;
    Fine last_{0, 0};
};

}  // namespace

std::int64_t OutlineTextWidth(std::string_view text, int height) {
    std::int64_t advances = 0;
    for (const char16_t c : Utf16FromUtf8(text)) {
        const OcrbGlyph* glyph = GlyphOf(c);
        advances += (glyph ? glyph : GlyphOf(' '))->advance;
    }
    return Nearest(advances * height, CellUnits());
}

std::vector<Polygon> OutlineText(std::string_view text, int x, int y, int height) {
    std::vector<Polygon> polygons;
    Flattener flatten(polygons);
    const std::int64_t cell = CellUnits();
    const std::int64_t ascent = Ocrb().winAscent;
    std::int64_t pen = 0;  // font units from x
    for (const char16_t c : Utf16FromUtf8(text)) {
        const OcrbGlyph* glyph = GlyphOf(c);
        if (!glyph) glyph = GlyphOf(' ');
        // Font units (y up from the baseline) to 1/256 units of the picture.
        const auto at = [&](std::int64_t fx, std::int64_t fy) {
            return Fine{x * kFine + Nearest((pen + fx) * height * kFine, cell),
                        y * kFine + Nearest((ascent - fy) * height * kFine, cell)};
        };
        for (const OutlineStep& step : glyph->steps) {
            if (step.op == 'M')
                flatten.Start(at(step.x, step.y));
            else if (step.op == 'L')
                flatten.Line(at(step.x, step.y));
            else
                flatten.Cubic(at(step.x1, step.y1), at(step.x2, step.y2), at(step.x, step.y));
        }
        pen += glyph->advance;
    }
    // A contour that rounding left without area draws nothing.
    std::erase_if(polygons, [](const Polygon& polygon) { return polygon.size() < 3; });
    return polygons;
}

}  // namespace merrowin
