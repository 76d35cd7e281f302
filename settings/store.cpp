#include "settings/store.h"

#include "common/text.h"
#include "model/symbology.h"
#include "settings/settings_model.h"

namespace merrowin {
namespace {

// Every run of a stored-values kind starts from these; the JAN kinds keep
// them, as they have no quiet zone of their own and no bearer frame.
constexpr std::uint8_t kPresetInnerMargin = 10;
constexpr std::uint8_t kPresetFrameWidth = 5;

}  // namespace

std::int32_t ReadInteger(SettingsAccessor& store, std::string_view section, std::string_view name,
                         std::int32_t fallback) {
    std::optional<std::string> text = store.ReadText(section, name);
    if (!text) return fallback;
    return TryStrToInt(*text).value_or(fallback);
}

bool ReadBool(SettingsAccessor& store, std::string_view section, std::string_view name,
              bool fallback) {
    return ReadInteger(store, section, name, fallback ? 1 : 0) != 0;
}

std::string ReadString(SettingsAccessor& store, std::string_view section, std::string_view name,
                       std::string_view fallback) {
    std::optional<std::string> text = store.ReadText(section, name);
    return text ? *text : std::string(fallback);
}

void WriteInteger(SettingsAccessor& store, std::string_view section, std::string_view name,
                  std::int32_t value) {
    store.WriteText(section, name, IntToStr(value));
}

void WriteBool(SettingsAccessor& store, std::string_view section, std::string_view name,
               bool value) {
    store.WriteText(section, name, value ? "1" : "0");
}

std::string_view KindSectionName(SymbologyKind kind) {
    const SymbologyDescriptor* symbology = Describe(kind);
    return symbology ? symbology->name : std::string_view{};
}

void LoadBuiltInDefaults(BarcodeJob& job) {
    job.InnerMargin = kPresetInnerMargin;
    job.FrameWidth = kPresetFrameWidth;
    // An unrecognised switch still gets sizes: the JAN-13 ones.
    SymbologyKind kind = job.Kind == SymbologyKind::None ? SymbologyKind::Jan13 : job.Kind;
    for (const SettingsCell& cell : kSettingsCells)
        if (cell.kind == kind) SetJobField(job, cell.field, cell.fallback);
}

void LoadSettings(BarcodeJob& job, SettingsAccessor& store) {
    if (ReadBool(store, kSettingSection, "Def", false)) {
        job.InnerMargin = kPresetInnerMargin;
        job.FrameWidth = kPresetFrameWidth;
        // Nothing is read for an unrecognised kind: it has no subkey.
        for (const SettingsCell& cell : kSettingsCells) {
            if (cell.kind != job.Kind) continue;
            SetJobField(job, cell.field,
                        ReadInteger(store, KindSectionName(cell.kind), FieldName(cell.field),
                                    cell.fallback));
        }
    } else {
        LoadBuiltInDefaults(job);
    }
    job.DrChk = ReadBool(store, kSettingSection, "DrChk", false);
    if (job.DrChk) job.SaveDr = ReadString(store, kSettingSection, "SaveDr", "");
    job.SaveFile = false;
    job.FileNameGiven = false;
    job.NoClipboard = false;
}

}  // namespace merrowin
