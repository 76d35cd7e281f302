#include "app/run.h"

#include <optional>

#include "app/switches.h"
#include "common/errors.h"
#include "model/symbology.h"
#include "render/formats/formats.h"
#include "render/picture.h"

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

std::int64_t FileTime(const std::optional<std::string>& sourceDateEpoch, std::int64_t now) {
    if (!sourceDateEpoch || sourceDateEpoch->empty() || sourceDateEpoch->size() > 18) return now;
    std::int64_t seconds = 0;
    for (const char c : *sourceDateEpoch) {
        if (c < '0' || c > '9') return now;
        seconds = seconds * 10 + (c - '0');
    }
    // A PDF date holds a four-digit year: past 9999-12-31 23:59:59 UTC the
    // value is no date a file can carry.
    constexpr std::int64_t kLastSecondOf9999 = 253402300799;
    return seconds <= kLastSecondOf9999 ? seconds : now;
}

std::int64_t FileTimeOf(Platform& platform) {
    return FileTime(platform.Environment("SOURCE_DATE_EPOCH"), platform.Now());
}

RunOutcome RunOutcome::Failed(std::string_view message) {
    return {State::Stopped, std::string(kRunFailedText), std::string(message)};
}

namespace {

// The code a file is titled with: the data and check digit, and the add-on.
std::string TitleOf(const BarcodeJob& job) {
    std::string title = job.InputDigits + job.CheckDigit;
    if (!job.AddOn.empty()) title += " " + job.AddOn;
    return title;
}

// The job's picture in `format` as `drawn` takes it (the job itself for
// the metafile, JobForFile's for the other formats), titled after `job`;
// empty when it has no area or is no barcode.
std::vector<std::uint8_t> Written(const BarcodeJob& job, const BarcodeJob& drawn, FileFormat format,
                                  const ScreenFigures& reported, const TextMeasurer& measure,
                                  std::int64_t madeAt) {
    const std::string pattern = EncodeForKind(drawn.Kind, drawn.Digits);
    if (pattern.empty()) return {};
    const ScreenFigures screen = UsableScreen(reported);
    const std::optional<Picture> picture = MakePicture(drawn, pattern, screen);
    if (!picture) return {};
    const std::optional<Drawing> drawing = DrawPicture(drawn, pattern, *picture, screen, measure);
    // No barcode, so no picture, as for a picture without area.
    if (!drawing) return {};
    return WriteFile(format, *drawing, {TitleOf(job), madeAt});
}

}  // namespace

std::vector<std::uint8_t> MakeMetafile(const BarcodeJob& job, const ScreenFigures& screen,
                                       const TextMeasurer& measure) {
    return Written(job, job, FileFormat::Emf, screen, measure, 0);
}

std::vector<std::uint8_t> MakeFile(const BarcodeJob& job, const ScreenFigures& screen,
                                   const TextMeasurer& measure, std::int64_t madeAt) {
    if (job.Format == FileFormat::Emf) return MakeMetafile(job, screen, measure);
    return Written(job, JobForFile(job), job.Format, screen, measure, madeAt);
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
        const std::vector<std::uint8_t> file =
            job.SaveFile && job.Format != FileFormat::Emf
                ? MakeFile(job, screen, MeasurerOf(platform), FileTimeOf(platform))
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
