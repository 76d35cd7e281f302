#include "settings/settings_form.h"

#include <utility>

#include "common/errors.h"
#include "common/text.h"

namespace merrowin {

SettingsForm::SettingsForm(SettingsView& view, StoreOpener openStore)
    : view_(view), openStore_(std::move(openStore)) {
    SetDefaults(copy_);
}

void SettingsForm::Load() {
    ShownSettings shown;
    {
        const std::unique_ptr<SettingsAccessor> store = openStore_(kStoreKeyPath);
        shown = LoadWorkingCopy(*store);
    }
    copy_ = shown.copy;
    view_.SetChecked(SettingsBox::Defaults, shown.defaultsChecked);
    FollowDefaultsBox();
    view_.SetChecked(SettingsBox::Folder, copy_.DrChk);
    FollowFolderBox();
    view_.SetFolderText(shown.saveDr);
    ShowWorkingCopy();
}

void SettingsForm::Apply() {
    for (std::size_t i = 0; i < kSettingsCells.size(); ++i) {
        const SettingsCell& cell = kSettingsCells[i];
        std::string text = view_.CellText(cell.field, cell.kind);
        const std::string before = text;
        const std::int32_t value = ClampEditText(text, cell.minimum, cell.maximum);
        if (text != before) view_.SetCellText(cell.field, cell.kind, text);
        copy_.values[i] = value;
    }
    copy_.DrChk = view_.IsChecked(SettingsBox::Folder);
    const std::unique_ptr<SettingsAccessor> store = openStore_(kStoreKeyPath);
    RecIni(copy_, view_.IsChecked(SettingsBox::Defaults), view_.FolderText(), *store);
}

void SettingsForm::RestoreDefaults() {
    SetDefaults(copy_);
    ShowWorkingCopy();
}

void SettingsForm::FollowDefaultsBox() {
    // The grid edits the stored sizes, which are in force only unchecked.
    SetGrid(!view_.IsChecked(SettingsBox::Defaults));
}

void SettingsForm::FollowFolderBox() {
    const bool checked = view_.IsChecked(SettingsBox::Folder);
    view_.Enable(SettingsControl::FolderEdit, checked);
    view_.Enable(SettingsControl::BrowseButton, checked);
}

bool SettingsForm::EraseStore() {
    if (!view_.Confirm(kEraseQuestion, kEraseQuestionTitle)) return false;
    const std::unique_ptr<SettingsAccessor> korvane = openStore_(kStoreParentPath);
    RegErase(*korvane);
    return true;
}

void SettingsForm::BrowseFolder() {
    std::string start;
    {
        const std::unique_ptr<SettingsAccessor> store = openStore_(kStoreKeyPath);
        start = ReadString(*store, kSettingSection, kSaveDrName, "");
    }
    if (start.empty()) start = view_.DocumentsFolder();
    if (start.empty()) start = kPickerFallbackStart;
    if (std::optional<std::string> folder = view_.PickFolder(start)) view_.SetFolderText(*folder);
}

void SettingsForm::ShowWorkingCopy() {
    for (std::size_t i = 0; i < kSettingsCells.size(); ++i)
        view_.SetCellText(kSettingsCells[i].field, kSettingsCells[i].kind,
                          IntToStr(copy_.values[i]));
}

// The defaults button first, then the cells.
void SettingsForm::SetGrid(bool enabled) {
    view_.Enable(SettingsControl::DefaultsButton, enabled);
    view_.Enable(SettingsControl::Grid, enabled);
}

std::size_t CellIndex(SizeField row, SymbologyKind kind) {
    for (std::size_t i = 0; i < kSettingsCells.size(); ++i)
        if (kSettingsCells[i].field == row && kSettingsCells[i].kind == kind) return i;
    return kSettingsCells.size();
}

std::string JoinTypedFolder(std::string_view selected, std::string_view typed) {
    const bool absolute =
        typed.size() >= 2 && (typed[1] == ':' || (typed[0] == '\\' && typed[1] == '\\'));
    if (absolute || selected.empty()) return std::string(typed);
    std::string path(selected);
    if (path.back() != '\\') path += '\\';
    return path.append(typed);
}

std::string CreateFolderQuestion(std::string_view path) {
    return FillMessage("フォルダ「%s」はありません。作成しますか?", path);
}
std::string FolderCreateMessage(std::string_view path) {
    return FillMessage("フォルダ「%s」を作成できません。", path);
}

}  // namespace merrowin
