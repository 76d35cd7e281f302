// A generation run from the command line to the outputs. Everything is
// decided here; the platform only measures text, reports the screen and
// carries bytes to the clipboard and the file system.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/command_line.h"
#include "app/save_path.h"
#include "model/job.h"
#include "render/drawing.h"

namespace merrowin {

// What a run needs of the platform. The Win32 layer implements it; tests
// fake it.
class Platform {
public:
    virtual ~Platform() = default;
    // Character advances of `text` in `font` on the reference screen.
    virtual std::vector<std::int32_t> CharacterAdvances(const FontSpec& font,
                                                        std::u16string_view text) = 0;
    virtual ScreenFigures Screen() = 0;
    // Empties the clipboard and places the metafile on it in the enhanced
    // metafile format; raises kClipboardMessage when it cannot.
    virtual void PutOnClipboard(const std::vector<std::uint8_t>& metafile) = 0;
    // Writes the bytes to `path`, replacing a file of that name only once
    // the new one is complete; raises FileCreateMessage(path).
    virtual void SaveFile(const std::string& path, const std::vector<std::uint8_t>& bytes) = 0;
    virtual bool DirectoryExists(const std::string& folder) = 0;
    // The user's personal documents folder; empty when unknown.
    virtual std::string PersonalFolder() = 0;
    // The value of the environment variable `name`; nothing when unset.
    virtual std::optional<std::string> Environment(const std::string& name) = 0;
    // The clock: seconds since 1970-01-01 00:00 UTC.
    virtual std::int64_t Now() = 0;
};

// When a file is made, in seconds since 1970-01-01 00:00 UTC: the value of
// SOURCE_DATE_EPOCH when it is set to a whole number of seconds (the
// reproducible-builds convention, so the same command makes the same bytes
// twice), otherwise `now`. A value that is no such number, or lies past the
// year 9999, is passed over.
std::int64_t FileTime(const std::optional<std::string>& sourceDateEpoch, std::int64_t now);

// FileTime of the platform's environment and clock.
std::int64_t FileTimeOf(Platform& platform);

// The platform's folder tests, for ResolveSavePath.
FolderQueries FoldersOf(Platform& platform);

// The platform's text measurement, for MakeMetafile.
TextMeasurer MeasurerOf(Platform& platform);

// How a run ended, and what the status window then shows.
struct RunOutcome {
    enum class State {
        Produced,      // the picture went out: the process ends at once
        CommandError,  // nothing was made: the status line and the exit button
        Stopped,       // an error stopped the run: the error box, then the window
    };
    State state = State::Stopped;
    std::string status;  // the status line (Label1)
    std::string error;   // the error box's message; empty when there is none

    // A run stopped by an error: the message for the error box, then the
    // window saying so with its exit button.
    static RunOutcome Failed(std::string_view message);

    // Whenever the window is shown it can be closed with its button.
    bool ShowsExitButton() const { return state != State::Produced; }
    int ExitCode() const { return state == State::Produced ? 0 : 1; }
};

// The status line after an error box: the run has ended without a picture.
inline constexpr std::string_view kRunFailedText = "バーコードを作成できませんでした。";

// The status line of a command whose stored sizes give a picture without
// area or one that is no barcode (a copy rate or bar height of 0, digits
// outside the picture).
inline constexpr std::string_view kStoredSizeErrorText = "設定のサイズでは図を作れません。";

// The whole run: the switch, the stored settings, the options, the symbol,
// then the clipboard and the file, in that order.
RunOutcome RunGeneration(const CommandLine& command, const SettingsLoader& loadSettings,
                         Platform& platform);

// The metafile of a job whose switch and options are applied: its encoding,
// its picture (MakePicture), the drawing of it (DrawPicture) written as an
// enhanced metafile, for the clipboard and .emf files. Empty when the
// copy would have no area or be no barcode (BarcodeCheck); raises
// ConversionError for a non-digit and PictureSizeMessage for a picture too
// large to write.
std::vector<std::uint8_t> MakeMetafile(const BarcodeJob& job, const ScreenFigures& screen,
                                       const TextMeasurer& measure);

// The saved file of a job in its format (/fm): the metafile, or the drawing
// of the picture the format takes (JobForFile) written in it, titled with
// the code and dated `madeAt` (FileTime) where the format is dated.
// Empty and raising as MakeMetafile.
std::vector<std::uint8_t> MakeFile(const BarcodeJob& job, const ScreenFigures& screen,
                                   const TextMeasurer& measure, std::int64_t madeAt);

}  // namespace merrowin
