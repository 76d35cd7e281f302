#include "render/emf_writer.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <numeric>
#include <stdexcept>
#include <utility>

#include "common/saturate.h"
#include "common/text.h"

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

// Little-endian whatever the machine, so the bytes are the same everywhere.
void PutU16(Bytes& out, std::uint16_t value) {
    out.insert(out.end(),
               {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8)});
}

void PutU32(Bytes& out, std::uint32_t value) {
    out.insert(out.end(),
               {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
                static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)});
}

void PutI32(Bytes& out, std::int32_t value) {
    PutU32(out, static_cast<std::uint32_t>(value));
}
void PutI16(Bytes& out, std::int16_t value) {
    PutU16(out, static_cast<std::uint16_t>(value));
}
void PutFloat(Bytes& out, float value) {
    PutU32(out, std::bit_cast<std::uint32_t>(value));
}

void PatchU32(Bytes& out, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

struct RectL {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
};
struct SizeL {
    std::int32_t cx = 0, cy = 0;
};
struct PointL {
    std::int32_t x = 0, y = 0;
};
struct PointS {
    std::int16_t x = 0, y = 0;
};

void Put(Bytes& out, const RectL& r) {
    for (const std::int32_t v : {r.left, r.top, r.right, r.bottom}) PutI32(out, v);
}
void Put(Bytes& out, const SizeL& s) {
    PutI32(out, s.cx);
    PutI32(out, s.cy);
}
void Put(Bytes& out, const PointL& p) {
    PutI32(out, p.x);
    PutI32(out, p.y);
}
void Put(Bytes& out, const PointS& p) {
    PutI16(out, p.x);
    PutI16(out, p.y);
}

// Every record starts with its type and its size in bytes; the size is
// filled in when the record is complete.
class Record {
public:
    Record(Bytes& out, RecordType type) : out_(out), start_(out.size()) {
        PutU32(out, static_cast<std::uint32_t>(type));
        PutU32(out, 0);
    }
    Record(const Record&) = delete;
    Record& operator=(const Record&) = delete;
    ~Record() { PatchU32(out_, start_ + 4, static_cast<std::uint32_t>(out_.size() - start_)); }
    // Offset of the next byte from the start of the record.
    std::uint32_t Offset() const { return static_cast<std::uint32_t>(out_.size() - start_); }

private:
    Bytes& out_;
    std::size_t start_;
};

// EMR_HEADER with both extensions (the pixel format fields and
// szlMicrometers), no description and no palette.
struct EmrHeader {
    RectL bounds;  // inclusive, in reference pixels
    RectL frame;   // .01 mm
    std::uint32_t bytes = 0;
    std::uint32_t records = 0;
    std::uint16_t handles = 0;
    SizeL device;
    SizeL millimeters;
    SizeL micrometers;
};

void Put(Bytes& out, const EmrHeader& r) {
    Record record(out, RecordType::Header);
    Put(out, r.bounds);
    Put(out, r.frame);
    PutU32(out, kEnhMetaSignature);
    PutU32(out, kEmfVersion);
    PutU32(out, r.bytes);
    PutU32(out, r.records);
    PutU16(out, r.handles);
    PutU16(out, 0);  // reserved
    PutU32(out, 0);  // nDescription
    PutU32(out, 0);  // offDescription
    PutU32(out, 0);  // nPalEntries
    Put(out, r.device);
    Put(out, r.millimeters);
    PutU32(out, 0);  // cbPixelFormat
    PutU32(out, 0);  // offPixelFormat
    PutU32(out, 0);  // bOpenGL
    Put(out, r.micrometers);
}

struct EmrSetMapMode {
    std::uint32_t mapMode = 0;
};
void Put(Bytes& out, const EmrSetMapMode& r) {
    Record record(out, RecordType::SetMapMode);
    PutU32(out, r.mapMode);
}

struct EmrSetWindowExtEx {
    SizeL extent;
};
void Put(Bytes& out, const EmrSetWindowExtEx& r) {
    Record record(out, RecordType::SetWindowExtEx);
    Put(out, r.extent);
}

struct EmrSetViewportExtEx {
    SizeL extent;
};
void Put(Bytes& out, const EmrSetViewportExtEx& r) {
    Record record(out, RecordType::SetViewportExtEx);
    Put(out, r.extent);
}

struct EmrSelectObject {
    std::uint32_t ihObject = 0;
};
void Put(Bytes& out, const EmrSelectObject& r) {
    Record record(out, RecordType::SelectObject);
    PutU32(out, r.ihObject);
}

struct EmrSetBkMode {
    std::uint32_t backgroundMode = 0;
};
void Put(Bytes& out, const EmrSetBkMode& r) {
    Record record(out, RecordType::SetBkMode);
    PutU32(out, r.backgroundMode);
}

struct EmrPolygon16 {
    RectL bounds;
    std::vector<PointS> points;
};
void Put(Bytes& out, const EmrPolygon16& r) {
    Record record(out, RecordType::Polygon16);
    Put(out, r.bounds);
    PutU32(out, static_cast<std::uint32_t>(r.points.size()));
    for (const PointS& p : r.points) Put(out, p);
}

struct EmrPolyPolygon16 {
    RectL bounds;
    std::vector<std::uint32_t> polygonPointCount;
    std::vector<PointS> points;
};
void Put(Bytes& out, const EmrPolyPolygon16& r) {
    Record record(out, RecordType::PolyPolygon16);
    Put(out, r.bounds);
    PutU32(out, static_cast<std::uint32_t>(r.polygonPointCount.size()));
    PutU32(out, static_cast<std::uint32_t>(r.points.size()));
    for (const std::uint32_t count : r.polygonPointCount) PutU32(out, count);
    for (const PointS& p : r.points) Put(out, p);
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
void Put(Bytes& out, const LogFontW& f) {
    for (const std::int32_t v : {f.height, f.width, f.escapement, f.orientation, f.weight})
        PutI32(out, v);
    for (const std::uint8_t v : {f.italic, f.underline, f.strikeOut, f.charSet, f.outPrecision,
                                 f.clipPrecision, f.quality, f.pitchAndFamily})
        out.push_back(v);
    for (std::size_t i = 0; i < kFaceSize; ++i)
        PutU16(out, i < f.faceName.size() ? f.faceName[i] : 0);
}

// With a plain LogFont as elw: a record no larger than a LogFontPanose one
// is read as a LogFont ([MS-EMF] 2.3.7.8).
struct EmrExtCreateFontIndirectW {
    std::uint32_t ihFonts = 0;
    LogFontW elw;
};
void Put(Bytes& out, const EmrExtCreateFontIndirectW& r) {
    Record record(out, RecordType::ExtCreateFontIndirectW);
    PutU32(out, r.ihFonts);
    Put(out, r.elw);
}

// EmrText ([MS-EMF] 2.2.5) with its rectangle (Options has no ETO_NO_RECT),
// the string padded to four bytes, then one advance per character.
struct EmrText {
    PointL reference;
    std::u16string string;
    std::uint32_t options = 0;
    RectL rectangle;
    std::vector<std::int32_t> dx;
};

struct EmrExtTextOutW {
    RectL bounds;
    std::uint32_t graphicsMode = kGmCompatible;
    float exScale = 0;
    float eyScale = 0;
    EmrText text;
};
void Put(Bytes& out, const EmrExtTextOutW& r) {
    Record record(out, RecordType::ExtTextOutW);
    Put(out, r.bounds);
    PutU32(out, r.graphicsMode);
    PutFloat(out, r.exScale);
    PutFloat(out, r.eyScale);
    // The string follows the fixed part of EmrText (reference, nChars,
    // offString, options, rectangle, offDx), the advances follow the string.
    constexpr std::uint32_t kEmrTextFixed = 8 + 4 + 4 + 4 + 16 + 4;
    const std::uint32_t offString = record.Offset() + kEmrTextFixed;
    const std::uint32_t stringBytes = static_cast<std::uint32_t>(2 * r.text.string.size());
    const std::uint32_t offDx = offString + (stringBytes + 3) / 4 * 4;
    Put(out, r.text.reference);
    PutU32(out, static_cast<std::uint32_t>(r.text.string.size()));
    PutU32(out, offString);
    PutU32(out, r.text.options);
    Put(out, r.text.rectangle);
    PutU32(out, offDx);
    for (const char16_t c : r.text.string) PutU16(out, c);
    if (r.text.string.size() % 2 != 0) PutU16(out, 0);
    for (const std::int32_t advance : r.text.dx) PutI32(out, advance);
}

// No palette: nPalEntries 0, offPalEntries where the entries would begin
// (right after that field) and SizeLast, the record's own size, as GDI
// writes them.
struct EmrEof {};
void Put(Bytes& out, const EmrEof&) {
    Record record(out, RecordType::Eof);
    PutU32(out, 0);                    // nPalEntries
    PutU32(out, record.Offset() + 4);  // offPalEntries
    PutU32(out, record.Offset() + 4);  // SizeLast, itself included
}

// numerator / denominator (positive) to the nearest whole, halves away from
// zero; at least 1 when `atLeastOne`. The remainder decides the rounding,
// so a numerator near the 64-bit limit does not overflow.
std::int32_t RoundedQuotient(std::int64_t numerator, std::int64_t denominator, bool atLeastOne) {
    std::int64_t quotient = numerator / denominator;
    const std::int64_t remainder = numerator % denominator;
    if (2 * (remainder < 0 ? -remainder : remainder) >= denominator)
        quotient += numerator < 0 ? -1 : 1;
    const std::int32_t rounded = Saturate(quotient);
    return atLeastOne ? std::max(rounded, 1) : rounded;
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
ExactMapping MappingOf(const EmfPage& page) {
    if (page.exact.windowWidth > 0) return page.exact;
    return {page.width, page.height, page.copyWidth, page.copyHeight};
}

// The reference pixels that the units [left, right) x [top, bottom) of the
// page fall on, both corners included.
RectL DeviceBounds(const EmfPage& page, std::int64_t left, std::int64_t top, std::int64_t right,
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

// The rectangle's four corners, clockwise from the top left: a polygon's
// fill covers x in [left, right), y in [top, bottom), in any graphics mode.
void PutCorners(std::vector<PointS>& points, const Rect& r) {
    const auto p = [](int x, int y) {
        return PointS{static_cast<std::int16_t>(x), static_cast<std::int16_t>(y)};
    };
    points.insert(points.end(),
                  {p(r.left, r.top), p(r.right, r.top), p(r.right, r.bottom), p(r.left, r.bottom)});
}

}  // namespace

FrameSize FrameFromScreen(std::int32_t width, std::int32_t height, const ScreenFigures& screen) {
    if (screen.widthPixels <= 0 || screen.heightPixels <= 0)
        throw std::invalid_argument("the screen reports no pixels");
    return {
        RoundedQuotient(std::int64_t{width} * screen.widthMm * 100, screen.widthPixels, width > 0),
        RoundedQuotient(std::int64_t{height} * screen.heightMm * 100, screen.heightPixels,
                        height > 0)};
}

PixelSize PixelsOfFrame(const FrameSize& frame, const ScreenFigures& screen) {
    if (screen.widthMm <= 0 || screen.heightMm <= 0)
        throw std::invalid_argument("the screen reports no millimetres");
    return {RoundedQuotient(std::int64_t{frame.width} * screen.widthPixels,
                            std::int64_t{screen.widthMm} * 100, true),
            RoundedQuotient(std::int64_t{frame.height} * screen.heightPixels,
                            std::int64_t{screen.heightMm} * 100, true)};
}

FrameSize FrameFromModuleWidth(std::int32_t width, std::int32_t height, std::int32_t moduleWidth,
                               std::int32_t copyRate) {
    // A unit is half a module, the rate is in percent: x moduleWidth / 2 x rate / 100.
    const std::int64_t perUnit = std::int64_t{moduleWidth} * copyRate;
    return {RoundedQuotient(width * perUnit, 200, width > 0),
            RoundedQuotient(height * perUnit, 200, height > 0)};
}

ExactMapping MappingOntoFrame(std::int32_t width, std::int32_t height, const FrameSize& frame,
                              const ScreenFigures& screen) {
    const auto reduce = [](std::int64_t window, std::int64_t viewport, std::int32_t& outWindow,
                           std::int32_t& outViewport) {
        const std::int64_t divisor = std::gcd(window, viewport);
        if (divisor == 0) throw std::invalid_argument("a mapping without extent");
        window /= divisor;
        viewport /= divisor;
        // Beyond 32 bits (a very large picture on a very large screen):
        // both shrunk alike, the ratio kept to within a part in 2^30.
        const std::int64_t over = std::max(window, viewport) / (std::int64_t{1} << 30) + 1;
        if (over > 1) {
            window = std::max<std::int64_t>(window / over, 1);
            viewport = std::max<std::int64_t>(viewport / over, 1);
        }
        outWindow = static_cast<std::int32_t>(window);
        outViewport = static_cast<std::int32_t>(viewport);
    };
    ExactMapping map;
    reduce(std::int64_t{width} * screen.widthMm * 100,
           std::int64_t{frame.width} * screen.widthPixels, map.windowWidth, map.viewportWidth);
    reduce(std::int64_t{height} * screen.heightMm * 100,
           std::int64_t{frame.height} * screen.heightPixels, map.windowHeight, map.viewportHeight);
    return map;
}

FrameSize FrameFromDots(std::int32_t width, std::int32_t height, std::int32_t dpi) {
    if (dpi <= 0) throw std::invalid_argument("a printer without dots");
    return {RoundedQuotient(std::int64_t{width} * 2540, dpi, width > 0),
            RoundedQuotient(std::int64_t{height} * 2540, dpi, height > 0)};
}

template <class EmfRecord>
void EmfWriter::Emit(const EmfRecord& record) {
    Put(records_, record);
    ++recordCount_;
}

EmfWriter::EmfWriter(const EmfPage& page, const ScreenFigures& screen, TextMeasurer measure)
    : page_(page), screen_(screen), measure_(std::move(measure)) {
    const auto side = [](std::int32_t v) { return v >= 1 && v <= kMaxPictureSide; };
    if (!side(page.width) || !side(page.height) || !side(page.copyWidth) || !side(page.copyHeight))
        throw std::invalid_argument("a metafile side outside 1 to 32767");
    if (page.frame.width < 1 || page.frame.height < 1)
        throw std::invalid_argument("a metafile frame without area");
    if (screen.widthPixels < 1 || screen.heightPixels < 1 || screen.widthMm < 1 ||
        screen.heightMm < 1)
        throw std::invalid_argument("screen figures without area");
    if (!measure_) throw std::invalid_argument("no text measurement");
    // A symbol takes one to two kilobytes and some forty rectangles: room
    // for them up front spares the writer its reallocations.
    records_.reserve(4096);
    fills_.reserve(64);
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
    const ExactMapping map = MappingOf(page);
    exScale_ = scale(screen.widthMm, map.viewportWidth, screen.widthPixels, map.windowWidth);
    eyScale_ = scale(screen.heightMm, map.viewportHeight, screen.heightPixels, map.windowHeight);
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

EmfWriter::~EmfWriter() = default;

void EmfWriter::FillRect(const Rect& rect, Colour colour) {
    if (finished_) throw std::logic_error("the metafile is finished");
    const Rect clipped{std::max(rect.left, 0), std::max(rect.top, 0),
                       std::min(rect.right, page_.width), std::min(rect.bottom, page_.height)};
    if (clipped.left >= clipped.right || clipped.top >= clipped.bottom) return;
    // Overlapping polygons of one record would cancel out under the default
    // alternate fill mode, so an overlap starts a new record. Bars come left
    // to right: clear of the batch's bounds, a rectangle overlaps none of it.
    const bool overlaps = !fills_.empty() && Overlap(fillsBounds_, clipped) &&
                          std::any_of(fills_.begin(), fills_.end(),
                                      [&](const Rect& r) { return Overlap(r, clipped); });
    if (!fills_.empty() && (colour != fillColour_ || overlaps)) FlushFills();
    if (fills_.empty()) {
        fillsBounds_ = clipped;
    } else {
        fillsBounds_ = {std::min(fillsBounds_.left, clipped.left),
                        std::min(fillsBounds_.top, clipped.top),
                        std::max(fillsBounds_.right, clipped.right),
                        std::max(fillsBounds_.bottom, clipped.bottom)};
    }
    fillColour_ = colour;
    fills_.push_back(clipped);
}

void EmfWriter::SelectFill(Colour colour) {
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

void EmfWriter::FlushFills() {
    if (fills_.empty()) return;
    SelectFill(fillColour_);
    std::vector<PointS> points;
    points.reserve(4 * fills_.size());
    for (const Rect& r : fills_) PutCorners(points, r);
    const RectL bounds = DeviceBounds(page_, fillsBounds_.left, fillsBounds_.top,
                                      fillsBounds_.right, fillsBounds_.bottom);
    if (fills_.size() == 1) {
        Emit(EmrPolygon16{bounds, std::move(points)});
    } else {
        Emit(EmrPolyPolygon16{bounds, std::vector<std::uint32_t>(fills_.size(), 4),
                              std::move(points)});
    }
    fills_.clear();
}

void EmfWriter::SetFont(std::string_view face, int charset, int height) {
    if (finished_) throw std::logic_error("the metafile is finished");
    FlushFills();
    FontSpec font{std::string(face), charset, height};
    if (font_ != 0 && fonts_[font_ - 1] == font) return;
    auto known = std::find(fonts_.begin(), fonts_.end(), font);
    if (known == fonts_.end()) {
        // The header counts handles in 16 bits, the metafile's own included.
        if (fonts_.size() + 1 >= 0xFFFF) throw std::length_error("too many fonts in one metafile");
        LogFontW logFont;
        logFont.height = height;
        logFont.charSet = static_cast<std::uint8_t>(charset);
        logFont.faceName = Utf16FromUtf8(face);
        if (logFont.faceName.size() > kFaceSize - 1) logFont.faceName.resize(kFaceSize - 1);
        fonts_.push_back(std::move(font));
        known = fonts_.end() - 1;
        Emit(EmrExtCreateFontIndirectW{static_cast<std::uint32_t>(fonts_.size()),
                                       std::move(logFont)});
    }
    font_ = static_cast<std::size_t>(known - fonts_.begin()) + 1;
    Emit(EmrSelectObject{static_cast<std::uint32_t>(font_)});
}

const std::vector<std::int32_t>& EmfWriter::Advances(const std::u16string& text) {
    if (font_ == 0) throw std::logic_error("text before a font was set");
    const FontSpec& font = fonts_[font_ - 1];
    if (measuredText_ != text || measuredFont_ != font || measured_.empty()) {
        std::vector<std::int32_t> advances = measure_(font, text);
        if (advances.size() != text.size())
            throw std::logic_error("the text measurement gives one advance per character");
        measured_ = std::move(advances);
        measuredText_ = text;
        measuredFont_ = font;
    }
    return measured_;
}

int EmfWriter::TextWidth(std::string_view text) {
    std::int64_t width = 0;
    for (const std::int32_t advance : Advances(Utf16FromUtf8(text))) width += advance;
    return Saturate(width);
}

void EmfWriter::DrawString(int x, int y, std::string_view text) {
    if (finished_) throw std::logic_error("the metafile is finished");
    FlushFills();
    const std::u16string wide = Utf16FromUtf8(text);
    if (wide.empty()) return;
    const std::vector<std::int32_t>& advances = Advances(wide);
    if (!transparent_) {
        Emit(EmrSetBkMode{kTransparent});
        transparent_ = true;
    }
    // Bounds: the text's cell.
    std::int64_t width = 0;
    for (const std::int32_t advance : advances) width += advance;
    EmrExtTextOutW record;
    record.bounds = DeviceBounds(page_, x, y, std::int64_t{x} + std::max<std::int64_t>(width, 1),
                                 std::int64_t{y} + std::max(fonts_[font_ - 1].height, 1));
    record.exScale = exScale_;
    record.eyScale = eyScale_;
    record.text.reference = {x, y};
    record.text.string = wide;
    record.text.rectangle = {0, 0, -1, -1};  // no clipping or opaque box, as GDI records it
    record.text.dx = advances;
    Emit(record);
}

void EmfWriter::FillPolygons(const std::vector<Polygon>& polygons, Colour colour) {
    if (finished_) throw std::logic_error("the metafile is finished");
    FlushFills();
    EmrPolyPolygon16 record;
    std::int64_t left = INT64_MAX, top = INT64_MAX, right = INT64_MIN, bottom = INT64_MIN;
    const auto coordinate = [](int v) {
        return static_cast<std::int16_t>(std::clamp(v, -32768, 32767));
    };
    for (const Polygon& polygon : polygons) {
        if (polygon.size() < 3) continue;
        record.polygonPointCount.push_back(static_cast<std::uint32_t>(polygon.size()));
        for (const Point& p : polygon) {
            record.points.push_back({coordinate(p.x), coordinate(p.y)});
            left = std::min<std::int64_t>(left, p.x);
            top = std::min<std::int64_t>(top, p.y);
            right = std::max<std::int64_t>(right, p.x);
            bottom = std::max<std::int64_t>(bottom, p.y);
        }
    }
    if (record.points.empty()) return;
    SelectFill(colour);
    record.bounds = DeviceBounds(page_, left, top, right, bottom);
    Emit(record);
}

std::vector<std::uint8_t> EmfWriter::Finish() {
    if (finished_) throw std::logic_error("the metafile is finished");
    FlushFills();
    Emit(EmrEof{});
    finished_ = true;

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
    Bytes written;
    Put(written, header);
    std::copy(written.begin(), written.end(), records_.begin());
    return std::move(records_);
}

}  // namespace merrowin
