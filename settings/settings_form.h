// The settings window's rules, apart from Windows: what a showing loads,
// which controls are usable when, what an apply brings into bounds and
// stores, putting back the built-in defaults, erasing the store, and where
// the folder picker starts. The window (settings/win/settings_window.cpp)
// only creates the controls, forwards their events here and implements the
// view below.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "model/job.h"
#include "settings/store.h"
#include "settings/working_copy.h"

namespace merrowin {

// The controls whose state the form sets.
enum class SettingsControl : std::uint8_t {
    Grid,            // the 36 cells with their spinners, grey while disabled
    DefaultsButton,  // "既定値に戻す(&D)"
    FolderEdit,      // the save folder, its text grey while disabled
    BrowseButton,    // "参照"
};

// The two check boxes.
enum class SettingsBox : std::uint8_t {
    Defaults,  // "常に既定値を適用する"
    Folder,    // "保存場所の指定"
};

// Where the picker starts when neither a stored folder nor the documents
// folder is known.
inline constexpr std::string_view kPickerFallbackStart = "C:";

// What the form needs of the window and of Windows.
class SettingsView {
public:
    virtual ~SettingsView() = default;
    // The text of the grid's cell in `row` (a stored size) and the column of
    // `kind`, and replacing it; the cells are those of kSettingsCells.
    virtual std::string CellText(SizeField row, SymbologyKind kind) = 0;
    virtual void SetCellText(SizeField row, SymbologyKind kind, std::string_view text) = 0;
    // The save folder's edit.
    virtual std::string FolderText() = 0;
    virtual void SetFolderText(std::string_view text) = 0;
    virtual void Enable(SettingsControl control, bool enabled) = 0;
    virtual bool IsChecked(SettingsBox box) = 0;
    // Sets a box without a click event.
    virtual void SetChecked(SettingsBox box, bool checked) = 0;
    // A question with OK and Cancel, Cancel the default; true for OK.
    virtual bool Confirm(std::string_view text, std::string_view title) = 0;
    // The folder picker preselecting `start`; nothing when the user cancels.
    virtual std::optional<std::string> PickFolder(const std::string& start) = 0;
    // The user's documents folder; empty when Windows names none.
    virtual std::string DocumentsFolder() = 0;
};

// Opens the settings store at a key path (kStoreKeyPath, kStoreParentPath).
using StoreOpener = std::function<std::unique_ptr<SettingsAccessor>(std::string_view keyPath)>;

// The settings window's handlers without the window. A store error or a
// grid text that is no number propagates as MerrowinError, to the window's
// error box.
class SettingsForm {
public:
    SettingsForm(SettingsView& view, StoreOpener openStore);

    // At every showing: the store into the working copy and the controls.
    // A store error leaves the controls as they were.
    void Load();
    // Each grid text converted and brought into its bounds (a replaced text
    // is written back), stopping at the first that is no number; then
    // everything stored with RecIni.
    void Apply();
    // The built-in defaults into the working copy and the grid.
    void RestoreDefaults();
    // The defaults box: checked disables the grid and the defaults button.
    void FollowDefaultsBox();
    // The folder box: checked enables the folder's edit and the browse button.
    void FollowFolderBox();
    // Erases the program's key after confirmation; true when the store is
    // gone and the program is to end.
    bool EraseStore();
    // The folder picker, starting at the stored folder (not the edit's
    // text), else the documents folder, else "C:"; the choice goes into the
    // folder's edit.
    void BrowseFolder();

    const WorkingCopy& copy() const { return copy_; }

private:
    void ShowWorkingCopy();
    void SetGrid(bool enabled);

    SettingsView& view_;
    StoreOpener openStore_;
    WorkingCopy copy_;
};

// The place in kSettingsCells of the cell of `row` and `kind`; kCellCount
// where the kind stores no such size (a JAN's inner margin or frame).
std::size_t CellIndex(SizeField row, SymbologyKind kind);

// A folder typed into the picker: a relative name is taken below the folder
// selected in the tree ("D:\out" + "new" -> "D:\out\new"); a drive path
// ("E:\x", "E:x") or a network path stays as typed.
std::string JoinTypedFolder(std::string_view selected, std::string_view typed);

// The save folder's questions and failures.
std::string CreateFolderQuestion(
    std::string_view path);  // フォルダ「%s」はありません。作成しますか?
std::string FolderCreateMessage(std::string_view path);  // フォルダ「%s」を作成できません。

// The settings window's question before it erases the program's registry key.
inline constexpr std::string_view kEraseQuestionTitle = "レジストリを消去してもいいですか?";
inline constexpr std::string_view kEraseQuestion =
    "「OK」ボタンをクリックすると関連レジストリを消去し、「Merrowin」を終了します。"
    "アンインストールする場合は、その後「Merrowin」を起動しないで、"
    "インストールフォルダごと削除してください。";

}  // namespace merrowin
