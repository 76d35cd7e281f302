#include <algorithm>
#include <array>
#include <bit>
#include <cassert>
#include <cmath>
#include <cstring>
#include <span>
#include <stdexcept>
#include <utility>

#include "common/saturate.h"
#include "common/text.h"
#include "render/formats/formats.h"

namespace merrowin {
namespace {

// Record types of [MS-EMF] 2.1.1 RecordType.
enum class RecordType : std::uint32_t {
    Header = 0x01,                  // EMR_HEADER
    SetWindowExtEx = 0x09,          // EMR_SETWINDOWEXTEX
    SetViewportExtEx = 0x0B,        // EMR_SETVIEWPORTEXTEX
    Eof = 0x0E,                     // EMR_EOF
    SetMapMode = 0x11,              // EMR_SETMAPMODE
    SetBkMode = 0x12,               // EMR_SETBKMODE
    SelectObject = 0x25,            // EMR_SELECTOBJECT
    ExtCreateFontIndirectW = 0x52,  // EMR_EXTCREATEFONTINDIRECTW
    ExtTextOutW = 0x54,             // EMR_EXTTEXTOUTW
    Polygon16 = 0x56,               // EMR_POLYGON16
    PolyPolygon16 = 0x5B,           // EMR_POLYPOLYGON16
};

constexpr std::uint32_t kEnhMetaSignature = 0x464D4520;  // " EMF"
constexpr std::uint32_t kEmfVersion = 0x00010000;
constexpr std::uint32_t kMmAnisotropic = 8;        // MapMode
constexpr std::uint32_t kTransparent = 1;          // BackgroundMode
constexpr std::uint32_t kGmCompatible = 1;         // GraphicsMode
constexpr std::uint32_t kWhiteBrush = 0x80000000;  // StockObject WHITE_BRUSH
constexpr std::uint32_t kBlackBrush = 0x80000004;  // StockObject BLACK_BRUSH
constexpr std::uint32_t kNullPen = 0x80000008;     // StockObject NULL_PEN
constexpr std::int32_t kFwNormal = 400;
constexpr std::size_t kFaceSize = 32;  // LF_FACESIZE, the terminating zero included

using Bytes = std::vector<std::uint8_t>;

// Writes fields little-endian whatever the machine, so the bytes are the
// same everywhere, into bytes already sized and zeroed for them.
class Cursor {
public:
    explicit Cursor(std::uint8_t* at) : at_(at) {}
    void U8(std::uint8_t value) { *at_++ = value; }
    // A field's bytes are put together first and copied at once: written
    // one by one through at_, each would make the compiler load at_ afresh.
    void U16(std::uint16_t value) {
        const std::array<std::uint8_t, 2> bytes{static_cast<std::uint8_t>(value),
                                                static_cast<std::uint8_t>(value >> 8)};
        Copy(bytes);
    }
    void U32(std::uint32_t value) {
        const std::array<std::uint8_t, 4> bytes{
            static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
            static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
        Copy(bytes);
    }
    void I16(std::int16_t value) { U16(static_cast<std::uint16_t>(value)); }
    void I32(std::int32_t value) { U32(static_cast<std::uint32_t>(value)); }
    void Float(float value) { U32(std::bit_cast<std::uint32_t>(value)); }
    // Leaves `count` bytes as they are: zero.
    void Skip(std::size_t count) { at_ += count; }
    const std::uint8_t* At() const { return at_; }

private:
    template <std::size_t N>
    void Copy(const std::array<std::uint8_t, N>& bytes) {
        std::memcpy(at_, bytes.data(), N);
        at_ += N;
    }

    std::uint8_t* at_;
};

struct RectL {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
};
struct SizeL {
    std::int32_t cx = 0, cy = 0;
};
struct PointL {
    std::int32_t x = 0, y = 0;
};

void Put(Cursor& out, const RectL& r) {
    for (const std::int32_t v : {r.left, r.top, r.right, r.bottom}) out.I32(v);
}
void Put(Cursor& out, const SizeL& s) {
    out.I32(s.cx);
    out.I32(s.cy);
}
void Put(Cursor& out, const PointL& p) {
    out.I32(p.x);
    out.I32(p.y);
}

// Every record kind below is a struct named as in [MS-EMF] with its type,
// a SizeOf giving its size in bytes (type and size fields included) and a
// Put writing the fields after them. Write and Append do the rest.
constexpr std::uint32_t kRecordStart = 4 + 4;  // Type, Size

// Writes a whole record at `at`, into bytes sized and zeroed for it.
template <class EmfRecord>
void Write(std::uint8_t* at, const EmfRecord& record) {
    const std::uint32_t size = SizeOf(record);
    Cursor out(at);
    out.U32(static_cast<std::uint32_t>(EmfRecord::kType));
    out.U32(size);
    Put(out, record);
    assert(out.At() == at + size);
}

// Appends one record, its bytes zeroed first.
template <class EmfRecord>
void Append(Bytes& out, const EmfRecord& record) {
    const std::size_t at = out.size();
    out.resize(at + SizeOf(record));
    Write(out.data() + at, record);
}

// EMR_HEADER with both extensions (the pixel format fields and
// szlMicrometers), no description and no palette.
struct EmrHeader {
    static constexpr RecordType kType = RecordType::Header;
    RectL bounds;  // inclusive, in reference pixels
    RectL frame;   // .01 mm
    std::uint32_t bytes = 0;
    std::uint32_t records = 0;
    std::uint16_t handles = 0;
    SizeL device;
    SizeL millimeters;
    SizeL micrometers;
};
constexpr std::uint32_t SizeOf(const EmrHeader&) {
    return kRecordStart + 16 + 16 +  // bounds, frame
           4 + 4 + 4 + 4 +           // signature, version, bytes, records
           2 + 2 +                   // handles, reserved
           4 + 4 + 4 +               // nDescription, offDescription, nPalEntries
           8 + 8 +                   // device, millimeters
           4 + 4 + 4 +               // cbPixelFormat, offPixelFormat, bOpenGL
           8;                        // micrometers
}
void Put(Cursor& out, const EmrHeader& r) {
    Put(out, r.bounds);
    Put(out, r.frame);
    out.U32(kEnhMetaSignature);
    out.U32(kEmfVersion);
    out.U32(r.bytes);
    out.U32(r.records);
    out.U16(r.handles);
    out.Skip(2 + 4 + 4 + 4);  // reserved, nDescription, offDescription, nPalEntries
    Put(out, r.device);
    Put(out, r.millimeters);
    out.Skip(4 + 4 + 4);  // cbPixelFormat, offPixelFormat, bOpenGL
    Put(out, r.micrometers);
}

struct EmrSetMapMode {
    static constexpr RecordType kType = RecordType::SetMapMode;
    std::uint32_t mapMode = 0;
};
constexpr std::uint32_t SizeOf(const EmrSetMapMode&) {
    return kRecordStart + 4;
}
void Put(Cursor& out, const EmrSetMapMode& r) {
    out.U32(r.mapMode);
}

struct EmrSetWindowExtEx {
    static constexpr RecordType kType = RecordType::SetWindowExtEx;
    SizeL extent;
};
constexpr std::uint32_t SizeOf(const EmrSetWindowExtEx&) {
    return kRecordStart + 8;
}
void Put(Cursor& out, const EmrSetWindowExtEx& r) {
    Put(out, r.extent);
}

struct EmrSetViewportExtEx {
    static constexpr RecordType kType = RecordType::SetViewportExtEx;
    SizeL extent;
};
constexpr std::uint32_t SizeOf(const EmrSetViewportExtEx&) {
    return kRecordStart + 8;
}
void Put(Cursor& out, const EmrSetViewportExtEx& r) {
    Put(out, r.extent);
}

struct EmrSelectObject {
    static constexpr RecordType kType = RecordType::SelectObject;
    std::uint32_t ihObject = 0;
};
constexpr std::uint32_t SizeOf(const EmrSelectObject&) {
    return kRecordStart + 4;
}
void Put(Cursor& out, const EmrSelectObject& r) {
    out.U32(r.ihObject);
}

struct EmrSetBkMode {
    static constexpr RecordType kType = RecordType::SetBkMode;
    std::uint32_t backgroundMode = 0;
};
constexpr std::uint32_t SizeOf(const EmrSetBkMode&) {
    return kRecordStart + 4;
}
void Put(Cursor& out, const EmrSetBkMode& r) {
    out.U32(r.backgroundMode);
}

// A rectangle's four corners as 16-bit points, clockwise from the top
// left: a polygon's fill covers x in [left, right), y in [top, bottom), in
// any graphics mode.
constexpr std::uint32_t kCornerBytes = 4 * (2 + 2);
void PutCorners(Cursor& out, const Rect& r) {
    const auto point = [&out](int x, int y) {
        out.I16(static_cast<std::int16_t>(x));
        out.I16(static_cast<std::int16_t>(y));
    };
    point(r.left, r.top);
    point(r.right, r.top);
    point(r.right, r.bottom);
    point(r.left, r.bottom);
}

// One rectangle as a polygon of its four corners.
struct EmrPolygon16 {
    static constexpr RecordType kType = RecordType::Polygon16;
    RectL bounds;
    Rect rectangle;
};
constexpr std::uint32_t SizeOf(const EmrPolygon16&) {
    return kRecordStart + 16 + 4 + kCornerBytes;  // bounds, Count, aPoints
}
void Put(Cursor& out, const EmrPolygon16& r) {
    Put(out, r.bounds);
    out.U32(4);
    PutCorners(out, r.rectangle);
}

// Rectangles as polygons of four corners each.
struct EmrPolyPolygon16 {
    static constexpr RecordType kType = RecordType::PolyPolygon16;
    RectL bounds;
    std::span<const Rect> rectangles;
};
std::uint32_t SizeOf(const EmrPolyPolygon16& r) {
    // bounds, NumberOfPolygons, Count, then a count and four corners each
    const auto count = static_cast<std::uint32_t>(r.rectangles.size());
    return kRecordStart + 16 + 4 + 4 + count * (4 + kCornerBytes);
}
void Put(Cursor& out, const EmrPolyPolygon16& r) {
    Put(out, r.bounds);
    out.U32(static_cast<std::uint32_t>(r.rectangles.size()));
    out.U32(static_cast<std::uint32_t>(4 * r.rectangles.size()));
    for (std::size_t i = 0; i < r.rectangles.size(); ++i) out.U32(4);
    for (const Rect& rectangle : r.rectangles) PutCorners(out, rectangle);
}

// Filled outlines (the glyphs of outlined digits): polygons of three or
// more points each, one point count per polygon.
struct EmrPolyPolygonOutlines16 {
    static constexpr RecordType kType = RecordType::PolyPolygon16;
    RectL bounds;
    std::span<const Polygon> polygons;
};
std::uint32_t SizeOf(const EmrPolyPolygonOutlines16& r) {
    // bounds, NumberOfPolygons, Count, a count per polygon, the points
    std::uint32_t points = 0;
    for (const Polygon& polygon : r.polygons) points += static_cast<std::uint32_t>(polygon.size());
    return kRecordStart + 16 + 4 + 4 + 4 * static_cast<std::uint32_t>(r.polygons.size()) +
           (2 + 2) * points;
}
void Put(Cursor& out, const EmrPolyPolygonOutlines16& r) {
    Put(out, r.bounds);
    std::uint32_t points = 0;
    for (const Polygon& polygon : r.polygons) points += static_cast<std::uint32_t>(polygon.size());
    out.U32(static_cast<std::uint32_t>(r.polygons.size()));
    out.U32(points);
    for (const Polygon& polygon : r.polygons) out.U32(static_cast<std::uint32_t>(polygon.size()));
    // The drawing keeps every point on its page, within 16 bits.
    for (const Polygon& polygon : r.polygons) {
        for (const Point& point : polygon) {
            out.I16(static_cast<std::int16_t>(point.x));
            out.I16(static_cast<std::int16_t>(point.y));
        }
    }
}

// LogFont ([MS-EMF] 2.2.13), 92 bytes; the face name is zero-filled to its
// full 32 characters.
struct LogFontW {
    std::int32_t height = 0;
    std::int32_t width = 0;
    std::int32_t escapement = 0;
    std::int32_t orientation = 0;
    std::int32_t weight = kFwNormal;
    std::uint8_t italic = 0;
    std::uint8_t underline = 0;
    std::uint8_t strikeOut = 0;
    std::uint8_t charSet = 0;
    std::uint8_t outPrecision = 0;    // OUT_DEFAULT_PRECIS
    std::uint8_t clipPrecision = 0;   // CLIP_DEFAULT_PRECIS
    std::uint8_t quality = 0;         // DEFAULT_QUALITY
    std::uint8_t pitchAndFamily = 0;  // DEFAULT_PITCH | FF_DONTCARE
    std::u16string faceName;          // at most kFaceSize - 1 code units
};
constexpr std::uint32_t kLogFontBytes = 5 * 4 + 8 + 2 * kFaceSize;
void Put(Cursor& out, const LogFontW& f) {
    for (const std::int32_t v : {f.height, f.width, f.escapement, f.orientation, f.weight})
        out.I32(v);
    for (const std::uint8_t v : {f.italic, f.underline, f.strikeOut, f.charSet, f.outPrecision,
                                 f.clipPrecision, f.quality, f.pitchAndFamily})
        out.U8(v);
    for (std::size_t i = 0; i < kFaceSize; ++i) out.U16(i < f.faceName.size() ? f.faceName[i] : 0);
}

// With a plain LogFont as elw: a record no larger than a LogFontPanose one
// is read as a LogFont ([MS-EMF] 2.3.7.8).
struct EmrExtCreateFontIndirectW {
    static constexpr RecordType kType = RecordType::ExtCreateFontIndirectW;
    std::uint32_t ihFonts = 0;
    LogFontW elw;
};
constexpr std::uint32_t SizeOf(const EmrExtCreateFontIndirectW&) {
    return kRecordStart + 4 + kLogFontBytes;
}
void Put(Cursor& out, const EmrExtCreateFontIndirectW& r) {
    out.U32(r.ihFonts);
    Put(out, r.elw);
}

// EmrText ([MS-EMF] 2.2.5) with its rectangle (Options has no ETO_NO_RECT),
// the string padded to four bytes, then one advance per character.
struct EmrText {
    PointL reference;
    std::u16string_view string;
    std::uint32_t options = 0;
    RectL rectangle;
    std::span<const std::int32_t> dx;
};

struct EmrExtTextOutW {
    static constexpr RecordType kType = RecordType::ExtTextOutW;
    RectL bounds;
    std::uint32_t graphicsMode = kGmCompatible;
    float exScale = 0;
    float eyScale = 0;
    EmrText text;
};
// Where EmrText's string starts: after bounds, iGraphicsMode, exScale and
// eyScale, then EmrText's fixed part (reference, nChars, offString,
// options, rectangle, offDx).
constexpr std::uint32_t kTextStringOffset = kRecordStart + 16 + 4 + 4 + 4 + 8 + 4 + 4 + 4 + 16 + 4;
constexpr std::uint32_t TextDxOffset(const EmrExtTextOutW& r) {
    const auto stringBytes = static_cast<std::uint32_t>(2 * r.text.string.size());
    return kTextStringOffset + (stringBytes + 3) / 4 * 4;
}
constexpr std::uint32_t SizeOf(const EmrExtTextOutW& r) {
    return TextDxOffset(r) + static_cast<std::uint32_t>(4 * r.text.dx.size());
}
void Put(Cursor& out, const EmrExtTextOutW& r) {
    Put(out, r.bounds);
    out.U32(r.graphicsMode);
    out.Float(r.exScale);
    out.Float(r.eyScale);
    Put(out, r.text.reference);
    out.U32(static_cast<std::uint32_t>(r.text.string.size()));
    out.U32(kTextStringOffset);
    out.U32(r.text.options);
    Put(out, r.text.rectangle);
    out.U32(TextDxOffset(r));
    for (const char16_t c : r.text.string) out.U16(c);
    if (r.text.string.size() % 2 != 0) out.Skip(2);
    for (const std::int32_t advance : r.text.dx) out.I32(advance);
}

// No palette: nPalEntries 0, offPalEntries where the entries would begin
// (right after that field) and SizeLast, the record's own size, as GDI
// writes them.
struct EmrEof {
    static constexpr RecordType kType = RecordType::Eof;
};
constexpr std::uint32_t SizeOf(const EmrEof&) {
    return kRecordStart + 4 + 4 + 4;  // nPalEntries, offPalEntries, SizeLast
}
void Put(Cursor& out, const EmrEof& r) {
    out.U32(0);
    out.U32(kRecordStart + 4 + 4);
    out.U32(SizeOf(r));
}

// numerator / denominator (both at least 1, below 2^62) as the nearest
// float, ties to even. Worked in integers: every compiler and FPU (the x87
// keeps extra precision) gives the same bits.
float NearestFloat(std::uint64_t numerator, std::uint64_t denominator) {
    std::uint64_t mantissa = numerator / denominator;
    std::uint64_t remainder = numerator % denominator;
    int exponent = 0;
    // Past 24 bits: the bits shifted out decide the rounding with the remainder.
    bool sticky = false;
    while (mantissa >= (std::uint64_t{1} << 25)) {
        sticky = sticky || (mantissa & 1) != 0;
        mantissa >>= 1;
        ++exponent;
    }
    // Below: more bits from the remainder, one at a time, up to 24 and a rounding bit.
    while (mantissa < (std::uint64_t{1} << 24)) {
        remainder *= 2;
        mantissa = 2 * mantissa + (remainder >= denominator ? 1 : 0);
        if (remainder >= denominator) remainder -= denominator;
        --exponent;
    }
    sticky = sticky || remainder != 0;
    const bool roundingBit = (mantissa & 1) != 0;
    mantissa >>= 1;
    ++exponent;
    if (roundingBit && (sticky || (mantissa & 1) != 0)) ++mantissa;
    return std::ldexp(static_cast<float>(mantissa), exponent);
}

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

// The window and viewport extents of a page.
ExactMapping MappingOf(const Page& page) {
    if (page.exact.windowWidth > 0) return page.exact;
    return {page.width, page.height, page.copyWidth, page.copyHeight};
}

// The reference pixels that the units [left, right) x [top, bottom) of the
// page fall on, both corners included.
RectL DeviceBounds(const Page& page, std::int64_t left, std::int64_t top, std::int64_t right,
                   std::int64_t bottom) {
    const ExactMapping map = MappingOf(page);
    const std::int64_t w = map.windowWidth, h = map.windowHeight;
    const std::int64_t ws = map.viewportWidth, hs = map.viewportHeight;
    return {Saturate(FloorDiv(left * ws, w)), Saturate(FloorDiv(top * hs, h)),
            Saturate(-FloorDiv(-right * ws, w) - 1), Saturate(-FloorDiv(-bottom * hs, h) - 1)};
}

bool Overlap(const Rect& a, const Rect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

enum class Colour : std::uint8_t { White, Black };

// The records of one drawing, written in its order: consecutive fills of
// one colour become one polygon record, a font record per distinct height
// where a run first needs it.
class Recorder {
public:
    explicit Recorder(const Drawing& drawing);

    void Fill(const std::vector<Rect>& rects, Colour colour);
    void Text(const TextRun& run);
    void FillOutlines(const std::vector<Polygon>& polygons);
    // The whole metafile, header first, end record last.
    FileBytes Finish();

private:
    // Writes the pending fills as one polygon record.
    void FlushFills();
    // Selects the null pen and the brush of `colour` where they are not yet.
    void SelectFill(Colour colour);
    // Selects the symbol's font `height` units high, creating it first.
    void SelectFont(int height);
    // Appends one record and counts it.
    template <class EmfRecord>
    void Emit(const EmfRecord& record);

    const Page& page_;
    const ScreenFigures& screen_;
    Bytes records_;                  // the whole metafile so far, header first
    std::uint32_t recordCount_ = 0;  // the header included
    std::vector<Rect> fills_;        // pending, all of one colour, none overlapping
    Rect fillsBounds_;               // the union of fills_
    Colour fillColour_ = Colour::White;
    bool penSelected_ = false;
    bool brushSelected_ = false;
    Colour brush_ = Colour::White;
    std::vector<int> fonts_;  // the height of the font of object handle i + 1
    std::size_t font_ = 0;    // the selected font's handle, 0 before the first
    bool transparent_ = false;
    float exScale_ = 0;  // of every text record
    float eyScale_ = 0;
};

template <class EmfRecord>
void Recorder::Emit(const EmfRecord& record) {
    Append(records_, record);
    ++recordCount_;
}

Recorder::Recorder(const Drawing& drawing) : page_(drawing.page()), screen_(drawing.screen()) {
    // A symbol takes one to two kilobytes: room for them, and for every
    // rectangle in one batch, up front spares the writer its reallocations.
    records_.reserve(4096);
    std::size_t rects = drawing.ground().size();
    for (const Mark& mark : drawing.marks())
        if (const Bars* bars = std::get_if<Bars>(&mark)) rects += bars->rects.size();
    fills_.reserve(rects);
    // What GDI writes into a text record in GM_COMPATIBLE: the reference
    // device's millimetres per pixel x 100, divided by the window/viewport
    // ratio (Wine, dlls/gdi32/emfdc.c EMFDC_ExtTextOut:
    // 100 * (HORZSIZE / HORZRES) / (wndext.cx / vportext.cx); its
    // test_ExtTextOutScale in dlls/gdi32/tests/metafile.c passes on Windows,
    // and [MS-EMF] 2.3.5.8 uses the scales in that mode only).
    const auto scale = [](std::int64_t mm, std::int64_t copy, std::int64_t pixels,
                          std::int64_t full) {
        return NearestFloat(static_cast<std::uint64_t>(100 * mm * copy),
                            static_cast<std::uint64_t>(pixels * full));
    };
    const ExactMapping map = MappingOf(page_);
    exScale_ = scale(screen_.widthMm, map.viewportWidth, screen_.widthPixels, map.windowWidth);
    eyScale_ = scale(screen_.heightMm, map.viewportHeight, screen_.heightPixels, map.windowHeight);
    // The header goes first and counts as a record; Finish fills in its
    // figures, which take the same bytes whatever their values.
    Emit(EmrHeader{});
    // The copy keeps the full-size records: the window of W x H units is
    // mapped onto a viewport of Ws x Hs reference pixels.
    if (map.viewportWidth != map.windowWidth || map.viewportHeight != map.windowHeight) {
        Emit(EmrSetMapMode{kMmAnisotropic});
        Emit(EmrSetWindowExtEx{{map.windowWidth, map.windowHeight}});
        Emit(EmrSetViewportExtEx{{map.viewportWidth, map.viewportHeight}});
    }
}

void Recorder::Fill(const std::vector<Rect>& rects, Colour colour) {
    if (rects.empty()) return;
    if (!fills_.empty() && colour != fillColour_) FlushFills();
    fillColour_ = colour;
    if (fills_.empty()) fillsBounds_ = rects.front();
    // The batch's bounds are worked on here and stored before a flush.
    Rect bounds = fillsBounds_;
    for (const Rect& rect : rects) {
        // Overlapping polygons of one record would cancel out under the
        // default alternate fill mode, so an overlap starts a new record.
        // Bars come left to right: clear of the batch's bounds, a rectangle
        // overlaps none of it.
        if (!fills_.empty() && Overlap(bounds, rect) &&
            std::any_of(fills_.begin(), fills_.end(),
                        [&](const Rect& r) { return Overlap(r, rect); })) {
            fillsBounds_ = bounds;
            FlushFills();
            bounds = rect;
        }
        bounds = {std::min(bounds.left, rect.left), std::min(bounds.top, rect.top),
                  std::max(bounds.right, rect.right), std::max(bounds.bottom, rect.bottom)};
        fills_.push_back(rect);
    }
    fillsBounds_ = bounds;
}

void Recorder::SelectFill(Colour colour) {
    if (!penSelected_) {
        Emit(EmrSelectObject{kNullPen});
        penSelected_ = true;
    }
    if (!brushSelected_ || brush_ != colour) {
        Emit(EmrSelectObject{colour == Colour::White ? kWhiteBrush : kBlackBrush});
        brushSelected_ = true;
        brush_ = colour;
    }
}

void Recorder::FlushFills() {
    if (fills_.empty()) return;
    SelectFill(fillColour_);
    const RectL bounds = DeviceBounds(page_, fillsBounds_.left, fillsBounds_.top,
                                      fillsBounds_.right, fillsBounds_.bottom);
    if (fills_.size() == 1)
        Emit(EmrPolygon16{bounds, fills_.front()});
    else
        Emit(EmrPolyPolygon16{bounds, fills_});
    fills_.clear();
}

void Recorder::SelectFont(int height) {
    if (font_ != 0 && fonts_[font_ - 1] == height) return;
    auto known = std::find(fonts_.begin(), fonts_.end(), height);
    if (known == fonts_.end()) {
        // The header counts handles in 16 bits, the metafile's own included.
        if (fonts_.size() + 1 >= 0xFFFF) throw std::length_error("too many fonts in one metafile");
        const FontSpec font = SymbolFont(height);
        LogFontW logFont;
        logFont.height = font.height;
        logFont.charSet = static_cast<std::uint8_t>(font.charset);
        logFont.faceName = Utf16FromUtf8(font.face);
        if (logFont.faceName.size() > kFaceSize - 1) logFont.faceName.resize(kFaceSize - 1);
        fonts_.push_back(height);
        known = fonts_.end() - 1;
        Emit(EmrExtCreateFontIndirectW{static_cast<std::uint32_t>(fonts_.size()),
                                       std::move(logFont)});
    }
    font_ = static_cast<std::size_t>(known - fonts_.begin()) + 1;
    Emit(EmrSelectObject{static_cast<std::uint32_t>(font_)});
}

void Recorder::Text(const TextRun& run) {
    FlushFills();
    SelectFont(run.height);
    // Every byte of UTF-8 text gives at least one UTF-16 code unit.
    if (run.text.empty()) return;
    if (!transparent_) {
        Emit(EmrSetBkMode{kTransparent});
        transparent_ = true;
    }
    const std::u16string wide = Utf16FromUtf8(run.text);
    // Bounds: the text's cell.
    const std::int32_t x = run.at.x, y = run.at.y;
    EmrExtTextOutW record;
    record.bounds =
        DeviceBounds(page_, x, y, std::int64_t{x} + std::max<std::int64_t>(WidthOf(run), 1),
                     std::int64_t{y} + std::max(run.height, 1));
    record.exScale = exScale_;
    record.eyScale = eyScale_;
    record.text.reference = {x, y};
    record.text.string = wide;
    record.text.rectangle = {0, 0, -1, -1};  // no clipping or opaque box, as GDI records it
    record.text.dx = run.advances;
    Emit(record);
}

void Recorder::FillOutlines(const std::vector<Polygon>& polygons) {
    FlushFills();
    if (polygons.empty()) return;
    std::int64_t left = INT64_MAX, top = INT64_MAX, right = INT64_MIN, bottom = INT64_MIN;
    for (const Polygon& polygon : polygons) {
        for (const Point& p : polygon) {
            left = std::min<std::int64_t>(left, p.x);
            top = std::min<std::int64_t>(top, p.y);
            right = std::max<std::int64_t>(right, p.x);
            bottom = std::max<std::int64_t>(bottom, p.y);
        }
    }
    SelectFill(Colour::Black);
    Emit(EmrPolyPolygonOutlines16{DeviceBounds(page_, left, top, right, bottom), polygons});
}

FileBytes Recorder::Finish() {
    FlushFills();
    Emit(EmrEof{});

    EmrHeader header;
    header.bounds = {0, 0, page_.copyWidth - 1, page_.copyHeight - 1};
    header.frame = {0, 0, page_.frame.width, page_.frame.height};
    header.bytes = static_cast<std::uint32_t>(records_.size());
    header.records = recordCount_;
    header.handles = static_cast<std::uint16_t>(1 + fonts_.size());
    header.device = {screen_.widthPixels, screen_.heightPixels};
    header.millimeters = {screen_.widthMm, screen_.heightMm};
    header.micrometers = {Saturate(std::int64_t{screen_.widthMm} * 1000),
                          Saturate(std::int64_t{screen_.heightMm} * 1000)};
    Write(records_.data(), header);
    return std::move(records_);
}

}  // namespace

// The metafile paints its white ground: a consumer pastes it onto any
// background, and Office shows what the picture covers.
FileBytes WriteEmf(const Drawing& drawing, const FileMeta&) {
    Recorder recorder(drawing);
    recorder.Fill(drawing.ground(), Colour::White);
    for (const Mark& mark : drawing.marks()) {
        if (const Bars* bars = std::get_if<Bars>(&mark))
            recorder.Fill(bars->rects, Colour::Black);
        else if (const TextRun* run = std::get_if<TextRun>(&mark))
            recorder.Text(*run);
        else
            recorder.FillOutlines(std::get<Outlines>(mark).polygons);
    }
    return recorder.Finish();
}

}  // namespace merrowin
