#include "settings/store.h"

#include "common/errors.h"
#include "common/text.h"

namespace merrowin {

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

std::string RegistryTypeMessage(std::string_view valueName) {
    return FillMessage("'%s' のデータ型が不正です", valueName);
}
std::string KeyCreateMessage(std::string_view keyName) {
    return FillMessage("キー %s の作成に失敗しました", keyName);
}
std::string ValueWriteMessage(std::string_view valueName) {
    return FillMessage("'%s' の設定に失敗しました", valueName);
}
std::string KeyDeleteMessage(std::string_view keyName) {
    return FillMessage("キー %s の削除に失敗しました", keyName);
}

}  // namespace merrowin
