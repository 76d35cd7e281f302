#include "common/win/win_util.h"

#include <vector>

#include "common/errors.h"
#include "common/win/system_function.h"

namespace merrowin::win {
namespace {

// Reads a string value of HKEY_CURRENT_USER; `fallback` when the key or
// the value is missing or not a string.
std::string ReadUserRegistryString(std::wstring_view keyPath, std::wstring_view name,
                                   std::string_view fallback) {
    HKEY raw = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, std::wstring(keyPath).c_str(), 0, KEY_READ, &raw) !=
        ERROR_SUCCESS)
        return std::string(fallback);
    UniqueKey key(raw);
    DWORD type = 0;
    DWORD bytes = 0;
    std::wstring valueName(name);
    if (::RegQueryValueExW(key.get(), valueName.c_str(), nullptr, &type, nullptr, &bytes) !=
            ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return std::string(fallback);
    std::vector<wchar_t> buffer(bytes / sizeof(wchar_t) + 1, L'\0');
    if (::RegQueryValueExW(key.get(), valueName.c_str(), nullptr, &type,
                           reinterpret_cast<BYTE*>(buffer.data()), &bytes) != ERROR_SUCCESS)
        return std::string(fallback);
    return Narrow(buffer.data());
}

// FOLDERID_Documents (knownfolders.h), written out here so that no GUID
// library is linked.
constexpr GUID kFolderIdDocuments = {
    0xFDD39AD0, 0x238F, 0x46AF, {0xAD, 0xB4, 0x6C, 0x85, 0x48, 0x03, 0x69, 0xC7}};

using GetKnownFolderPath = HRESULT WINAPI(const GUID&, DWORD, HANDLE, PWSTR*);
using FreeTaskMemory = void WINAPI(void*);

// The documents folder as the shell reports it (SHGetKnownFolderPath,
// Windows Vista and later, with shell32 and ole32 loaded only here); empty
// when the shell cannot say or the folder is not there (without
// KF_FLAG_DONT_VERIFY the shell checks that it exists).
std::string KnownDocumentsFolder() {
    auto* const getPath =
        LoadSystemFunction<GetKnownFolderPath>(L"shell32.dll", "SHGetKnownFolderPath");
    auto* const freeMemory = LoadSystemFunction<FreeTaskMemory>(L"ole32.dll", "CoTaskMemFree");
    if (!getPath || !freeMemory) return {};
    PWSTR path = nullptr;
    const HRESULT result = getPath(kFolderIdDocuments, 0, nullptr, &path);
    // The shell allocates the path even when it fails; it is freed either way.
    std::string folder = SUCCEEDED(result) && path ? Narrow(path) : std::string();
    freeMemory(path);
    return folder;
}

}  // namespace

std::wstring Widen(std::string_view utf8) {
    if (utf8.empty()) return {};
    int n =
        ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
    return out;
}

std::string Narrow(std::wstring_view utf16) {
    if (utf16.empty()) return {};
    int n = ::WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), nullptr,
                                  0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), out.data(), n,
                          nullptr, nullptr);
    return out;
}

void SetFaceName(LOGFONTW& font, std::string_view face) {
    const std::wstring wide = Widen(face);
    const std::size_t n = wide.copy(font.lfFaceName, LF_FACESIZE - 1);
    font.lfFaceName[n] = L'\0';
}

void ShowErrorBox(HWND owner, std::string_view message) {
    // A batch file or a macro that started us may hold the foreground while
    // it waits; a box behind its window looks like a hang. MB_SETFOREGROUND
    // makes the box call SetForegroundWindow, which Windows grants to a
    // process "started by the foreground process" while the user has not
    // gone on to another window ("SetForegroundWindow", Remarks): the box
    // is the first window this process activates, so nothing has used that
    // right up before it.
    ::MessageBoxW(owner, Widen(ErrorBoxText(message)).c_str(), kAppTitle,
                  MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}

std::string PersonalFolder(std::string_view fallback) {
    // The shell knows where the documents are now; the "Shell Folders" key
    // is only a compatibility copy of "User Shell Folders" that may be
    // missing or stale after the folder was moved or redirected; Windows
    // itself writes into it the value "!Do not use this registry key":
    // "Use the SHGetFolderPath or SHGetKnownFolderPath function instead".
    std::string shell = KnownDocumentsFolder();
    if (!shell.empty()) return shell;
    return ReadUserRegistryString(
        L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", L"Personal",
        fallback);
}

std::wstring ExecutablePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

}  // namespace merrowin::win
