// The maker window's rules, apart from Windows: the kinds it offers and the
// choices each takes, the command line those choices come to, the picture
// and the file made by running exactly that command line through the core,
// and the choices remembered in the program's registry key. The window
// (maker/win/maker_window.cpp) only creates the controls, forwards their
// events here and implements the view below.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/command_line.h"
#include "app/run.h"
#include "model/file_format.h"
#include "settings/settings_form.h"

namespace merrowin {

// A style of a kind: the switch that draws it and how the window names it.
struct MakerStyle {
    std::string_view symbolSwitch;
    std::string_view label;
};

// A value a kind takes besides the data: the option that carries it, the
// label of its field and the registry value that remembers it.
struct MakerExtra {
    std::string_view key;
    std::string_view label;
    std::string_view storedName;
};

inline constexpr std::size_t kMaxExtras = 2;

// One kind the window makes. Adding a kind is one row of kMakerKinds.
struct MakerKind {
    std::string_view label;       // in the kind list
    std::string_view storedName;  // the registry value Kind
    std::span<const MakerStyle> styles;
    std::span<const MakerExtra> extras;  // at most kMaxExtras
    std::string_view dataHint;           // beside the empty data field
    std::int32_t nominalModule;          // micrometres: GS1's module at 100 %
};

std::span<const MakerKind> MakerKinds();

// The printers' resolutions offered, and "不明" (no /dp) after them.
inline constexpr std::array<std::int32_t, 6> kMakerResolutions{203, 300, 600, 1200, 2400, 2540};
inline constexpr std::size_t kUnknownResolution = kMakerResolutions.size();
inline constexpr std::string_view kUnknownResolutionLabel = "不明";

// How the module width is given.
enum class ModuleChoice : std::uint8_t {
    Standard,     // a percentage of GS1's nominal module
    Millimetres,  // the width itself
};
inline constexpr std::string_view kStandardModuleLabel = "GS1 標準 (100 %)";
inline constexpr std::string_view kMillimetreModuleLabel = "mm で指定";

// Everything the user chose; texts as typed.
struct MakerChoices {
    std::size_t kind = 0;   // in MakerKinds()
    std::size_t style = 0;  // in the kind's styles
    std::string data;
    std::array<std::string, kMaxExtras> extras;  // the kind's extras, in order
    ModuleChoice module = ModuleChoice::Standard;
    std::string moduleValue = "100";  // percent, or mm ("0.33")
    std::size_t resolution = kUnknownResolution;
    std::string reduction;  // mm ("0.02"); empty: none
    bool outlines = false;
    FileFormat format = FileFormat::Emf;
    std::string folder;  // where the last file was saved; empty: none yet
    bool operator==(const MakerChoices&) const = default;
};

// The lists whose items the form decides.
enum class MakerList : std::uint8_t { Kind, Style, Module, Resolution, Format };

// What the window shows for the current choices.
struct MakerResult {
    std::string commandLine;             // as it would be typed: "merrowin /j13 /cd..."
    std::string code;                    // the data and the check digit, once they are whole
    std::string message;                 // a refusal in the command line's words, or a hint
    std::vector<std::uint8_t> metafile;  // the picture; empty when there is none
    std::string sizeText;                // "37.29 × 25.41 mm"
    bool operator==(const MakerResult&) const = default;
};

// What the form needs of the window.
class MakerView {
public:
    virtual ~MakerView() = default;
    // The choices as the controls hold them.
    virtual MakerChoices Choices() = 0;
    // Puts every choice into the controls, without change events.
    virtual void ShowChoices(const MakerChoices& choices) = 0;
    virtual void SetList(MakerList list, const std::vector<std::string>& items,
                         std::size_t selected) = 0;
    // The extra fields of the kind: labels, the rest hidden.
    virtual void SetExtras(std::span<const MakerExtra> extras) = 0;
    // The unit beside the module width's value ("%" or "mm").
    virtual void SetModuleUnit(std::string_view unit) = 0;
    virtual void ShowResult(const MakerResult& result) = 0;
    // The save dialog in `folder` with `name` for `format`; the chosen
    // path, nothing when the user cancels.
    virtual std::optional<std::string> AskSavePath(const std::string& folder,
                                                   const std::string& name, FileFormat format) = 0;
};

// The registry subkey of the window's choices, under the program's key, so
// erasing the store erases them too.
inline constexpr std::string_view kMakerSection = "Maker";

// The arguments the choices come to (without the program's name). Raises
// the refusal of a module width or reduction that is no number.
std::vector<std::string> MakerArguments(const MakerChoices& choices);

// The arguments as typed at a command prompt: "merrowin" first, an
// argument holding a blank in double quotes.
std::string CommandLineText(const std::vector<std::string>& arguments);

// A decimal text in mm ("0.33", "1", ",5" is not) in units of 1/scale mm,
// to the nearest; nothing for any other text.
std::optional<std::int32_t> ParseMillimetres(std::string_view text, std::int32_t scale);

// "PDF": a format as the window's list and the save dialog's filter name it.
std::string FormatLabel(FileFormat format);

// '%s' は mm の値ではありません
std::string MillimetreMessage(std::string_view text);
// "37.29 × 25.41 mm" of a metafile's frame; empty for bytes that are no
// enhanced metafile.
std::string MetafileSizeText(const std::vector<std::uint8_t>& metafile);

// The window's handlers without the window. `platform` measures the text,
// reports the screen and carries the bytes; `loadSettings` is what a run
// loads first, so the picture is the command line's.
class MakerForm {
public:
    MakerForm(MakerView& view, Platform& platform, SettingsLoader loadSettings,
              StoreOpener openStore);

    // At opening: the remembered choices into the controls, then the picture.
    // A store error is raised after the controls are filled (defaults for
    // the values it concerns).
    void Load();
    // Another kind: its styles and extra fields, then the picture.
    void KindChanged();
    // Another module choice: its unit and value, then the picture.
    void ModuleChanged();
    // Any other change: the picture again.
    void Refresh();
    // The file through the save dialog, made afresh; false when nothing was saved.
    bool Save();
    // The picture onto the clipboard; false when there is none.
    bool Copy();
    // The choices into the store (at closing and after a save).
    void Remember();

    const MakerResult& result() const { return result_; }

private:
    // The job of the current command line; nothing when the data is not
    // whole yet (the hint is in result_.message). Raises refusals.
    std::optional<BarcodeJob> Job(const std::vector<std::string>& arguments);
    void OfferKind(const MakerChoices& choices);

    MakerView& view_;
    Platform& platform_;
    SettingsLoader loadSettings_;
    StoreOpener openStore_;
    MakerResult result_;
    std::vector<std::string> arguments_;  // of result_, when it has a picture
};

// The settings window's preview of `kind`: a sample code of the kind drawn
// with the sizes the grid holds for it, each brought into its bounds as
// applying would; empty while a cell holds no number or the sizes make no
// picture. `cellText` reads the grid's cell of a size.
std::vector<std::uint8_t> SettingsPreview(SymbologyKind kind,
                                          const std::function<std::string(SizeField)>& cellText,
                                          Platform& platform);

// The choices remembered in `store`, each value checked: anything unknown,
// too long or not a string gives that choice's default. `error` receives the
// first store error.
MakerChoices LoadMakerChoices(SettingsAccessor& store, std::string* error);
void StoreMakerChoices(const MakerChoices& choices, SettingsAccessor& store);

}  // namespace merrowin
