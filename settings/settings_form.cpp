#include "settings/settings_form.h"

#include "common/errors.h"
#include "common/text.h"

namespace merrowin {

SettingsForm::SettingsForm(SettingsView& view) : view_(view) {
    SetDefaults(copy_);
}

void SettingsForm::FormShow() {
    ShownSettings shown;
    {
        const std::unique_ptr<SettingsAccessor> store = view_.OpenStore(kStoreKeyPath);
        shown = LoadWorkingCopy(*store);
    }
    copy_ = shown.copy;
    view_.SetChecked(SettingsBox::Defaults, shown.defaultsChecked);
    CheckBox1Click();
    view_.SetChecked(SettingsBox::Folder, copy_.DrChk);
    CheckBox2Click();
    view_.SetEditText(kFolderEdit, shown.saveDr);
    ShowWorkingCopy();
}

void SettingsForm::SetNew() {
    for (std::size_t i = 0; i < kSettingsCells.size(); ++i) {
        const SettingsCell& cell = kSettingsCells[i];
        std::string text = view_.EditText(cell.edit);
        const std::string before = text;
        const std::int32_t value = ClampEditText(text, cell.minimum, cell.maximum);
        if (text != before) view_.SetEditText(cell.edit, text);
        copy_.values[i] = value;
    }
    copy_.DrChk = view_.IsChecked(SettingsBox::Folder);
    const std::unique_ptr<SettingsAccessor> store = view_.OpenStore(kStoreKeyPath);
    RecIni(copy_, view_.IsChecked(SettingsBox::Defaults), view_.EditText(kFolderEdit), *store);
}

void SettingsForm::SetDef() {
    SetDefaults(copy_);
    ShowWorkingCopy();
}

void SettingsForm::CheckBox1Click() {
    // The grid edits the stored sizes, which are in force only unchecked.
    SetGrid(!view_.IsChecked(SettingsBox::Defaults));
}

void SettingsForm::CheckBox2Click() {
    const bool checked = view_.IsChecked(SettingsBox::Folder);
    view_.Enable(SettingsControl::FolderEdit, checked);
    view_.Enable(SettingsControl::BrowseButton, checked);
}

bool SettingsForm::Button4Click() {
    if (!view_.Confirm(kEraseQuestion, kEraseQuestionTitle)) return false;
    const std::unique_ptr<SettingsAccessor> korvane = view_.OpenStore(kStoreParentPath);
    RegErase(*korvane);
    return true;
}

void SettingsForm::Button5Click() {
    std::string start;
    {
        const std::unique_ptr<SettingsAccessor> store = view_.OpenStore(kStoreKeyPath);
        start = ReadString(*store, kSettingSection, kSaveDrName, "");
    }
    if (start.empty()) start = view_.DocumentsFolder();
    if (start.empty()) start = kPickerFallbackStart;
    if (std::optional<std::string> folder = view_.PickFolder(start))
        view_.SetEditText(kFolderEdit, *folder);
}

void SettingsForm::ShowWorkingCopy() {
    for (std::size_t i = 0; i < kSettingsCells.size(); ++i)
        view_.SetEditText(kSettingsCells[i].edit, IntToStr(copy_.values[i]));
}

// EditEnable and EditDisable: Button2 first, then the cells.
void SettingsForm::SetGrid(bool enabled) {
    view_.Enable(SettingsControl::DefaultsButton, enabled);
    view_.Enable(SettingsControl::Grid, enabled);
}

std::string JoinTypedFolder(std::string_view selected, std::string_view typed) {
    const bool absolute =
        typed.size() >= 2 && (typed[1] == ':' || (typed[0] == '\\' && typed[1] == '\\'));
    if (absolute || selected.empty()) return std::string(typed);
    std::string path(selected);
    if (path.back() != '\\') path += '\\';
    return path.append(typed);
}

}  // namespace merrowin
