#include "settings/win/registry_store.h"

#include <vector>

#include "common/errors.h"

namespace merrowin::win {
namespace {

// Opens a subkey of `parent`; an empty owner when it cannot be opened.
UniqueKey OpenSubkey(HKEY parent, std::string_view section, REGSAM access) {
    HKEY raw = nullptr;
    if (::RegOpenKeyExW(parent, Widen(section).c_str(), 0, access, &raw) != ERROR_SUCCESS)
        return UniqueKey();
    return UniqueKey(raw);
}

}  // namespace

RegistryStore::RegistryStore(std::string_view keyPath) {
    HKEY raw = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, Widen(keyPath).c_str(), 0, nullptr,
                          REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &raw,
                          nullptr) != ERROR_SUCCESS)
        throw MerrowinError(KeyCreateMessage(keyPath));
    key_.reset(raw);
}

std::optional<std::string> RegistryStore::ReadText(std::string_view section,
                                                   std::string_view name) {
    UniqueKey sub = OpenSubkey(key_.get(), section, KEY_QUERY_VALUE);
    if (!sub) return std::nullopt;
    std::wstring valueName = Widen(name);
    DWORD type = 0;
    DWORD bytes = 0;
    LONG status = ::RegQueryValueExW(sub.get(), valueName.c_str(), nullptr, &type, nullptr, &bytes);
    if (status == ERROR_FILE_NOT_FOUND) return std::nullopt;
    // Another program may grow the value between the two calls: ask again,
    // a few times at most.
    std::vector<wchar_t> buffer;
    for (int attempt = 0; attempt < 4 && (status == ERROR_SUCCESS || status == ERROR_MORE_DATA);
         ++attempt) {
        if (type != REG_SZ && type != REG_EXPAND_SZ) throw MerrowinError(RegistryTypeMessage(name));
        // One spare character: a stored string need not end in a terminator.
        buffer.assign(bytes / sizeof(wchar_t) + 1, L'\0');
        DWORD size = bytes;
        status = ::RegQueryValueExW(sub.get(), valueName.c_str(), nullptr, &type,
                                    reinterpret_cast<BYTE*>(buffer.data()), &size);
        if (status == ERROR_SUCCESS && (type == REG_SZ || type == REG_EXPAND_SZ)) {
            std::wstring_view text(buffer.data(), size / sizeof(wchar_t));
            return Narrow(text.substr(0, text.find(L'\0')));
        }
        bytes = size;
    }
    // Deleted meanwhile, or unreadable: as if it were not there.
    return std::nullopt;
}

void RegistryStore::WriteText(std::string_view section, std::string_view name,
                              std::string_view text) {
    HKEY raw = nullptr;
    if (::RegCreateKeyExW(key_.get(), Widen(section).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_SET_VALUE, nullptr, &raw, nullptr) != ERROR_SUCCESS)
        throw MerrowinError(KeyCreateMessage(section));
    UniqueKey sub(raw);
    std::wstring data = Widen(text);
    auto bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
    if (::RegSetValueExW(sub.get(), Widen(name).c_str(), 0, REG_SZ,
                         reinterpret_cast<const BYTE*>(data.c_str()), bytes) != ERROR_SUCCESS)
        throw MerrowinError(ValueWriteMessage(name));
}

bool RegistryStore::SectionExists(std::string_view section) {
    return static_cast<bool>(OpenSubkey(key_.get(), section, KEY_QUERY_VALUE));
}

void RegistryStore::DeleteSection(std::string_view section) {
    // Removes the subkeys depth first, then the section itself.
    LONG status = ::RegDeleteTreeW(key_.get(), Widen(section).c_str());
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND)
        throw MerrowinError(KeyDeleteMessage(section));
}

}  // namespace merrowin::win
