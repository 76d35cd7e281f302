#include "app/run.h"

#include <algorithm>

#include "app/switches.h"
#include "common/errors.h"
#include "common/text.h"
#include "model/symbology.h"
#include "render/layout.h"
#include "render/print_grid.h"

namespace merrowin {
namespace {

bool FitsMetafile(std::int32_t side) {
    return side <= kMaxPictureSide;
}

// A screen that reports no size (some remote and virtual displays do) is
// taken as the usual 96 pixels per inch, so the picture still states one.
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

// Stored sizes may hold any 32-bit number; what the metafile's fields
// cannot hold is refused before anything is output.
void RefuseOversized(const SymbolLayout& layout, const EmfPage& page) {
    const bool pictureFits = FitsMetafile(layout.W) && FitsMetafile(layout.H);
    const bool copyFits = FitsMetafile(page.copyWidth) && FitsMetafile(page.copyHeight);
    if (!pictureFits || !copyFits) {
        const std::int32_t width = copyFits ? layout.W : page.copyWidth;
        const std::int32_t height = copyFits ? layout.H : page.copyHeight;
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
                          const CopySize& scaled, const ScreenFigures& screen, EmfPage& page) {
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

// Draws the job onto the page; empty when it is no barcode.
std::vector<std::uint8_t> Draw(const BarcodeJob& job, std::string_view pattern,
                               const SymbolLayout& layout, const EmfPage& page,
                               const ScreenFigures& screen, const TextMeasurer& measure) {
    EmfWriter writer(page, screen, measure);
    BarcodeCheck check(layout, writer);
    DrawSymbol(job, pattern, layout, check);
    // No bars, or digits beyond the picture: no barcode, so no picture,
    // as for a picture without area.
    if (!check.IsBarcode()) return {};
    return writer.Finish();
}

// The picture of a job with print options (/dp, /bw, /ol): laid out on its
// grid. On a printer's dots the picture is its own printed size, one unit a
// dot, and its frame states those dots; otherwise it is the standard
// picture on a finer grid, with the standard picture's frame and copy.
std::vector<std::uint8_t> MakePrintMetafile(const BarcodeJob& job, std::string_view pattern,
                                            const ScreenFigures& screen,
                                            const TextMeasurer& measure) {
    const SymbolLayout standard = LayOut(job);
    const CopySize scaled = ScaledSize(standard.W, standard.H, job.CopyRate);
    if (standard.W < 1 || standard.H < 1 || scaled.width < 1 || scaled.height < 1) return {};
    const Grid grid = GridForJob(job, standard, kMaxPictureSide);
    const SymbolLayout layout = LayOut(job, grid, pattern);
    if (layout.W < 1 || layout.H < 1) return {};
    EmfPage page;
    page.width = layout.W;
    page.height = layout.H;
    if (job.DotsPerInch > 0) {
        if (!FitsMetafile(layout.W) || !FitsMetafile(layout.H)) RefuseOversized(layout, page);
        // The frame in .01 mm converts back to exactly the picture's dots,
        // and the units fill exactly the frame's reference pixels, so a
        // player that maps the frame onto W x H dots puts every edge on a dot.
        page.frame = FrameFromDots(layout.W, layout.H, job.DotsPerInch);
        const PixelSize copy = PixelsOfFrame(page.frame, screen);
        page.copyWidth = copy.width;
        page.copyHeight = copy.height;
        RefuseOversized(layout, page);
        page.exact = MappingOntoFrame(layout.W, layout.H, page.frame, screen);
        return Draw(job, pattern, layout, page, screen, measure);
    }
    // The standard picture's frame and copy; the finer units map onto them.
    FrameStandardPicture(job, standard, scaled, screen, page);
    RefuseOversized(layout, page);
    return Draw(job, pattern, layout, page, screen, measure);
}

}  // namespace

FolderQueries FoldersOf(Platform& platform) {
    return {[&platform](const std::string& folder) { return platform.DirectoryExists(folder); },
            [&platform] { return platform.PersonalFolder(); }};
}

TextMeasurer MeasurerOf(Platform& platform) {
    return [&platform](const FontSpec& font, std::u16string_view text) {
        return platform.CharacterAdvances(font, text);
    };
}

RunOutcome RunOutcome::Failed(std::string_view message) {
    return {State::Stopped, std::string(kRunFailedText), std::string(message)};
}

std::vector<std::uint8_t> MakeMetafile(const BarcodeJob& job, const ScreenFigures& reported,
                                       const TextMeasurer& measure) {
    const ScreenFigures screen = UsableScreen(reported);
    const std::string pattern = EncodeForKind(job.Kind, job.Digits);
    if (pattern.empty()) return {};
    if (NeedsPrintGrid(job)) return MakePrintMetafile(job, pattern, screen, measure);
    const SymbolLayout layout = LayOut(job);
    const CopySize scaled = ScaledSize(layout.W, layout.H, job.CopyRate);
    // A picture or copy without drawable area is no picture: nothing goes
    // out rather than an empty metafile.
    if (layout.W < 1 || layout.H < 1 || scaled.width < 1 || scaled.height < 1) return {};
    EmfPage page;
    page.width = layout.W;
    page.height = layout.H;
    FrameStandardPicture(job, layout, scaled, screen, page);
    RefuseOversized(layout, page);
    return Draw(job, pattern, layout, page, screen, measure);
}

RunOutcome RunGeneration(const CommandLine& command, const SettingsLoader& loadSettings,
                         Platform& platform) {
    using State = RunOutcome::State;
    RunOutcome outcome{State::Stopped, "", ""};
    const auto commandError = [&outcome](std::string_view status) {
        outcome.state = State::CommandError;
        outcome.status = status;
    };
    // The one place where a run's failures end up: the message goes to the
    // error box, and the window then says that the run failed; a status of
    // work in progress would be a run that never ends.
    try {
        BarcodeJob job;
        if (!ApplySwitch(command.symbolSwitch, job)) commandError(kCommandErrorText);
        if (!RunCommandLine(command.options, job, loadSettings) ||
            job.Kind == SymbologyKind::None) {
            commandError(kCommandErrorText);
            return outcome;
        }
        outcome.status = kMakingText;
        const std::vector<std::uint8_t> metafile =
            MakeMetafile(job, platform.Screen(), MeasurerOf(platform));
        if (metafile.empty()) {
            // No area or no barcode: the command's own sizes, or the stored ones.
            const bool fromCommand = OptionGiven(command, "cr") || OptionGiven(command, "bh");
            commandError(fromCommand ? kCommandErrorText : kStoredSizeErrorText);
            return outcome;
        }
        // The clipboard first: a file that cannot be written leaves the
        // clipboard filled, a busy clipboard means no file either.
        if (!job.NoClipboard) platform.PutOnClipboard(metafile);
        if (job.SaveFile)
            platform.SaveFile(ResolveSavePath(job.SaveDr, job.FileName, FoldersOf(platform)),
                              metafile);
        outcome.state = State::Produced;
    } catch (const MerrowinError& error) {
        return RunOutcome::Failed(error.what());
    }
    return outcome;
}

}  // namespace merrowin
