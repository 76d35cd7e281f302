// The settings window: the stored sizes of each symbology in a grid
// of edits with spinners, the defaults and save-folder choices, apply,
// cancel, back to defaults and erasing the program's registry key. Its
// rules are SettingsForm's; the window makes the controls and is the view.
#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "common/win/controls.h"
#include "common/win/form_window.h"
#include "settings/settings_form.h"

namespace merrowin::win {

// The settings window's class name: other programs find the window by it.
inline constexpr wchar_t kSettingsWindowClass[] = L"TForm3";

// Control ids of the settings window: the edit of kSettingsCells' cell
// numbered n (1 to 36) is kGridEditId + n, its spinner kGridUpDownId + n.
enum SettingsControlId : int {
    kHeadingLabel = 301,  // "初期設定" over the yellow ellipse
    kApplyButton = 201,
    kDefaultsButton = 202,  // the built-in defaults into the grid
    kCancelButton = 203,
    kEraseButton = 204,   // erase the registry key
    kBrowseButton = 205,  // browse for the save folder
    kDefaultsBox = 211,   // "常に既定値を適用する"
    kFolderBox = 212,     // "保存場所の指定"
    kFolderEdit = 1037,
    kPreviewPicture = 221,  // the picture of the kind whose cell was edited last
    kGridEditId = 1000,
    kGridUpDownId = 1100,
};

class SettingsWindow final : public FormWindow, private SettingsView {
public:
    // Creates the window hidden, owned by the usage window.
    SettingsWindow(HINSTANCE instance, HWND owner);
    ~SettingsWindow() override;

    // Loads the store into the controls, shows the window and keeps the
    // owner disabled until the window is hidden again (apply, cancel, close
    // box) or the program ends.
    void ShowModal();

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void CreateControls();
    HWND Item(int id) const { return ::GetDlgItem(Handle(), id); }
    HWND CellEdit(SizeField row, SymbologyKind kind) const;
    LRESULT ControlColour(HDC dc, HWND control, UINT message, WPARAM wParam, LPARAM lParam);
    void DrawHeading(const DRAWITEMSTRUCT& item) const;
    void PaintEllipse();
    void Hide();

    void Apply();
    void RestoreDefaults();
    void Cancel();
    void EraseStore();
    // The preview of `kind` with the sizes its column of the grid holds.
    void ShowPreview(SymbologyKind kind);

    // SettingsView, on the controls.
    std::string CellText(SizeField row, SymbologyKind kind) override;
    void SetCellText(SizeField row, SymbologyKind kind, std::string_view text) override;
    std::string FolderText() override;
    void SetFolderText(std::string_view text) override;
    void Enable(SettingsControl control, bool enabled) override;
    bool IsChecked(SettingsBox box) override;
    void SetChecked(SettingsBox box, bool checked) override;
    bool Confirm(std::string_view text, std::string_view title) override;
    std::optional<std::string> PickFolder(const std::string& start) override;
    std::string DocumentsFolder() override;

    static LRESULT CALLBACK HandCursorProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR id, DWORD_PTR data);

    HWND owner_;
    UniqueFont font_;
    UniqueFont boldFont_;     // the apply button's caption
    UniqueFont headingFont_;  // "初期設定"
    SettingsForm form_;
    std::array<HWND, kCellCount> edits_{};
    std::array<HWND, kCellCount> upDowns_{};
    bool gridWindowColour_ = true;         // clWindow, else clGrayText
    bool folderWindowTextColour_ = false;  // clWindowText, else clGrayText
    HWND preview_ = nullptr;
    SymbologyKind previewKind_ = SymbologyKind::Jan13;
};

}  // namespace merrowin::win
