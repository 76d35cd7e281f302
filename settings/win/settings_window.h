// TForm3, the settings window: the stored sizes of each symbology in a grid
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
#include "settings/settings_form.h"

namespace merrowin::win {

// Control ids of the settings window (Edit n is kGridEditId + n, its
// spinner kGridUpDownId + n, for n from 1 to 36).
enum SettingsControlId : int {
    kSettingsLabel1 = 301,   // "初期設定" over the yellow ellipse
    kSettingsButton1 = 201,  // apply
    kSettingsButton2 = 202,  // built-in defaults
    kSettingsButton3 = 203,  // cancel
    kSettingsButton4 = 204,  // erase the registry key
    kSettingsButton5 = 205,  // browse for the save folder
    kSettingsCheckBox1 = 211,
    kSettingsCheckBox2 = 212,
    kSettingsEdit37 = 1037,
    kGridEditId = 1000,
    kGridUpDownId = 1100,
};

class TForm3 final : public FormWindow, private SettingsView {
public:
    // Creates the window hidden, owned by the usage window.
    TForm3(HINSTANCE instance, HWND owner);
    ~TForm3() override;

    // Runs FormShow, shows the window and keeps the owner disabled until the
    // window is hidden again (apply, cancel, close box) or the program ends.
    void ShowModal();

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void CreateControls();
    HWND Item(int id) const { return ::GetDlgItem(Handle(), id); }
    HWND EditOf(int edit) const;
    LRESULT ControlColour(HDC dc, HWND control, UINT message, WPARAM wParam, LPARAM lParam);
    void DrawHeading(const DRAWITEMSTRUCT& item) const;
    void PaintShape();
    void Hide();

    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();

    // SettingsView, on the controls.
    std::string EditText(int edit) override;
    void SetEditText(int edit, std::string_view text) override;
    void Enable(SettingsControl control, bool enabled) override;
    bool IsChecked(SettingsBox box) override;
    void SetChecked(SettingsBox box, bool checked) override;
    bool Confirm(std::string_view text, std::string_view title) override;
    std::optional<std::string> PickFolder(const std::string& start) override;
    std::string DocumentsFolder() override;
    std::unique_ptr<SettingsAccessor> OpenStore(std::string_view keyPath) override;

    static LRESULT CALLBACK HandCursorProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR id, DWORD_PTR data);

    HWND owner_;
    UniqueFont font_;
    UniqueFont boldFont_;     // Button1's caption
    UniqueFont headingFont_;  // Label1
    SettingsForm form_;
    std::array<HWND, kCellCount> edits_{};
    std::array<HWND, kCellCount> upDowns_{};
    bool gridWindowColour_ = true;         // clWindow, else clGrayText
    bool edit37WindowTextColour_ = false;  // clWindowText, else clGrayText
};

}  // namespace merrowin::win
