// Helpers for the end-to-end tests: start merrowin.exe and drive its windows
// by their handles, look at the clipboard, the registry and the saved files,
// and render enhanced metafiles into pixels. No GoogleTest in here, so the
// picture tools can share it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace merrowin::e2e {

// Exit code reported when a process had to be killed after a timeout.
inline constexpr DWORD kKilled = 0xDEADu;
inline constexpr DWORD kDefaultTimeoutMs = 20000;

// Windows path of merrowin.exe (beside this test program, or the build's).
std::wstring MerrowinExe();
// Windows path of a program given by its build path (a Linux path becomes Z:).
std::wstring FromBuildPath(std::string_view path);

// A running merrowin.exe. The destructor kills it if it is still running,
// so no test leaves a process behind.
class Process {
public:
    // Starts merrowin.exe with `args` (appended to the quoted exe path as
    // written) in `workDir` (empty: the current directory).
    Process(std::wstring_view args, std::wstring_view workDir);
    // Starts any program; without `waitForIdle` it returns at once, so many
    // can be started together.
    Process(const std::wstring& exe, std::wstring_view args, std::wstring_view workDir,
            bool waitForIdle);
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    ~Process();

    DWORD Id() const { return id_; }
    bool Running() const;
    // Waits for the end; the exit code, or kKilled after killing it.
    DWORD WaitExit(DWORD timeoutMs = kDefaultTimeoutMs);

    // Waits for a visible top-level window of this process whose class is
    // `className` (or any class but the dialog class "#32770" when empty).
    HWND WaitForWindow(std::wstring_view className, DWORD timeoutMs = kDefaultTimeoutMs) const;
    // Waits for a message box of the process: class "#32770" and the title
    // (the error box's by default).
    HWND WaitForMessageBox(std::wstring_view title = L"Merrowin",
                           DWORD timeoutMs = kDefaultTimeoutMs) const;
    // The status window of a run: the top-level window that is not a dialog.
    HWND WaitForStatusWindow(DWORD timeoutMs = kDefaultTimeoutMs) const;

private:
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

// Runs merrowin.exe to its end; the exit code, or kKilled on a timeout.
DWORD RunMerrowin(std::wstring_view args, std::wstring_view workDir,
                  DWORD timeoutMs = kDefaultTimeoutMs);

// --- windows ---------------------------------------------------------------

// The usage window of a start without arguments, and the settings window
// opened from its settings button; nulls where one did not appear.
struct InteractiveWindows {
    HWND usage = nullptr;
    HWND settings = nullptr;
};
InteractiveWindows OpenSettingsWindow(const Process& run);

// Polls `done` every 20 ms until it holds or the time is up; its last answer.
bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs = 20000);

std::vector<HWND> TopLevelWindows(DWORD processId);
std::vector<HWND> ChildWindows(HWND parent);
std::wstring ClassNameOf(HWND window);
// The text of a window of any process (WM_GETTEXT across the process line).
std::wstring TextOf(HWND window);
// First child of that class (and text, unless empty); nullptr if none.
HWND FindChild(HWND parent, std::wstring_view className, std::wstring_view text = {});
// The static text of a message box: its "Static" child that holds text.
std::wstring MessageBoxText(HWND box);
// Presses a push button the way a click does (BM_CLICK).
void ClickButton(HWND button);
// Presses the default OK of a message box.
void PressOk(HWND box);
// Double-clicks a point of the client area (window coordinates of the client).
void DoubleClick(HWND window, int x, int y);
// Clicks the middle of a control with the mouse as a user does (SendInput):
// unlike BM_CLICK, this reaches nothing that is disabled or covered.
void MouseClick(HWND control);
// Presses and releases a key as a user does (SendInput), with a modifier
// (VK_MENU for Alt) held down when one is given: it goes to the window that
// has the keyboard focus.
void PressKey(WORD virtualKey, WORD modifier = 0);
// The window that has the keyboard focus in the thread of `window`.
HWND FocusOf(HWND window);

// --- clipboard -------------------------------------------------------------

// Puts a Unicode text on the clipboard (replacing everything). False if the
// clipboard could not be opened.
bool PutClipboardText(std::wstring_view text);
std::optional<std::wstring> ClipboardText();
bool ClipboardHasEmf();
std::optional<ENHMETAHEADER> ClipboardEmfHeader();

// Keeps the clipboard open for as long as it lives, so others cannot open it.
class ClipboardHold {
public:
    ClipboardHold();
    ClipboardHold(const ClipboardHold&) = delete;
    ClipboardHold& operator=(const ClipboardHold&) = delete;
    ~ClipboardHold() { Release(); }
    bool Held() const { return held_; }
    void Release();

private:
    bool held_ = false;
};

// --- files and folders -----------------------------------------------------

// A fresh folder under the temporary folder, deleted with all it holds.
class ScratchDir {
public:
    ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    ~ScratchDir();
    const std::wstring& Path() const { return path_; }  // no trailing "\"
    std::wstring operator/(std::wstring_view name) const {
        return path_ + L"\\" + std::wstring(name);
    }

private:
    std::wstring path_;
};

bool FileExists(const std::wstring& path);
bool DirectoryExists(const std::wstring& path);
void MakeDirectory(const std::wstring& path);
void DeleteTree(const std::wstring& path);
std::string ReadFileBytes(const std::wstring& path);
void WriteFileBytes(const std::wstring& path, std::string_view bytes);
// Names of the files (not folders) directly in a folder, sorted.
std::vector<std::wstring> FilesIn(const std::wstring& folder);
std::wstring CurrentDirectory();

// --- registry --------------------------------------------------------------

inline constexpr wchar_t kSettingsKey[] = L"Software\\Korvane\\Merrowin";

// Deletes HKCU\Software\Korvane\Merrowin with everything below it.
void DeleteSettingsKey();
bool SettingsKeyExists();
// Stores a value in a subkey of the program's key (creating it).
void SetSettingString(std::wstring_view section, std::wstring_view name, std::wstring_view text);
void SetSettingDword(std::wstring_view section, std::wstring_view name, DWORD value);
// A REG_SZ value of HKEY_CURRENT_USER, if it is there.
std::optional<std::wstring> ReadUserString(std::wstring_view keyPath, std::wstring_view name);
// A REG_DWORD value of a subkey of the program's key, if it is there.
std::optional<DWORD> ReadSettingDword(std::wstring_view section, std::wstring_view name);

// --- metafiles and pixels --------------------------------------------------

std::optional<ENHMETAHEADER> EmfHeader(HENHMETAFILE emf);
// The header of an .emf file; nullopt if it is not a readable metafile.
std::optional<ENHMETAHEADER> EmfFileHeader(const std::wstring& path);
// The frame's size in pixels of the metafile's reference device (rounded).
SIZE FramePixels(const ENHMETAHEADER& header);
// Hundredths of a millimetre that `pixels` screen pixels measure, rounded.
int ScreenPixelsToHimetricX(int pixels);
int ScreenPixelsToHimetricY(int pixels);

// A 24-bit picture, top row first.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // 0x00RRGGBB

    std::uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    bool IsBlack(int x, int y) const { return At(x, y) == 0x000000; }
    bool IsWhite(int x, int y) const { return At(x, y) == 0xFFFFFF; }
};

// Plays a metafile on a width x height picture filled with `ground` first
// (0x00RRGGBB, white by default), its frame mapped onto the whole picture.
Picture RenderEmf(HENHMETAFILE emf, int width, int height, std::uint32_t ground = 0xFFFFFF);
// The same into `target` of the picture, every point shifted by `shift`
// pixels right and down (part of a pixel: a placement between dots).
Picture RenderEmfAt(HENHMETAFILE emf, int width, int height, const RECT& target, float shift,
                    std::uint32_t ground = 0xFFFFFF);
// Writes a picture as a bottom-up 24-bit .bmp file.
bool WriteBmp(const Picture& picture, const std::wstring& path);

}  // namespace merrowin::e2e
