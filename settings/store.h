// The per-user settings store: an INI-like view of the registry key
// Software\Korvane\Merrowin whose sections are its subkeys and whose values
// are all strings, and the rules for reading and writing such values.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace merrowin {

inline constexpr std::string_view kStoreKeyPath = "Software\\Korvane\\Merrowin";
inline constexpr std::string_view kStoreParentPath = "Software\\Korvane";
inline constexpr std::string_view kStoreKeyName = "Merrowin";

// An opened key. The registry implements it on HKCU; tests keep it in memory.
class SettingsAccessor {
public:
    virtual ~SettingsAccessor() = default;
    // The text of a string value; nothing when the section or value is
    // missing. A value that is not a string raises RegistryTypeMessage(name).
    virtual std::optional<std::string> ReadText(std::string_view section,
                                                std::string_view name) = 0;
    // Creates the section if needed and stores the text; failures raise
    // KeyCreateMessage(section) or ValueWriteMessage(name).
    virtual void WriteText(std::string_view section, std::string_view name,
                           std::string_view text) = 0;
    virtual bool SectionExists(std::string_view section) = 0;
    // Deletes the section with everything below it, depth first.
    virtual void DeleteSection(std::string_view section) = 0;
};

// Reading rules: missing or unconvertible text gives the default; a boolean
// is an integer compared with zero.
std::int32_t ReadInteger(SettingsAccessor& store, std::string_view section, std::string_view name,
                         std::int32_t fallback);
bool ReadBool(SettingsAccessor& store, std::string_view section, std::string_view name,
              bool fallback);
std::string ReadString(SettingsAccessor& store, std::string_view section, std::string_view name,
                       std::string_view fallback);
// Integers as decimal text, booleans as "1" and "0".
void WriteInteger(SettingsAccessor& store, std::string_view section, std::string_view name,
                  std::int32_t value);
void WriteBool(SettingsAccessor& store, std::string_view section, std::string_view name,
               bool value);

// The store's failures, named after the registry value or key.
std::string RegistryTypeMessage(std::string_view valueName);  // '%s' のデータ型が不正です
std::string KeyCreateMessage(std::string_view keyName);  // キー %s の作成に失敗しました
std::string ValueWriteMessage(std::string_view valueName);  // '%s' の設定に失敗しました
std::string KeyDeleteMessage(std::string_view keyName);  // キー %s の削除に失敗しました

}  // namespace merrowin
