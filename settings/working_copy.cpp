#include "settings/working_copy.h"

#include "common/text.h"
#include "model/symbology.h"

namespace merrowin {
namespace {

// Reads the 36 stored values into `copy` in table order, each narrowed like
// its job field.
void ReadStoredValues(SettingsAccessor& store, WorkingCopy& copy) {
    for (std::size_t i = 0; i < kSettingsCells.size(); ++i) {
        const SettingsCell& cell = kSettingsCells[i];
        std::int32_t value =
            ReadInteger(store, SectionOf(cell), FieldName(cell.field), cell.fallback);
        copy.values[i] = NarrowToField(cell.field, value);
    }
}

}  // namespace

void SetDefaults(WorkingCopy& copy) {
    for (std::size_t i = 0; i < kSettingsCells.size(); ++i)
        copy.values[i] = kSettingsCells[i].fallback;
}

ShownSettings LoadWorkingCopy(SettingsAccessor& store) {
    ShownSettings shown;
    const bool def = ReadBool(store, kSettingSection, kDefName, false);
    shown.defaultsChecked = InvertDefaultsChoice(def);
    shown.copy.DrChk = ReadBool(store, kSettingSection, kDrChkName, false);
    if (def)
        ReadStoredValues(store, shown.copy);
    else
        SetDefaults(shown.copy);
    // The stored folder is shown, greyed, also while it is not in use.
    shown.saveDr = ReadString(store, kSettingSection, kSaveDrName, "");
    return shown;
}

void RecIni(const WorkingCopy& copy, bool defaultsChecked, std::string_view saveDr,
            SettingsAccessor& store) {
    // Subkey by subkey in settings-column order; within one, the grid's row
    // order.
    for (const SymbologyDescriptor& symbology : Symbologies()) {
        for (std::size_t i = 0; i < kSettingsCells.size(); ++i) {
            const SettingsCell& cell = kSettingsCells[i];
            if (cell.kind != symbology.kind) continue;
            WriteInteger(store, symbology.name, FieldName(cell.field), copy.values[i]);
        }
    }
    WriteBool(store, kSettingSection, kDefName, InvertDefaultsChoice(defaultsChecked));
    WriteBool(store, kSettingSection, kDrChkName, copy.DrChk);
    // An unused folder stays stored as it was, to come back greyed.
    if (copy.DrChk) store.WriteText(kSettingSection, kSaveDrName, saveDr);
}

void RegErase(SettingsAccessor& korvane) {
    if (korvane.SectionExists(kStoreKeyName)) korvane.DeleteSection(kStoreKeyName);
}

std::int32_t ClampEditText(std::string& text, std::int32_t minimum, std::int32_t maximum) {
    if (StrToInt(text) > maximum) text = IntToStr(maximum);
    if (StrToInt(text) < minimum) text = IntToStr(minimum);
    return StrToInt(text);
}

bool EditKeyPasses(char32_t ch) {
    return ch == 8 || (ch >= U'0' && ch <= U'9');
}

}  // namespace merrowin
