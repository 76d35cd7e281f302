// The picture of a job, decided once for every writer: its geometry in
// drawing units (the layout on its grid), its physical frame and the
// mapping of the units onto that frame on the reference screen, and the
// refusal of a picture too large to write. A writer only translates the
// drawing into its format.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "model/job.h"
#include "render/layout.h"

namespace merrowin {

// What the reference screen reports of itself: its size in pixels and in
// millimetres (HORZRES, VERTRES, HORZSIZE, VERTSIZE of the screen DC).
struct ScreenFigures {
    std::int32_t widthPixels = 0;
    std::int32_t heightPixels = 0;
    std::int32_t widthMm = 0;
    std::int32_t heightMm = 0;
    friend bool operator==(const ScreenFigures&, const ScreenFigures&) = default;
};

// The screen as a picture can use it: one that reports no size (some
// remote and virtual displays do) is taken as the usual 96 pixels per
// inch, so the picture still states one. A usable screen comes back as it is.
ScreenFigures UsableScreen(ScreenFigures screen);

// A physical size in .01 mm.
struct FrameSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
    friend bool operator==(const FrameSize&, const FrameSize&) = default;
};

// The frame of a picture width x height pixels of the screen: pixels x
// (millimetres x 100) / screen pixels, each rounded to the nearest whole and
// at least 1 for a side of at least 1 pixel. A screen that reports no
// pixels raises std::invalid_argument.
FrameSize FrameFromScreen(std::int32_t width, std::int32_t height, const ScreenFigures& screen);

// A size in reference pixels.
struct PixelSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
    friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

// The reference pixels a frame covers on `screen`, as a player converts it
// with the metafile header's szlDevice and szlMillimeters: frame x screen
// pixels / (millimetres x 100), rounded to the nearest whole, at least 1
// (saturated beyond the 32-bit range). A screen that reports no
// millimetres raises std::invalid_argument.
PixelSize PixelsOfFrame(const FrameSize& frame, const ScreenFigures& screen);

// The frame of a picture width x height drawing units when one module (two
// units) is `moduleWidth` .01 mm, shown at `copyRate` percent; rounded to
// the nearest whole, at least 1 for a side of at least 1 unit.
FrameSize FrameFromModuleWidth(std::int32_t width, std::int32_t height, std::int32_t moduleWidth,
                               std::int32_t copyRate);

// The frame of a picture width x height dots of a `dpi` printer: each side
// dots x 2540 / dpi hundredths of a millimetre, to the nearest. Up to 2540
// dpi the frame converts back to exactly those dots; above, on the sizes
// ExactFrameDots gives (within 1/16 dot of their frame).
FrameSize FrameFromDots(std::int32_t width, std::int32_t height, std::int32_t dpi);

// The largest side, in drawing units or pixels, of a picture or its copy:
// a metafile's bars are written with 16-bit coordinates.
inline constexpr std::int32_t kMaxPictureSide = 32767;

// The window -> viewport mapping of a picture whose units fill a frame
// that no whole number of reference pixels covers: `window` units onto
// `viewport` reference pixels, in any ratio the two sides hold.
struct ExactMapping {
    std::int32_t windowWidth = 0;
    std::int32_t windowHeight = 0;
    std::int32_t viewportWidth = 0;
    std::int32_t viewportHeight = 0;
    friend bool operator==(const ExactMapping&, const ExactMapping&) = default;
};

// The mapping that puts width x height units exactly onto `frame` on
// `screen`: window width x millimetres x 100 onto frame x screen pixels,
// each pair reduced by its greatest common divisor (and shrunk alike when
// it still needs more than 30 bits).
ExactMapping MappingOntoFrame(std::int32_t width, std::int32_t height, const FrameSize& frame,
                              const ScreenFigures& screen);

// The page of a picture, the one every format states: W x H drawing units
// on the frame, their resolution, and how a metafile shows them as its copy
// on the reference screen: mapped onto copyWidth x copyHeight reference
// pixels, or with an exact mapping onto the frame's own (fractional)
// reference pixels, of which copyWidth x copyHeight are then the rounded
// figures for the bounds.
struct Page {
    std::int32_t width = 0;       // W
    std::int32_t height = 0;      // H
    std::int32_t copyWidth = 0;   // Ws
    std::int32_t copyHeight = 0;  // Hs
    FrameSize frame;              // the physical size, of the copy too
    ExactMapping exact;           // all zero: W x H onto Ws x Hs
    // The printer's dots per inch when the units are its dots, otherwise
    // the units per inch across the frame, to the nearest.
    std::int32_t dotsPerInch = 0;
    bool onPrinterDots = false;  // one unit a dot of that printer (/dp)
    friend bool operator==(const Page&, const Page&) = default;
};

// One picture of a job: the layout (on its grid) and the page it lies on,
// which a printer's dots may widen beyond the layout's W x H (quiet zone
// only).
struct Picture {
    SymbolLayout layout;
    Page page;
};

// The picture of a job whose switch and options are applied, `pattern`
// being its encoder's element widths, on `screen` (as UsableScreen makes
// it usable): laid out on the job's grid, its frame from the screen, the
// module width (/mw) or the printer's dots (/dp). Nothing when it or its
// copy would have no area; raises MerrowinError (PictureSizeMessage) for
// a picture too large to write, and as GridForJob does.
std::optional<Picture> MakePicture(const BarcodeJob& job, std::string_view pattern,
                                   const ScreenFigures& screen);

// A PNG without /dp has a module of the whole pixels this resolution
// gives it.
inline constexpr std::int32_t kPngDotsPerInch = 600;

// The job as a file of its format draws it. A metafile (EMF) as it is. A
// file for print or the web (EPS, PDF, SVG, PNG) has no screen and goes
// where fonts are not: its digits are outlines, and without /dp or /mw the
// module is GS1's nominal one (JAN 0.33 mm, ITF 1.00 mm), as /dp takes it.
// A PNG's pixels are a printer's dots with /dp; without, its module is
// whole pixels (as many as kPngDotsPerInch gives) and its frame the
// metafile's of the module width (MakePicture).
BarcodeJob JobForFile(const BarcodeJob& job);

}  // namespace merrowin
