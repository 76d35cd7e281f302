#include "settings/load_settings.h"

#include "settings/schema.h"

namespace merrowin {
namespace {

// Every run of a stored-values kind starts with the fields that not every
// kind stores (inner margin, frame width) at their built-in value; the JAN
// kinds keep it, as they have no quiet zone of their own and no bearer
// frame.
void LoadPresets(BarcodeJob& job) {
    for (const NumericOption& option : kNumericOptions)
        if (option.stored == StoredFor::Itf) SetJobField(job, option.field, option.janDefault);
}

}  // namespace

void LoadBuiltInDefaults(BarcodeJob& job) {
    LoadPresets(job);
    // An unrecognised switch still gets sizes: the JAN-13 ones.
    SymbologyKind kind = job.Kind == SymbologyKind::None ? SymbologyKind::Jan13 : job.Kind;
    for (const SettingsCell& cell : kSettingsCells)
        if (cell.kind == kind) SetJobField(job, cell.field, cell.fallback);
}

void LoadSettings(BarcodeJob& job, SettingsAccessor& store) {
    if (ReadBool(store, kSettingSection, kDefName, false)) {
        LoadPresets(job);
        // Nothing is read for an unrecognised kind: it has no subkey.
        for (const SettingsCell& cell : kSettingsCells) {
            if (cell.kind != job.Kind) continue;
            SetJobField(job, cell.field,
                        ReadInteger(store, SectionOf(cell), FieldName(cell.field), cell.fallback));
        }
    } else {
        LoadBuiltInDefaults(job);
    }
    job.DrChk = ReadBool(store, kSettingSection, kDrChkName, false);
    if (job.DrChk) job.SaveDr = ReadString(store, kSettingSection, kSaveDrName, "");
    job.SaveFile = false;
    job.FileNameGiven = false;
    job.NoClipboard = false;
}

}  // namespace merrowin
