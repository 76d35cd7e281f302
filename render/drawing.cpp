#include "render/drawing.h"

#include <algorithm>
#include <stdexcept>

#include "common/saturate.h"
#include "common/text.h"
#include "render/layout.h"
#include "render/outline_text.h"

namespace merrowin {
namespace {

// A box of 64-bit edges: where a mark lies.
struct Extent {
    std::int64_t left, top, right, bottom;
    bool Empty() const { return left >= right || top >= bottom; }
    bool Within(std::int64_t width, std::int64_t height) const {
        return left >= 0 && top >= 0 && right <= width && bottom <= height;
    }
};

// The box of the rectangles of `bars` that have area (empty when none
// has); whether every one of them has area in `allFilled`.
Extent BoxOf(const Bars& bars, bool& allFilled) {
    Rect box{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
    allFilled = true;
    for (const Rect& rect : bars.rects) {
        if (rect.left >= rect.right || rect.top >= rect.bottom) {
            allFilled = false;
            continue;
        }
        box = {std::min(box.left, rect.left), std::min(box.top, rect.top),
               std::max(box.right, rect.right), std::max(box.bottom, rect.bottom)};
    }
    return {box.left, box.top, box.right, box.bottom};
}

// The boxes a mark covers: a run's box of its rectangles with area (none
// without one), a text run's cell (none for an empty one), each outline's
// points' box (which may be a line).
template <class Each>
void ForEachExtent(const Mark& mark, Each each) {
    if (const Bars* bars = std::get_if<Bars>(&mark)) {
        bool allFilled = false;
        const Extent box = BoxOf(*bars, allFilled);
        if (!box.Empty()) each(box);
    } else if (const TextRun* run = std::get_if<TextRun>(&mark)) {
        if (!run->text.empty())
            each(Extent{run->at.x, run->at.y, std::int64_t{run->at.x} + WidthOf(*run),
                        std::int64_t{run->at.y} + run->height});
    } else {
        for (const Polygon& polygon : std::get<Outlines>(mark).polygons) {
            if (polygon.empty()) continue;
            Extent box{polygon[0].x, polygon[0].y, polygon[0].x, polygon[0].y};
            for (const Point p : polygon) {
                box.left = std::min<std::int64_t>(box.left, p.x);
                box.top = std::min<std::int64_t>(box.top, p.y);
                box.right = std::max<std::int64_t>(box.right, p.x);
                box.bottom = std::max<std::int64_t>(box.bottom, p.y);
            }
            each(box);
        }
    }
}

// The UTF-16 code units of UTF-8 text, as Utf16FromUtf8 gives them: one a
// byte for ASCII (the digits), which needs no conversion to count.
std::size_t Utf16Length(std::string_view text) {
    return IsAscii(text) ? text.size() : Utf16FromUtf8(text).size();
}

// At most the marks a symbol has: its runs of bars, its digits one a mark,
// an add-on's bars and digits (a reserve, no limit).
constexpr std::size_t kMarks = 40;

bool Side(std::int32_t v) {
    return v >= 1 && v <= kMaxPictureSide;
}

}  // namespace

FontSpec SymbolFont(int height) {
    return {std::string(kSymbolFontFace), 0, height};
}

std::int32_t WidthOf(const TextRun& run) {
    std::int64_t width = 0;
    for (const std::int32_t advance : run.advances) width += advance;
    return Saturate(width);
}

Drawing::Drawing(const Page& page, const ScreenFigures& screen, std::vector<Rect> ground,
                 std::vector<Mark> marks)
    : page_(page), screen_(screen), ground_(std::move(ground)), marks_(std::move(marks)) {
    if (!Side(page.width) || !Side(page.height) || !Side(page.copyWidth) || !Side(page.copyHeight))
        throw std::invalid_argument("a picture side outside 1 to 32767");
    if (page.frame.width < 1 || page.frame.height < 1)
        throw std::invalid_argument("a frame without area");
    if (page.dotsPerInch < 1) throw std::invalid_argument("a picture without a resolution");
    if (screen.widthPixels < 1 || screen.heightPixels < 1 || screen.widthMm < 1 ||
        screen.heightMm < 1)
        throw std::invalid_argument("screen figures without area");
    const auto inside = [&page](const Extent& extent) {
        if (!extent.Within(page.width, page.height))
            throw std::invalid_argument("a mark outside the page");
    };
    const auto filled = [&inside](const Rect& rect) {
        if (rect.left >= rect.right || rect.top >= rect.bottom)
            throw std::invalid_argument("a rectangle without area");
        inside({rect.left, rect.top, rect.right, rect.bottom});
    };
    for (const Rect& rect : ground_) filled(rect);
    for (const Mark& mark : marks_) {
        if (const Bars* bars = std::get_if<Bars>(&mark)) {
            // Every rectangle inside when their box is.
            bool allFilled = false;
            const Extent box = BoxOf(*bars, allFilled);
            if (!allFilled) throw std::invalid_argument("a rectangle without area");
            if (!box.Empty()) inside(box);
            continue;
        }
        if (const TextRun* run = std::get_if<TextRun>(&mark)) {
            if (!run->text.empty() && run->height < 1)
                throw std::invalid_argument("a text run without height");
            if (run->advances.size() != Utf16Length(run->text))
                throw std::invalid_argument("a text run without one advance per character");
        }
        if (const Outlines* outlines = std::get_if<Outlines>(&mark)) {
            for (const Polygon& polygon : outlines->polygons)
                if (polygon.size() < 3) throw std::invalid_argument("an outline enclosing nothing");
        }
        ForEachExtent(mark, inside);
    }
}

bool Drawing::HasTextRuns() const {
    return std::any_of(marks_.begin(), marks_.end(),
                       [](const Mark& mark) { return std::holds_alternative<TextRun>(mark); });
}

MarkCanvas::MarkCanvas(TextMeasurer measure) : measure_(std::move(measure)) {}

void MarkCanvas::Reserve(std::size_t rects) {
    marks_.reserve(kMarks);
    runRects_ = rects;
}

void MarkCanvas::FillRect(const Rect& rect) {
    if (rect.left >= rect.right || rect.top >= rect.bottom) return;
    if (run_ == nullptr) StartRun();
    run_->push_back(rect);
}

void MarkCanvas::StartRun() {
    run_ = &std::get<Bars>(marks_.emplace_back(Bars{})).rects;
    run_->reserve(runRects_);
}

std::vector<Mark> MarkCanvas::TakeMarks() {
    run_ = nullptr;
    return std::move(marks_);
}

const std::vector<std::int32_t>& MarkCanvas::Advances(int height, std::string_view text) {
    if (measuredHeight_ != height || measuredText_ != text || measuredHeight_ == 0) {
        const std::u16string wide = Utf16FromUtf8(text);
        std::vector<std::int32_t> advances = measure_(SymbolFont(height), wide);
        if (advances.size() != wide.size())
            throw std::logic_error("the text measurement gives one advance per character");
        measured_ = std::move(advances);
        measuredText_ = text;
        measuredHeight_ = height;
    }
    return measured_;
}

int MarkCanvas::TextWidth(int height, std::string_view text) {
    if (!measure_) return Saturate(OutlineTextWidth(text, height));
    std::int64_t width = 0;
    for (const std::int32_t advance : Advances(height, text)) width += advance;
    return Saturate(width);
}

void MarkCanvas::PutText(int x, int y, int height, std::string_view text) {
    run_ = nullptr;
    if (!measure_) {
        marks_.emplace_back(Outlines{OutlineText(text, x, y, height)});
        return;
    }
    // A text is measured (TextWidth) and then drawn once: its run takes the
    // measurement, which is measured afresh should the text come again.
    std::vector<std::int32_t> advances;
    if (!text.empty()) {
        Advances(height, text);
        advances = std::move(measured_);
        measuredHeight_ = 0;
    }
    marks_.emplace_back(TextRun{{x, y}, height, std::string(text), std::move(advances)});
}

bool BarcodeCheck(const SymbolLayout& layout, const std::vector<Mark>& marks) {
    bool inside = true;
    for (const Mark& mark : marks)
        ForEachExtent(mark, [&](const Extent& extent) {
            if (!extent.Empty() && !extent.Within(layout.W, layout.H)) inside = false;
        });
    // An add-on without bars would leave a code that reads without it.
    const bool addOn = layout.addOnX == 0 || layout.addOnTop < layout.addOnBottom;
    return inside && layout.Y1 < layout.Y2 && addOn;
}

std::optional<Drawing> DrawPicture(const BarcodeJob& job, std::string_view pattern,
                                   const Picture& picture, const ScreenFigures& screen,
                                   const TextMeasurer& measure) {
    const SymbolLayout& layout = picture.layout;
    const Page& page = picture.page;
    // The white ground: the quiet zone a page on a printer's dots was
    // widened by (FrameOnDots), then the symbol's box.
    std::vector<Rect> ground;
    if (page.width > layout.W) ground.push_back({layout.W, 0, page.width, page.height});
    if (page.height > layout.H) ground.push_back({0, layout.H, layout.W, page.height});
    ground.push_back({0, 0, layout.W, layout.H});
    MarkCanvas canvas(job.OutlinedText ? TextMeasurer{} : measure);
    // Room for a bar per two elements and a bearer frame's four in each run
    // of rectangles, so the bars are not moved while the symbol is drawn.
    canvas.Reserve(pattern.size() / 2 + 1 + 4);
    DrawSymbol(job, pattern, layout, canvas);
    if (!BarcodeCheck(layout, canvas.marks())) return std::nullopt;
    return Drawing(page, screen, std::move(ground), canvas.TakeMarks());
}

}  // namespace merrowin
