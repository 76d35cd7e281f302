// The settings accessor on the registry of the current user.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/win/win_util.h"
#include "settings/store.h"

namespace merrowin::win {

// Opens HKEY_CURRENT_USER\<keyPath> with full access, creating the missing
// keys on the path (failure: KeyCreateMessage). Sections are its subkeys;
// reading never creates one. Closed when the object goes.
class RegistryStore final : public SettingsAccessor {
public:
    explicit RegistryStore(std::string_view keyPath);

    std::optional<std::string> ReadText(std::string_view section, std::string_view name) override;
    void WriteText(std::string_view section, std::string_view name, std::string_view text) override;
    bool SectionExists(std::string_view section) override;
    void DeleteSection(std::string_view section) override;

private:
    UniqueKey key_;
};

}  // namespace merrowin::win
