#include "settings/win/folder_picker.h"

#include <objbase.h>
#include <shlobj.h>

#include <cwchar>

#include "common/errors.h"
#include "common/text.h"
#include "common/win/win_util.h"
#include "settings/settings_form.h"

namespace merrowin::win {
namespace {

// A function of a system DLL that only this window needs, loaded on
// its first use. Linked normally, shell32 and ole32 (and the dozen DLLs they
// bring along) would be loaded by every generation run, a good part of its
// start-up time. Null when the DLL or the function is not there.
template <typename Function>
Function* LoadSystemFunction(const wchar_t* dll, const char* name) {
    HMODULE module = ::LoadLibraryW(dll);  // stays loaded until the process ends
    if (!module) return nullptr;
    return reinterpret_cast<Function*>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

// The shell and COM functions of the folder picker, loaded when it is first
// used (see LoadSystemFunction).
struct ShellFunctions {
    decltype(::CoInitializeEx)* coInitializeEx =
        LoadSystemFunction<decltype(::CoInitializeEx)>(L"ole32.dll", "CoInitializeEx");
    decltype(::CoUninitialize)* coUninitialize =
        LoadSystemFunction<decltype(::CoUninitialize)>(L"ole32.dll", "CoUninitialize");
    decltype(::CoTaskMemFree)* coTaskMemFree =
        LoadSystemFunction<decltype(::CoTaskMemFree)>(L"ole32.dll", "CoTaskMemFree");
    decltype(::SHBrowseForFolderW)* browseForFolder =
        LoadSystemFunction<decltype(::SHBrowseForFolderW)>(L"shell32.dll", "SHBrowseForFolderW");
    // The Ex form takes the buffer's size: the plain one writes up to
    // MAX_PATH characters and cannot return a longer folder.
    decltype(::SHGetPathFromIDListEx)* pathFromIdList =
        LoadSystemFunction<decltype(::SHGetPathFromIDListEx)>(L"shell32.dll",
                                                              "SHGetPathFromIDListEx");
    decltype(::SHCreateDirectoryExW)* createDirectory =
        LoadSystemFunction<decltype(::SHCreateDirectoryExW)>(L"shell32.dll",
                                                             "SHCreateDirectoryExW");

    bool complete() const {
        return coInitializeEx && coUninitialize && coTaskMemFree && browseForFolder &&
               pathFromIdList && createDirectory;
    }
};

const ShellFunctions& Shell() {
    static const ShellFunctions functions;
    return functions;
}

class ComScope {
public:
    ComScope() : result_(Shell().coInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
    ~ComScope() {
        if (SUCCEEDED(result_)) Shell().coUninitialize();
    }

private:
    HRESULT result_;
};

// The file-system folder of an item, at any length; empty when it has none.
std::wstring FolderOf(PCIDLIST_ABSOLUTE item) {
    // The call fails alike for a buffer too small and for an item without a
    // folder: grow up to the longest path Windows has, then give up.
    for (std::size_t size = MAX_PATH; size <= 32768; size *= 2) {
        std::wstring path(size, L'\0');
        if (Shell().pathFromIdList(item, path.data(), static_cast<DWORD>(size), GPFIDL_DEFAULT)) {
            path.resize(std::wcslen(path.c_str()));
            return path;
        }
    }
    return {};
}

struct BrowseState {
    std::wstring start;
    std::wstring current;  // the folder selected in the tree
    std::wstring created;  // a typed folder made after confirmation
};

// A typed name that is no folder: ask, then make it with its parents. A
// relative name is taken below the folder selected in the tree. Returns
// what the picker wants: 0 closes it, 1 keeps it open.
int OfferToCreate(HWND picker, BrowseState& state, const wchar_t* typed) {
    const std::wstring path = Widen(JoinTypedFolder(Narrow(state.current), Narrow(typed)));
    if (::MessageBoxW(picker, Widen(CreateFolderQuestion(Narrow(path))).c_str(), kAppTitle,
                      MB_YESNO | MB_ICONQUESTION) != IDYES)
        return 1;
    int result = Shell().createDirectory(picker, path.c_str(), nullptr);
    if (result != ERROR_SUCCESS && result != ERROR_ALREADY_EXISTS && result != ERROR_FILE_EXISTS) {
        ::MessageBoxW(picker, Widen(FolderCreateMessage(Narrow(path))).c_str(), kAppTitle,
                      MB_OK | MB_ICONERROR);
        return 1;
    }
    state.created = path;
    return 0;
}

int CALLBACK BrowseCallback(HWND picker, UINT message, LPARAM lParam, LPARAM data) {
    auto& state = *reinterpret_cast<BrowseState*>(data);
    switch (message) {
        case BFFM_INITIALIZED:
            ::SendMessageW(picker, BFFM_SETSELECTIONW, TRUE,
                           reinterpret_cast<LPARAM>(state.start.c_str()));
            break;
        case BFFM_SELCHANGED: {
            std::wstring path = FolderOf(reinterpret_cast<PCIDLIST_ABSOLUTE>(lParam));
            if (!path.empty()) state.current = std::move(path);
            break;
        }
        case BFFM_VALIDATEFAILEDW:
            return OfferToCreate(picker, state, reinterpret_cast<const wchar_t*>(lParam));
        default:
            break;
    }
    return 0;
}

}  // namespace

std::optional<std::wstring> BrowseForFolder(HWND owner, const std::wstring& start) {
    if (!Shell().complete()) return std::nullopt;
    ComScope com;
    BrowseState state{start, start, {}};
    BROWSEINFOW info{};
    info.hwndOwner = owner;
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE | BIF_EDITBOX | BIF_VALIDATE;
    info.lpfn = &BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(&state);
    PIDLIST_ABSOLUTE chosen = Shell().browseForFolder(&info);
    if (chosen) {
        std::wstring path = FolderOf(chosen);
        Shell().coTaskMemFree(chosen);
        if (!path.empty()) return path;
    }
    if (!state.created.empty()) return state.created;
    return std::nullopt;
}

}  // namespace merrowin::win
