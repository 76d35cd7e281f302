#include "app/run.h"

#include <optional>

#include "app/switches.h"
#include "common/errors.h"
#include "model/symbology.h"
#include "render/eps_writer.h"
#include "render/pdf_writer.h"
#include "render/picture.h"
#include "render/png_writer.h"
#include "render/svg_writer.h"

namespace merrowin {

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
    const std::string pattern = EncodeForKind(job.Kind, job.Digits);
    if (pattern.empty()) return {};
    const ScreenFigures screen = UsableScreen(reported);
    const std::optional<Picture> picture = MakePicture(job, pattern, screen);
    if (!picture) return {};
    EmfWriter writer(picture->page, screen, measure);
    // No barcode, so no picture, as for a picture without area.
    if (!DrawPicture(job, pattern, *picture, writer)) return {};
    return writer.Finish();
}

namespace {

// The bytes of a writer that `picture` was drawn onto; empty when it is no
// barcode.
template <class Writer>
std::vector<std::uint8_t> Drawn(Writer& writer, const BarcodeJob& job, std::string_view pattern,
                                const Picture& picture) {
    if (!DrawPicture(job, pattern, picture, writer)) return {};
    return writer.Finish();
}

// The code a file is titled with: the data and check digit, and the add-on.
std::string TitleOf(const BarcodeJob& job) {
    std::string title = job.InputDigits + job.CheckDigit;
    if (!job.AddOn.empty()) title += " " + job.AddOn;
    return title;
}

}  // namespace

std::vector<std::uint8_t> MakeFile(const BarcodeJob& job, const ScreenFigures& reported,
                                   const TextMeasurer& measure) {
    if (job.Format == FileFormat::Emf) return MakeMetafile(job, reported, measure);
    const BarcodeJob file = JobForFile(job);
    const std::string pattern = EncodeForKind(file.Kind, file.Digits);
    if (pattern.empty()) return {};
    const std::optional<Picture> picture = MakePicture(file, pattern, UsableScreen(reported));
    if (!picture) return {};
    // Every writer states the page (the picture and the quiet zone it was
    // widened by) as the picture's frame.
    const std::int32_t width = picture->page.width;
    const std::int32_t height = picture->page.height;
    const std::string title = TitleOf(job);
    switch (file.Format) {
        case FileFormat::Eps: {
            EpsWriter writer(width, height, picture->frame, title);
            return Drawn(writer, file, pattern, *picture);
        }
        case FileFormat::Pdf: {
            PdfWriter writer(width, height, picture->frame, title);
            return Drawn(writer, file, pattern, *picture);
        }
        case FileFormat::Svg: {
            SvgWriter writer(width, height, picture->frame, title);
            return Drawn(writer, file, pattern, *picture);
        }
        case FileFormat::Png: {
            PngWriter writer(width, height, picture->dotsPerInch, title);
            return Drawn(writer, file, pattern, *picture);
        }
        case FileFormat::Emf:
            break;
    }
    return {};
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
        const ScreenFigures screen = platform.Screen();
        const std::vector<std::uint8_t> metafile = MakeMetafile(job, screen, MeasurerOf(platform));
        // The file of another format is made before anything goes out, so
        // that its refusal (a picture too large) leaves the clipboard alone.
        const std::vector<std::uint8_t> file = job.SaveFile && job.Format != FileFormat::Emf
                                                   ? MakeFile(job, screen, MeasurerOf(platform))
                                                   : metafile;
        if (metafile.empty() || file.empty()) {
            // No area or no barcode: the command's own sizes, or the stored ones.
            const bool fromCommand = OptionGiven(command, "cr") || OptionGiven(command, "bh");
            commandError(fromCommand ? kCommandErrorText : kStoredSizeErrorText);
            return outcome;
        }
        // The clipboard first: a file that cannot be written leaves the
        // clipboard filled, a busy clipboard means no file either.
        if (!job.NoClipboard) platform.PutOnClipboard(metafile);
        if (job.SaveFile)
            platform.SaveFile(
                ResolveSavePath(job.SaveDr, job.FileName, FoldersOf(platform), job.Format), file);
        outcome.state = State::Produced;
    } catch (const MerrowinError& error) {
        return RunOutcome::Failed(error.what());
    }
    return outcome;
}

}  // namespace merrowin
