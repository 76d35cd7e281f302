// The help and what Explorer shows of the exe: the program's own help window
// from the usage window's button, from Alt+H and from "merrowin /?"; WinHelp
// for a help file beside the exe; the manifest, the version information and
// the icon read back with the resource functions.
#include <windows.h>

#include "usage/help_text.h"
// After <windows.h>:
#include <psapi.h>
#include <winver.h>

#include <cstdlib>
#include <cwchar>
#include <memory>
#include <string>
#include <vector>

#include "common/version.h"
#include "tests/e2e/e2e_test.h"
#include "usage/win/help_window.h"

namespace merrowin::e2e {
namespace {

constexpr wchar_t kHelpButton[] = L"ヘルプ(&H)";
constexpr wchar_t kQuitButton[] = L"終了(&X)";

std::wstring FromUtf8(std::string_view text) {
    const int n =
        ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

// The help as the window's edit holds it: the core's text, lines in CR LF.
std::wstring ExpectedHelpText() {
    std::wstring out;
    for (wchar_t c : FromUtf8(HelpText())) {
        if (c == L'\n') out += L'\r';
        out += c;
    }
    return out;
}

std::vector<HWND> HelpWindowsOf(const Process& run) {
    std::vector<HWND> found;
    for (HWND window : TopLevelWindows(run.Id()))
        if (::IsWindow(window) && ClassNameOf(window) == win::kHelpWindowClass)
            found.push_back(window);
    return found;
}

// Alt+H as the keyboard delivers it: WM_SYSCHAR to the control that has the
// focus (context bit 29: Alt is down).
void PressAltH(HWND form) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    const DWORD thread = ::GetWindowThreadProcessId(form, nullptr);
    HWND target = ::GetGUIThreadInfo(thread, &info) && info.hwndFocus ? info.hwndFocus : form;
    ::PostMessageW(target, WM_SYSCHAR, L'h', 1 | (1 << 29));
}

// Esc as the keyboard delivers it, to the help's edit (it has the focus).
void PressEsc(HWND edit) {
    ::PostMessageW(edit, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    ::PostMessageW(edit, WM_KEYUP, VK_ESCAPE, 0xC0010001);
}

// The full path of the program that runs a window, or empty.
std::wstring ImageOf(HWND window) {
    DWORD id = 0;
    ::GetWindowThreadProcessId(window, &id);
    HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
    if (!process) return {};
    wchar_t path[MAX_PATH * 4] = {};
    DWORD size = MAX_PATH * 4;
    const bool ok = ::QueryFullProcessImageNameW(process, 0, path, &size);
    ::CloseHandle(process);
    return ok ? std::wstring(path, size) : std::wstring();
}

bool EndsWithNoCase(const std::wstring& text, std::wstring_view tail) {
    return text.size() >= tail.size() &&
           _wcsicmp(text.c_str() + text.size() - tail.size(), std::wstring(tail).c_str()) == 0;
}

BOOL CALLBACK FindWinHelpWindowProc(HWND window, LPARAM param) {
    if (!::IsWindowVisible(window) || !EndsWithNoCase(ImageOf(window), L"\\winhlp32.exe"))
        return TRUE;
    *reinterpret_cast<HWND*>(param) = window;
    return FALSE;
}

// A visible top-level window of Windows Help (winhlp32.exe), of any process.
HWND FindWinHelpWindow() {
    HWND found = nullptr;
    ::EnumWindows(&FindWinHelpWindowProc, reinterpret_cast<LPARAM>(&found));
    return found;
}

// Ends the Windows Help process the test made the usage window start.
void EndProcessOf(HWND window) {
    DWORD id = 0;
    ::GetWindowThreadProcessId(window, &id);
    HANDLE process = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
    if (!process) return;
    ::TerminateProcess(process, 0);
    ::WaitForSingleObject(process, 5000);
    ::CloseHandle(process);
}

enum class OpenBy { Button, AltH, CommandLine };

struct HelpOpenRow {
    int row;
    OpenBy openBy;
    const wchar_t* args;  // the command line of the run
};

class HelpWindowTest : public E2eTest, public testing::WithParamInterface<HelpOpenRow> {};

// Opens, reads and closes the help window; the usage window stays usable
// and opens it again; a help window of its own ends the run with 0.
TEST_P(HelpWindowTest, OpensWithTheWholeHelpAndClosesWithEsc) {
    const HelpOpenRow& row = GetParam();
    Process run(row.args, Cwd());
    HWND usage = nullptr;
    auto open = [&] {
        if (row.openBy == OpenBy::Button) ClickButton(FindChild(usage, L"Button", kHelpButton));
        if (row.openBy == OpenBy::AltH) PressAltH(usage);
        return run.WaitForWindow(win::kHelpWindowClass);
    };
    if (row.openBy != OpenBy::CommandLine) {
        usage = run.WaitForWindow(L"TForm2");
        ASSERT_NE(usage, nullptr);
    }
    HWND help = open();
    ASSERT_NE(help, nullptr) << "no help window";
    EXPECT_EQ(TextOf(help), L"Merrowin ヘルプ");
    EXPECT_EQ(::GetWindow(help, GW_OWNER), usage);
    EXPECT_TRUE(::GetWindowLongW(help, GWL_STYLE) & WS_THICKFRAME);
    if (usage) {
        EXPECT_TRUE(::IsWindowEnabled(usage));  // not modal
    }

    HWND edit = ::GetDlgItem(help, win::kHelpEditId);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(ClassNameOf(edit), L"Edit");
    const LONG style = ::GetWindowLongW(edit, GWL_STYLE);
    EXPECT_TRUE(style & ES_MULTILINE);
    EXPECT_TRUE(style & ES_READONLY);
    const std::wstring text = TextOf(edit);
    EXPECT_EQ(text, ExpectedHelpText());
    for (const wchar_t* key : {L"/cd", L"/fl", L"/dr", L"/nc", L"/no", L"/bh", L"/tm", L"/bm",
                               L"/lm", L"/rm", L"/im", L"/fw", L"/gp", L"/fs", L"/cr", L"/mw"})
        EXPECT_NE(text.find(std::wstring(L"\r\n  ") + key), std::wstring::npos) << key;

    // The edit follows the window's size.
    ::SetWindowPos(help, nullptr, 0, 0, 700, 600, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client{}, editRect{};
    ::GetClientRect(help, &client);
    ::GetWindowRect(edit, &editRect);
    EXPECT_EQ(editRect.right - editRect.left, client.right);
    EXPECT_EQ(editRect.bottom - editRect.top, client.bottom);

    PressEsc(edit);
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(help); })) << "Esc did not close the help";
    if (!usage) {
        EXPECT_EQ(run.WaitExit(), 0u);
        return;
    }
    EXPECT_TRUE(::IsWindowVisible(usage));
    EXPECT_TRUE(run.Running());
    // Open again, then close the usage window: the help goes with it.
    help = open();
    ASSERT_NE(help, nullptr) << "the help did not open a second time";
    ClickButton(FindChild(usage, L"Button", kQuitButton));
    EXPECT_EQ(run.WaitExit(), 0u);
}

const HelpOpenRow kHelpOpenRows[] = {
    {1, OpenBy::Button, L""},
    {2, OpenBy::AltH, L""},
    {3, OpenBy::CommandLine, L"/?"},
    {4, OpenBy::CommandLine, L"/h"},
    {5, OpenBy::CommandLine, L"-?"},
    {6, OpenBy::CommandLine, L"-H"},
    {7, OpenBy::CommandLine, L"/? /cd490123456789 /fl"},
};

INSTANTIATE_TEST_SUITE_P(, HelpWindowTest, testing::ValuesIn(kHelpOpenRows),
                         [](const auto& info) { return "row" + std::to_string(info.param.row); });

// A second press of the button while the help is open (here minimised)
// brings that window back instead of making another.
TEST_F(E2eTest, SecondHelpPressBringsTheOpenWindowForward) {
    Process run(L"", Cwd());
    HWND usage = run.WaitForWindow(L"TForm2");
    ASSERT_NE(usage, nullptr);
    HWND button = FindChild(usage, L"Button", kHelpButton);
    ClickButton(button);
    HWND help = run.WaitForWindow(win::kHelpWindowClass);
    ASSERT_NE(help, nullptr);
    ::ShowWindow(help, SW_MINIMIZE);
    ASSERT_TRUE(WaitFor([&] { return ::IsIconic(help) != FALSE; }));
    ClickButton(button);
    EXPECT_TRUE(WaitFor([&] { return !::IsIconic(help); })) << "still minimised";
    ::Sleep(200);  // a second window, if one were made, would be there by now
    EXPECT_EQ(HelpWindowsOf(run), std::vector<HWND>{help});
    ClickButton(FindChild(usage, L"Button", kQuitButton));
    EXPECT_EQ(run.WaitExit(), 0u);
}

// The Windows version merrowin.exe is told, for as long as the object
// lives: Wine's per-program setting (what winecfg's Applications page
// writes), HKCU\Software\Wine\AppDefaults\merrowin.exe, value "Version".
class ReportedWindowsVersion {
public:
    explicit ReportedWindowsVersion(const wchar_t* version) {
        if (!version) return;
        HKEY key = nullptr;
        if (::RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                              nullptr) != ERROR_SUCCESS)
            return;
        const auto bytes = static_cast<DWORD>((std::wcslen(version) + 1) * sizeof(wchar_t));
        set_ = ::RegSetValueExW(key, L"Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                                bytes) == ERROR_SUCCESS;
        ::RegCloseKey(key);
    }
    ReportedWindowsVersion(const ReportedWindowsVersion&) = delete;
    ReportedWindowsVersion& operator=(const ReportedWindowsVersion&) = delete;
    ~ReportedWindowsVersion() {
        if (set_) ::RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
    }

private:
    static constexpr wchar_t kKey[] = L"Software\\Wine\\AppDefaults\\merrowin.exe";
    bool set_ = false;
};

// The help file is the exe's path with ".hlp". WinHelp is asked only for a
// file that begins like one, and only on Windows before 10 (10 and 11 have
// no WinHelp); anything else opens the program's own help, never an error.
struct HelpFileRow {
    int row;
    const char* content;  // nullptr: a folder of that name instead of a file
    std::size_t size;
    bool winHelp;
    const wchar_t* windowsVersion = L"win7";  // as winecfg names them
};

class HelpFileTest : public E2eTest, public testing::WithParamInterface<HelpFileRow> {};

TEST_P(HelpFileTest, WinHelpOnlyForAHelpFile) {
    const HelpFileRow& row = GetParam();
    const ReportedWindowsVersion version(row.windowsVersion);
    const std::wstring exe = out_ / L"merrowin.exe";
    ASSERT_TRUE(::CopyFileW(MerrowinExe().c_str(), exe.c_str(), FALSE));
    if (row.content)
        WriteFileBytes(out_ / L"merrowin.hlp", std::string_view(row.content, row.size));
    else
        MakeDirectory(out_ / L"merrowin.hlp");
    Process run(exe, L"", Cwd(), true);
    HWND usage = run.WaitForWindow(L"TForm2");
    ASSERT_NE(usage, nullptr);
    ClickButton(FindChild(usage, L"Button", kHelpButton));
    if (row.winHelp) {
        // Wine's viewer says the file cannot be read: enough to show that
        // WinHelp was asked for it.
        HWND viewer = nullptr;
        EXPECT_TRUE(WaitFor([&] { return (viewer = FindWinHelpWindow()) != nullptr; }))
            << "no Windows Help window";
        EXPECT_TRUE(HelpWindowsOf(run).empty());
        if (viewer) EndProcessOf(viewer);
    } else {
        EXPECT_NE(run.WaitForWindow(win::kHelpWindowClass), nullptr);
        EXPECT_EQ(run.WaitForMessageBox(L"Merrowin", 300), nullptr);
        EXPECT_EQ(FindWinHelpWindow(), nullptr);
    }
    ClickButton(FindChild(usage, L"Button", kQuitButton));
    EXPECT_EQ(run.WaitExit(), 0u);
}

const HelpFileRow kHelpFileRows[] = {
    {1, "?_\x03\x00-the rest of a help file", 28, true},
    {2, "", 0, false},
    {3, "not a help file", 15, false},
    {4, "?_\x03", 3, false},
    {5, nullptr, 0, false},
    {6, "?_\x03\x00-the rest of a help file", 28, false, L"win10"},
    {7, "?_\x03\x00-the rest of a help file", 28, true, L"win81"},
};

INSTANTIATE_TEST_SUITE_P(, HelpFileTest, testing::ValuesIn(kHelpFileRows),
                         [](const auto& info) { return "row" + std::to_string(info.param.row); });

// --- resources ---------------------------------------------------------------

// The exe whose resources are read: the one unpacked from the release
// archive when the package test names it, else the build's.
std::wstring CheckedExe() {
    const char* packaged = std::getenv("MERROWIN_CHECK_EXE");
    return packaged && *packaged ? FromBuildPath(packaged) : MerrowinExe();
}

class ExeImage {
public:
    explicit ExeImage(const std::wstring& path)
        : module_(::LoadLibraryExW(path.c_str(), nullptr,
                                   LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {}
    ExeImage(const ExeImage&) = delete;
    ExeImage& operator=(const ExeImage&) = delete;
    ~ExeImage() {
        if (module_) ::FreeLibrary(module_);
    }
    HMODULE get() const { return module_; }

    // The bytes of one resource; empty when it is not there.
    std::string Resource(const wchar_t* type, const wchar_t* name) const {
        HRSRC found = ::FindResourceW(module_, name, type);
        if (!found) return {};
        HGLOBAL loaded = ::LoadResource(module_, found);
        const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
        if (!bytes) return {};
        return std::string(static_cast<const char*>(bytes), ::SizeofResource(module_, found));
    }

private:
    HMODULE module_;
};

struct ManifestRow {
    int row;
    const char* text;  // written so in the manifest
};

class ManifestTest : public testing::TestWithParam<ManifestRow> {};

TEST_P(ManifestTest, Says) {
    ExeImage exe(CheckedExe());
    ASSERT_NE(exe.get(), nullptr);
    const std::string manifest = exe.Resource(RT_MANIFEST, CREATEPROCESS_MANIFEST_RESOURCE_ID);
    ASSERT_FALSE(manifest.empty()) << "no manifest";
    EXPECT_NE(manifest.find(GetParam().text), std::string::npos) << GetParam().text;
}

const ManifestRow kManifestRows[] = {
    {1, "<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>"},
    {2, "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""},
    {3, "<supportedOS Id=\"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}\"/>"},  // 7
    {4, "<supportedOS Id=\"{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}\"/>"},  // 8
    {5, "<supportedOS Id=\"{1f676c76-80e1-4239-95bb-83d0f6d0da78}\"/>"},  // 8.1
    {6, "<supportedOS Id=\"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}\"/>"},  // 10 and 11
    {7,
     "<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">false</dpiAware>"},
    {8,
     "<gdiScaling "
     "xmlns=\"http://schemas.microsoft.com/SMI/2017/WindowsSettings\">true</gdiScaling>"},
    {9, "version=\"" MERROWIN_VERSION_TEXT ".0\""},
};

INSTANTIATE_TEST_SUITE_P(, ManifestTest, testing::ValuesIn(kManifestRows),
                         [](const auto& info) { return "row" + std::to_string(info.param.row); });

// The loader's own parser takes the manifest (a malformed one stops the exe
// from starting on Windows: "side-by-side configuration is incorrect").
TEST(ExeResources, ManifestMakesAnActivationContext) {
    const std::wstring path = CheckedExe();
    ACTCTXW context{};
    context.cbSize = sizeof context;
    context.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    context.lpSource = path.c_str();
    context.lpResourceName = CREATEPROCESS_MANIFEST_RESOURCE_ID;
    HANDLE handle = ::CreateActCtxW(&context);
    EXPECT_NE(handle, INVALID_HANDLE_VALUE) << "error " << ::GetLastError();
    if (handle != INVALID_HANDLE_VALUE) ::ReleaseActCtx(handle);
}

// A running usage window has version 6 of the common controls, which lives
// in the side-by-side store, not in the system folder.
TEST_F(E2eTest, RunningExeUsesCommonControls6) {
    Process run(L"", Cwd());
    ASSERT_NE(run.WaitForWindow(L"TForm2"), nullptr);
    HANDLE process = ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, run.Id());
    ASSERT_NE(process, nullptr);
    HMODULE modules[512];
    DWORD bytes = 0;
    ASSERT_TRUE(::EnumProcessModules(process, modules, sizeof modules, &bytes));
    std::vector<std::wstring> comctl;
    for (DWORD i = 0; i < bytes / sizeof(HMODULE); ++i) {
        wchar_t path[MAX_PATH * 2] = {};
        ::GetModuleFileNameExW(process, modules[i], path, MAX_PATH * 2);
        if (EndsWithNoCase(path, L"\\comctl32.dll")) comctl.push_back(path);
    }
    ::CloseHandle(process);
    ASSERT_EQ(comctl.size(), 1u);
    std::wstring lower = comctl.front();
    for (wchar_t& c : lower) c = static_cast<wchar_t>(towlower(c));
    EXPECT_NE(lower.find(L"\\winsxs\\"), std::wstring::npos) << comctl.front();
    EXPECT_NE(lower.find(L"common-controls_6595b64144ccf1df_6.0."), std::wstring::npos)
        << comctl.front();
    ClickButton(FindChild(run.WaitForWindow(L"TForm2"), L"Button", kQuitButton));
    EXPECT_EQ(run.WaitExit(), 0u);
}

// What Explorer's Details page shows.
struct VersionStringRow {
    int row;
    const wchar_t* name;
    const wchar_t* value;
};

class VersionStringTest : public testing::TestWithParam<VersionStringRow> {};

std::vector<char> VersionInfoOf(const std::wstring& path) {
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(path.c_str(), &ignored);
    std::vector<char> block(size);
    if (size == 0 || !::GetFileVersionInfoW(path.c_str(), 0, size, block.data())) block.clear();
    return block;
}

TEST_P(VersionStringTest, Reads) {
    const std::vector<char> block = VersionInfoOf(CheckedExe());
    ASSERT_FALSE(block.empty()) << "no version information";
    const std::wstring query = std::wstring(L"\\StringFileInfo\\041104B0\\") + GetParam().name;
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueW(block.data(), query.c_str(), &value, &length)) << query;
    EXPECT_EQ(std::wstring(static_cast<const wchar_t*>(value)), GetParam().value);
}

#define MERROWIN_WIDE_(text) L##text
#define MERROWIN_WIDE(text) MERROWIN_WIDE_(text)

const VersionStringRow kVersionStringRows[] = {
    {1, L"ProductName", L"Merrowin"},
    {2, L"FileDescription", L"Merrowin バーコード作成"},
    {3, L"FileVersion", MERROWIN_WIDE(MERROWIN_VERSION_TEXT)},
    {4, L"ProductVersion", MERROWIN_WIDE(MERROWIN_VERSION_TEXT)},
    {5, L"LegalCopyright", L"Copyright (c) 2026 Merrowin developers"},
    {6, L"CompanyName", L"Merrowin developers"},
    {7, L"OriginalFilename", L"merrowin.exe"},
};

INSTANTIATE_TEST_SUITE_P(, VersionStringTest, testing::ValuesIn(kVersionStringRows),
                         [](const auto& info) { return "row" + std::to_string(info.param.row); });

TEST(ExeResources, FixedVersionAndLanguage) {
    const std::vector<char> block = VersionInfoOf(CheckedExe());
    ASSERT_FALSE(block.empty()) << "no version information";
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueW(block.data(), L"\\", &value, &length));
    const auto& fixed = *static_cast<const VS_FIXEDFILEINFO*>(value);
    EXPECT_EQ(fixed.dwSignature, 0xFEEF04BDu);
    const DWORD ms = MAKELONG(MERROWIN_VERSION_MINOR, MERROWIN_VERSION_MAJOR);
    const DWORD ls = MAKELONG(0, MERROWIN_VERSION_PATCH);
    EXPECT_EQ(fixed.dwFileVersionMS, ms);
    EXPECT_EQ(fixed.dwFileVersionLS, ls);
    EXPECT_EQ(fixed.dwProductVersionMS, ms);
    EXPECT_EQ(fixed.dwProductVersionLS, ls);
    EXPECT_EQ(fixed.dwFileType, DWORD{VFT_APP});
    ASSERT_TRUE(::VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &value, &length));
    ASSERT_EQ(length, 4u);
    EXPECT_EQ(static_cast<const WORD*>(value)[0], 0x0411);  // Japanese
    EXPECT_EQ(static_cast<const WORD*>(value)[1], 1200);    // UTF-16
}

// The icon group Explorer shows lists the five drawn sizes, and each loads
// (the 256 is PNG-compressed and listed with width 0, as Windows does).
TEST(ExeResources, IconInFiveSizes) {
    ExeImage exe(CheckedExe());
    ASSERT_NE(exe.get(), nullptr);
    const std::string group = exe.Resource(RT_GROUP_ICON, MAKEINTRESOURCEW(1));
    ASSERT_GE(group.size(), 6u) << "no icon group 1";
    // GRPICONDIR: reserved, type 1, count; then 14-byte entries, width first.
    const auto* bytes = reinterpret_cast<const unsigned char*>(group.data());
    const int count = bytes[4] | bytes[5] << 8;
    ASSERT_EQ(group.size(), 6u + 14u * count);
    std::vector<int> widths;
    for (int i = 0; i < count; ++i) widths.push_back(bytes[6 + 14 * i]);
    EXPECT_EQ(widths, (std::vector<int>{16, 24, 32, 48, 0}));
    for (int size : {16, 24, 32, 48, 256}) {
        HANDLE icon = ::LoadImageW(exe.get(), MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, 0);
        EXPECT_NE(icon, nullptr) << size;
        if (icon) ::DestroyIcon(static_cast<HICON>(icon));
    }
}

}  // namespace
}  // namespace merrowin::e2e
