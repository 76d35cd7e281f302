#include "common/version.h"
#include "render/formats/formats.h"
#include "render/formats/shared.h"

namespace merrowin {
namespace {

// The procedures, in the picture's own dictionary. Bars are paths
// filled with `fill`, drawn the picture's edge inset i inside their edges
// (EdgeInset), never with `rectfill`: Ghostscript's `rectfill`
// paints one more column left of a rectangle whose edges lie on pixel
// boundaries (measured at 600 dpi), where `fill` keeps the any-part rule of
// the scan conversion and paints exactly the pixels inside.
//   y h Y         the top and height of the bars that follow, kept inset
//   x w B         a bar (j is 2i)
//   x (..) S      bars, two characters each less 79: the space from the
//                 last bar's right edge (the first from x) and the width
//   x y (..) P    an outline: its steps two characters each less 79, dx dy
//   (..) D        steps; an outline with a step too long for a character
//                 is written in parts: moveto, D and rlineto, closepath
//   E             fills the outlines by the even-odd rule
constexpr std::string_view kProcedures =
    "/Y{j sub/h exch def i add/y exch def}bind def\n"
    "/B{exch i add y moveto j sub dup 0 rlineto 0 h rlineto neg 0 rlineto closepath fill}bind def\n"
    "/S{/s exch def/x exch def 0 2 s length 2 sub{s exch 2 getinterval{79 sub}forall exch x add "
    "exch 2 copy add/x exch def B}for}bind def\n"
    "/D{/s exch def 0 2 s length 2 sub{s exch 2 getinterval{79 sub}forall rlineto}for}bind "
    "def\n"
    "/P{3 1 roll moveto D closepath}bind def\n"
    "/E/eofill load def\n";

// The characters of S and D: 79 ('O') is 0, '!' is -46 and '~' is 47.
constexpr int kStepZero = 79;
constexpr int kStepMin = '!' - kStepZero;
constexpr int kStepMax = '~' - kStepZero;
// DSC lines hold at most 255 characters: a string is closed at 200.
constexpr std::size_t kCharsPerString = 200;

bool FitsStep(std::int64_t value) {
    return value >= kStepMin && value <= kStepMax;
}

// Appends `value` (FitsStep) as a character of a PostScript string.
void AppendStep(std::string& out, std::int64_t value) {
    const char c = static_cast<char>(kStepZero + value);
    if (c == '(' || c == ')' || c == '\\') out += '\\';
    out += c;
}

// `text` as DSC text: printable ASCII, anything else a '?'.
std::string DscText(std::string_view text) {
    std::string out;
    for (const char c : text) out += c >= ' ' && c <= '~' ? c : '?';
    return out;
}

// One outline: P when its steps fit one string, else in parts.
void AppendOutline(std::string& out, const Polygon& polygon) {
    const std::string start = std::to_string(polygon[0].x) + " " + std::to_string(polygon[0].y);
    std::vector<std::string> parts(1);  // strings of steps, and L steps
    for (std::size_t i = 1; i < polygon.size(); ++i) {
        const std::int64_t dx = std::int64_t{polygon[i].x} - polygon[i - 1].x;
        const std::int64_t dy = std::int64_t{polygon[i].y} - polygon[i - 1].y;
        if (!FitsStep(dx) || !FitsStep(dy)) {
            parts.push_back(std::to_string(dx) + " " + std::to_string(dy) + " rlineto\n");
            parts.emplace_back();
            continue;
        }
        if (parts.back().size() >= kCharsPerString) parts.emplace_back();
        AppendStep(parts.back(), dx);
        AppendStep(parts.back(), dy);
    }
    std::erase(parts, std::string());
    if (parts.size() == 1 && parts[0].back() != '\n') {
        out += start + "(" + parts[0] + ")P\n";
        return;
    }
    out += start + " moveto ";
    for (const std::string& part : parts) out += part.back() == '\n' ? part : "(" + part + ")D\n";
    out += "closepath\n";
}

// The page's drawing in drawing units: bars in runs of one top and height
// (Y, then S or B), outlines (P or D) filled together (E).
class Body {
public:
    void Bar(const Rect& bar);
    void FillOutlines(const std::vector<Polygon>& polygons);
    std::string Finish();

private:
    // Writes the pending run of bars.
    void FlushBars();

    std::string body_;
    // The top and height of the bars being written (Y).
    std::int32_t top_ = -1;
    std::int32_t height_ = -1;
    std::string bars_;            // the pending run of bars, S's characters
    std::int32_t barsLeft_ = 0;   // its x
    std::int64_t barsRight_ = 0;  // the right edge of its last bar
};

void Body::Bar(const Rect& bar) {
    const std::int32_t height = bar.bottom - bar.top;
    const std::int32_t width = bar.right - bar.left;
    if (bar.top != top_ || height != height_) {
        FlushBars();
        body_ += std::to_string(bar.top) + " " + std::to_string(height) + " Y\n";
        top_ = bar.top;
        height_ = height;
    }
    const std::int64_t space = std::int64_t{bar.left} - barsRight_;
    const bool fits = width <= kStepMax;
    if (bars_.empty() || !fits || space < 0 || !FitsStep(space) ||
        bars_.size() >= kCharsPerString) {
        FlushBars();
        if (!fits) {
            body_ += std::to_string(bar.left) + " " + std::to_string(width) + " B\n";
        } else {
            barsLeft_ = bar.left;
            AppendStep(bars_, 0);
            AppendStep(bars_, width);
        }
    } else {
        AppendStep(bars_, space);
        AppendStep(bars_, width);
    }
    barsRight_ = bar.right;
}

void Body::FlushBars() {
    if (bars_.empty()) return;
    body_ += std::to_string(barsLeft_) + "(" + bars_ + ")S\n";
    bars_.clear();
}

void Body::FillOutlines(const std::vector<Polygon>& polygons) {
    FlushBars();
    for (const Polygon& polygon : polygons) AppendOutline(body_, polygon);
    if (!polygons.empty()) body_ += "E\n";
}

std::string Body::Finish() {
    FlushBars();
    return std::move(body_);
}

}  // namespace

// Nothing is painted white: the paper is the white, and a RIP's white
// would knock out whatever the designer put under the picture.
FileBytes WriteEps(const Drawing& drawing, const FileMeta& meta) {
    Body body;
    for (const Mark& mark : drawing.marks()) {
        if (const Bars* bars = std::get_if<Bars>(&mark))
            for (const Rect& bar : bars->rects) body.Bar(bar);
        else if (const Outlines* outlines = std::get_if<Outlines>(&mark))
            body.FillOutlines(outlines->polygons);
    }
    const Page& page = drawing.page();
    const Fraction width = PointsOf(page.frame.width);
    const Fraction height = PointsOf(page.frame.height);
    std::string out = "%!PS-Adobe-3.0 EPSF-3.0\n";
    out += "%%BoundingBox: 0 0 " + std::to_string(CeilPoints(page.frame.width)) + " " +
           std::to_string(CeilPoints(page.frame.height)) + "\n";
    out += "%%HiResBoundingBox: 0 0 " + Decimal(width, 4) + " " + Decimal(height, 4) + "\n";
    out += "%%Title: " + DscText(meta.title) + "\n";
    out += "%%Creator: Merrowin " MERROWIN_VERSION_TEXT "\n";
    out += "%%LanguageLevel: 2\n%%EndComments\n";
    // The picture leaves the interpreter's state as it found it.
    out += "save 20 dict begin\n";
    out += kProcedures;
    // Drawing units with y downwards: the picture's top edge at the top of
    // the bounding box, W x H units onto the frame.
    const PointMapping onto = MappingToPoints(page);
    out += "0 " + onto.top + " translate " + onto.xScale + " " + onto.yScale + " scale\n";
    const Fraction inset = EdgeInset(page);
    out += "/i " + Decimal(inset, 4) + " def/j " +
           Decimal({2 * inset.numerator, inset.denominator}, 4) + " def 0 0 0 1 setcmykcolor\n";
    out += body.Finish();
    out += "end restore showpage\n%%EOF\n";
    return {out.begin(), out.end()};
}

}  // namespace merrowin
