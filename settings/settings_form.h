// The settings window's rules, apart from Windows: what a showing loads,
// which controls are usable when, what an apply brings into bounds and
// stores, putting back the built-in defaults, erasing the store, and where
// the folder picker starts. The window (settings/win/settings_window.cpp)
// only creates the controls, forwards their events here and implements the
// view below.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "settings/store.h"
#include "settings/working_copy.h"

namespace merrowin {

// The controls whose state the form sets.
enum class SettingsControl : std::uint8_t {
    Grid,            // the 36 edits with their spinners, grey while disabled
    DefaultsButton,  // Button2 "既定値に戻す(&D)"
    FolderEdit,      // Edit37, its text grey while disabled
    BrowseButton,    // Button5 "参照"
};

// The two check boxes.
enum class SettingsBox : std::uint8_t {
    Defaults,  // CheckBox1 "常に既定値を適用する"
    Folder,    // CheckBox2 "保存場所の指定"
};

// Edit37, the save folder; Edit1 to Edit36 are the grid, as kSettingsCells.
inline constexpr int kFolderEdit = 37;

// Where the picker starts when neither a stored folder nor the documents
// folder is known.
inline constexpr std::string_view kPickerFallbackStart = "C:";

// What the form needs of the window and of Windows.
class SettingsView {
public:
    virtual ~SettingsView() = default;
    // The text of Edit n (1 to 37), and replacing it.
    virtual std::string EditText(int edit) = 0;
    virtual void SetEditText(int edit, std::string_view text) = 0;
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
    // The store opened at a key path (kStoreKeyPath, kStoreParentPath).
    virtual std::unique_ptr<SettingsAccessor> OpenStore(std::string_view keyPath) = 0;
};

// TForm3's handlers without the window. A store error or a grid text that
// is no number propagates as MerrowinError, to the window's error box.
class SettingsForm {
public:
    explicit SettingsForm(SettingsView& view);

    // At every showing: the store into the working copy and the controls.
    // A store error leaves the controls as they were.
    void FormShow();
    // The apply: each grid text converted and brought into its bounds
    // (a replaced text is written back), stopping at the first that is no
    // number; then everything stored with RecIni.
    void SetNew();
    // The built-in defaults into the working copy and the grid.
    void SetDef();
    // CheckBox1: checked disables the grid and Button2.
    void CheckBox1Click();
    // CheckBox2: checked enables Edit37 and Button5.
    void CheckBox2Click();
    // Erase after confirmation; true when the store is gone and the program
    // is to end.
    bool Button4Click();
    // The folder picker, starting at the stored folder (not Edit37's text),
    // else the documents folder, else "C:"; the choice goes into Edit37.
    void Button5Click();

    const WorkingCopy& copy() const { return copy_; }

private:
    void ShowWorkingCopy();
    void SetGrid(bool enabled);

    SettingsView& view_;
    WorkingCopy copy_;
};

// A folder typed into the picker: a relative name is taken below the folder
// selected in the tree ("D:\out" + "new" -> "D:\out\new"); a drive path
// ("E:\x", "E:x") or a network path stays as typed.
std::string JoinTypedFolder(std::string_view selected, std::string_view typed);

}  // namespace merrowin
