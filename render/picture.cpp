#include "render/picture.h"

#include <algorithm>
#include <numeric>
#include <stdexcept>

#include "common/errors.h"
#include "common/saturate.h"
#include "common/text.h"
#include "render/dot_frame.h"
#include "render/print_grid.h"

namespace merrowin {
namespace {

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

bool FitsMetafile(std::int32_t side) {
    return side <= kMaxPictureSide;
}

// Stored sizes may hold any 32-bit number; what the metafile's fields
// cannot hold is refused before anything is output.
void RefuseOversized(const Page& page) {
    const bool pictureFits = FitsMetafile(page.width) && FitsMetafile(page.height);
    const bool copyFits = FitsMetafile(page.copyWidth) && FitsMetafile(page.copyHeight);
    if (!pictureFits || !copyFits) {
        const std::int32_t width = copyFits ? page.width : page.copyWidth;
        const std::int32_t height = copyFits ? page.height : page.copyHeight;
        throw MerrowinError(PictureSizeMessage(IntToStr(width) + " x " + IntToStr(height)));
    }
}

// The frame and copy of the standard picture (`standard`, scaled by the copy
// rate to `scaled`). With a module width the frame states the printed size
// the user asked for, and the copy covers exactly the reference pixels of
// that frame: a player maps the frame onto its target, so the drawing lands
// on it whole. Without one, the frame is the size the copy has on this
// screen. A picture too large to write keeps the scaled copy, to be refused.
void FrameStandardPicture(const BarcodeJob& job, const SymbolLayout& standard,
                          const CopySize& scaled, const ScreenFigures& screen, Page& page) {
    page.copyWidth = scaled.width;
    page.copyHeight = scaled.height;
    if (job.ModuleWidth <= 0) {
        if (FitsMetafile(page.copyWidth) && FitsMetafile(page.copyHeight))
            page.frame = FrameFromScreen(page.copyWidth, page.copyHeight, screen);
        return;
    }
    if (!FitsMetafile(standard.W) || !FitsMetafile(standard.H)) return;
    page.frame = FrameFromModuleWidth(standard.W, standard.H, job.ModuleWidth, job.CopyRate);
    const PixelSize copy = PixelsOfFrame(page.frame, screen);
    page.copyWidth = copy.width;
    page.copyHeight = copy.height;
}

// The frame and copy of a picture on a printer's dots, one unit a dot. The
// page is widened to the right and at the bottom, quiet zone only, to the
// next size whose frame in .01 mm states its dots exactly (ExactFrameDots;
// at 203 dpi none lies near, and the frame converts back to the dots to
// the nearest), and the units fill exactly the frame's reference pixels,
// so a player that maps the frame onto its dots puts every edge on a dot.
void FrameOnDots(std::int32_t dpi, const ScreenFigures& screen, Page& page) {
    // A picture too large is refused as the drawing has it.
    if (!FitsMetafile(page.width) || !FitsMetafile(page.height)) RefuseOversized(page);
    page.width = ExactFrameDots(page.width, dpi);
    page.height = ExactFrameDots(page.height, dpi);
    if (!FitsMetafile(page.width) || !FitsMetafile(page.height)) RefuseOversized(page);
    page.frame = FrameFromDots(page.width, page.height, dpi);
    const PixelSize copy = PixelsOfFrame(page.frame, screen);
    page.copyWidth = copy.width;
    page.copyHeight = copy.height;
    RefuseOversized(page);
    page.exact = MappingOntoFrame(page.width, page.height, page.frame, screen);
}

}  // namespace

ScreenFigures UsableScreen(ScreenFigures screen) {
    constexpr ScreenFigures kFallback{1024, 768, 271, 203};  // 96 dpi
    if (screen.widthPixels < 1 || screen.heightPixels < 1) return kFallback;
    const auto millimetres = [](std::int32_t pixels) {
        return static_cast<std::int32_t>((std::int64_t{pixels} * 254 + 480) / 960);
    };
    if (screen.widthMm < 1) screen.widthMm = std::max(1, millimetres(screen.widthPixels));
    if (screen.heightMm < 1) screen.heightMm = std::max(1, millimetres(screen.heightPixels));
    return screen;
}

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

BarcodeJob JobForFile(const BarcodeJob& job) {
    if (job.Format == FileFormat::Emf) return job;
    BarcodeJob file = job;
    file.OutlinedText = true;
    if (file.DotsPerInch <= 0 && file.ModuleWidth <= 0)
        file.ModuleWidth = (IsItf(job.Kind) ? kItfNominalModule : kJanNominalModule) / 10;
    return file;
}

std::optional<Picture> MakePicture(const BarcodeJob& job, std::string_view pattern,
                                   const ScreenFigures& reported) {
    const ScreenFigures screen = UsableScreen(reported);
    // A picture or copy without drawable area is no picture: nothing goes
    // out rather than an empty one.
    const SymbolLayout standard = LayOut(job);
    const CopySize scaled = ScaledSize(standard.W, standard.H, job.CopyRate);
    if (standard.W < 1 || standard.H < 1 || scaled.width < 1 || scaled.height < 1)
        return std::nullopt;
    // With print options (/dp, /bw, /ol) the drawing walks a finer grid or
    // the printer's dots; otherwise the standard grid.
    // A PNG without a printer's dots still has whole pixels: its grid is
    // kPngDotsPerInch's, its frame the module width's.
    BarcodeJob gridJob = job;
    if (job.Format == FileFormat::Png && job.DotsPerInch <= 0)
        gridJob.DotsPerInch = kPngDotsPerInch;
    const Grid grid =
        GridForJob(gridJob, standard, kMaxPictureSide,
                   job.Format == FileFormat::Emf ? kMetafileOutlineUnits : kFileOutlineUnits);
    Picture picture;
    picture.layout = grid == Grid{} ? standard : LayOut(job, grid, pattern);
    const SymbolLayout& layout = picture.layout;
    if (layout.W < 1 || layout.H < 1) return std::nullopt;
    Page& page = picture.page;
    page.width = layout.W;
    page.height = layout.H;
    if (job.DotsPerInch > 0) {
        FrameOnDots(job.DotsPerInch, screen, page);
        page.dotsPerInch = job.DotsPerInch;
        page.onPrinterDots = true;
    } else {
        // The standard picture's frame and copy; finer units map onto them.
        FrameStandardPicture(job, standard, scaled, screen, page);
        RefuseOversized(page);
        if (page.frame.width > 0)
            page.dotsPerInch =
                RoundedQuotient(std::int64_t{layout.W} * 2540, page.frame.width, true);
    }
    return picture;
}

}  // namespace merrowin
