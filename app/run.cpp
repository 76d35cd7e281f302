#include "app/run.h"

#include <optional>

#include "app/switches.h"
#include "common/errors.h"
#include "model/symbology.h"
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
