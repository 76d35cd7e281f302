#include "tests/e2e/e2e_support.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace merrowin::e2e {
namespace {

constexpr DWORD kPollMs = 20;

// Calls `ready` every few milliseconds until it gives a value or time is up.
template <typename Ready>
auto PollUntil(DWORD timeoutMs, Ready ready) -> decltype(ready()) {
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    for (;;) {
        if (auto value = ready()) return value;
        if (::GetTickCount64() >= end) return {};
        ::Sleep(kPollMs);
    }
}

// Opens the clipboard, retrying while another program holds it.
bool OpenClipboardPatiently(HWND owner) {
    return PollUntil(3000, [owner] { return ::OpenClipboard(owner) != FALSE; });
}

class ClipboardOpen {
public:
    explicit ClipboardOpen(HWND owner = nullptr) : open_(OpenClipboardPatiently(owner)) {}
    ClipboardOpen(const ClipboardOpen&) = delete;
    ClipboardOpen& operator=(const ClipboardOpen&) = delete;
    ~ClipboardOpen() {
        if (open_) ::CloseClipboard();
    }
    explicit operator bool() const { return open_; }

private:
    bool open_;
};

std::wstring SettingsSubkey(std::wstring_view section) {
    return std::wstring(kSettingsKey) + L"\\" + std::wstring(section);
}

void SetSettingValue(std::wstring_view section, std::wstring_view name, DWORD type,
                     const void* data, DWORD size) {
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, SettingsSubkey(section).c_str(), 0, nullptr, 0,
                          KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
        throw std::runtime_error("cannot create the settings subkey");
    const LONG result = ::RegSetValueExW(key, std::wstring(name).c_str(), 0, type,
                                         static_cast<const BYTE*>(data), size);
    ::RegCloseKey(key);
    if (result != ERROR_SUCCESS) throw std::runtime_error("cannot store a setting");
}

int Round(double value) {
    return static_cast<int>(std::lround(value));
}

}  // namespace

// A cross-built test program knows the exe by its build path on the Linux
// side; Wine shows the Linux root as drive Z:.
std::wstring FromBuildPath(std::string_view path) {
    std::wstring wide(path.begin(), path.end());
    if (!wide.empty() && wide.front() == L'/') {
        std::replace(wide.begin(), wide.end(), L'/', L'\\');
        wide.insert(0, L"Z:");
    }
    return wide;
}

std::wstring MerrowinExe() {
    return FromBuildPath(MERROWIN_EXE_PATH);
}

// --- processes -------------------------------------------------------------

Process::Process(std::wstring_view args, std::wstring_view workDir)
    : Process(MerrowinExe(), args, workDir, true) {}

Process::Process(const std::wstring& exe, std::wstring_view args, std::wstring_view workDir,
                 bool waitForIdle) {
    std::wstring commandLine = L"\"" + exe + L"\" " + std::wstring(args);
    const std::wstring dir(workDir);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          dir.empty() ? nullptr : dir.c_str(), &startup, &info))
        throw std::runtime_error("cannot start a program");
    ::CloseHandle(info.hThread);
    process_ = info.hProcess;
    id_ = info.dwProcessId;
    // Let it reach its message loop before anyone looks for its windows.
    if (waitForIdle) ::WaitForInputIdle(process_, 5000);
}

Process::~Process() {
    if (Running()) {
        ::TerminateProcess(process_, kKilled);
        ::WaitForSingleObject(process_, 5000);
    }
    ::CloseHandle(process_);
}

bool Process::Running() const {
    return ::WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

DWORD Process::WaitExit(DWORD timeoutMs) {
    if (::WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0) {
        ::TerminateProcess(process_, kKilled);
        ::WaitForSingleObject(process_, 5000);
        return kKilled;
    }
    DWORD code = kKilled;
    ::GetExitCodeProcess(process_, &code);
    return code;
}

HWND Process::WaitForWindow(std::wstring_view className, DWORD timeoutMs) const {
    return PollUntil(timeoutMs, [&]() -> HWND {
        for (HWND window : TopLevelWindows(id_)) {
            if (!::IsWindowVisible(window)) continue;
            const std::wstring cls = ClassNameOf(window);
            if (className.empty() ? cls != L"#32770" : cls == className) return window;
        }
        return nullptr;
    });
}

HWND Process::WaitForMessageBox(std::wstring_view title, DWORD timeoutMs) const {
    return PollUntil(timeoutMs, [&]() -> HWND {
        for (HWND window : TopLevelWindows(id_))
            if (::IsWindowVisible(window) && ClassNameOf(window) == L"#32770" &&
                TextOf(window) == title)
                return window;
        return nullptr;
    });
}

HWND Process::WaitForStatusWindow(DWORD timeoutMs) const {
    return WaitForWindow({}, timeoutMs);
}

InteractiveWindows OpenSettingsWindow(const Process& run) {
    InteractiveWindows windows;
    windows.usage = run.WaitForWindow(L"TForm2");
    if (!windows.usage) return windows;
    ClickButton(FindChild(windows.usage, L"Button", L"設定(&S)"));
    windows.settings = run.WaitForWindow(L"TForm3");
    return windows;
}

bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs) {
    for (DWORD waited = 0; waited < timeoutMs && !done(); waited += 20) ::Sleep(20);
    return done();
}

DWORD RunMerrowin(std::wstring_view args, std::wstring_view workDir, DWORD timeoutMs) {
    Process process(args, workDir);
    return process.WaitExit(timeoutMs);
}

// --- windows ---------------------------------------------------------------

namespace {

struct WindowSearch {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectProcessWindow(HWND window, LPARAM param) {
    auto& search = *reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner == search.processId) search.found.push_back(window);
    return TRUE;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM param) {
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}

}  // namespace

std::vector<HWND> TopLevelWindows(DWORD processId) {
    WindowSearch search{processId, {}};
    ::EnumWindows(&CollectProcessWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<HWND> ChildWindows(HWND parent) {
    std::vector<HWND> found;
    ::EnumChildWindows(parent, &CollectChild, reinterpret_cast<LPARAM>(&found));
    return found;
}

std::wstring ClassNameOf(HWND window) {
    wchar_t name[256] = {};
    const int length = ::GetClassNameW(window, name, 256);
    return std::wstring(name, length > 0 ? length : 0);
}

std::wstring TextOf(HWND window) {
    DWORD_PTR length = 0;
    if (!::SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length))
        return {};
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!::SendMessageTimeoutW(window, WM_GETTEXT, text.size(),
                               reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG, 5000,
                               &copied))
        return {};
    text.resize(std::min<DWORD_PTR>(copied, length));
    return text;
}

HWND FindChild(HWND parent, std::wstring_view className, std::wstring_view text) {
    for (HWND child : ChildWindows(parent))
        if (_wcsicmp(ClassNameOf(child).c_str(), std::wstring(className).c_str()) == 0 &&
            (text.empty() || TextOf(child) == text))
            return child;
    return nullptr;
}

std::wstring MessageBoxText(HWND box) {
    for (HWND child : ChildWindows(box))
        if (_wcsicmp(ClassNameOf(child).c_str(), L"Static") == 0) {
            std::wstring text = TextOf(child);
            if (!text.empty()) return text;
        }
    return {};
}

void ClickButton(HWND button) {
    ::PostMessageW(button, BM_CLICK, 0, 0);
}

void PressOk(HWND box) {
    HWND ok = ::GetDlgItem(box, IDOK);
    ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(ok));
}

void DoubleClick(HWND window, int x, int y) {
    const LPARAM point = MAKELPARAM(x, y);
    ::PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, point);
    ::PostMessageW(window, WM_LBUTTONUP, 0, point);
    ::PostMessageW(window, WM_LBUTTONDBLCLK, MK_LBUTTON, point);
    ::PostMessageW(window, WM_LBUTTONUP, 0, point);
}

void MouseClick(HWND control) {
    RECT rect{};
    ::GetWindowRect(control, &rect);
    // Absolute positions run from 0 to 65535 across the primary screen.
    const int width = ::GetSystemMetrics(SM_CXSCREEN);
    const int height = ::GetSystemMetrics(SM_CYSCREEN);
    const LONG x = ((rect.left + rect.right) / 2 * 65535 + width / 2) / (width - 1);
    const LONG y = ((rect.top + rect.bottom) / 2 * 65535 + height / 2) / (height - 1);
    INPUT inputs[3] = {};
    const DWORD flags[3] = {MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE,
                            MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE,
                            MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE};
    for (int i = 0; i < 3; ++i) {
        inputs[i].type = INPUT_MOUSE;
        inputs[i].mi.dx = x;
        inputs[i].mi.dy = y;
        inputs[i].mi.dwFlags = flags[i];
    }
    ::SendInput(3, inputs, sizeof(INPUT));
}

void PressKey(WORD virtualKey, WORD modifier) {
    const WORD keys[4] = {modifier, virtualKey, virtualKey, modifier};
    std::vector<INPUT> inputs;
    for (int i = 0; i < 4; ++i) {
        if (keys[i] == 0) continue;
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = keys[i];
        input.ki.dwFlags = i < 2 ? 0 : KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

// --- clipboard -------------------------------------------------------------

bool PutClipboardText(std::wstring_view text) {
    // SetClipboardData needs an owner window: a message-only one will do.
    HWND owner = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                                   nullptr);
    bool done = false;
    {
        ClipboardOpen clipboard(owner);
        if (clipboard && ::EmptyClipboard()) {
            const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
            HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
            if (memory) {
                auto* target = static_cast<wchar_t*>(::GlobalLock(memory));
                std::copy(text.begin(), text.end(), target);
                target[text.size()] = L'\0';
                ::GlobalUnlock(memory);
                done = ::SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
                if (!done) ::GlobalFree(memory);
            }
        }
    }
    ::DestroyWindow(owner);
    return done;
}

std::optional<std::wstring> ClipboardText() {
    ClipboardOpen clipboard;
    if (!clipboard) return std::nullopt;
    HANDLE data = ::GetClipboardData(CF_UNICODETEXT);
    if (!data) return std::nullopt;
    const auto* text = static_cast<const wchar_t*>(::GlobalLock(data));
    std::optional<std::wstring> result;
    if (text) result = std::wstring(text);
    ::GlobalUnlock(data);
    return result;
}

bool ClipboardHasEmf() {
    ClipboardOpen clipboard;
    return clipboard && ::IsClipboardFormatAvailable(CF_ENHMETAFILE);
}

std::optional<ENHMETAHEADER> ClipboardEmfHeader() {
    ClipboardOpen clipboard;
    if (!clipboard) return std::nullopt;
    auto emf = static_cast<HENHMETAFILE>(::GetClipboardData(CF_ENHMETAFILE));
    if (!emf) return std::nullopt;
    return EmfHeader(emf);  // the clipboard owns the handle
}

ClipboardHold::ClipboardHold() : held_(OpenClipboardPatiently(nullptr)) {}

void ClipboardHold::Release() {
    if (held_) ::CloseClipboard();
    held_ = false;
}

// --- files and folders -----------------------------------------------------

ScratchDir::ScratchDir() {
    static unsigned counter = 0;
    wchar_t temp[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH + 1, temp);
    std::wstring base(temp);
    if (!base.empty() && base.back() == L'\\') base.pop_back();
    path_ = base + L"\\merrowin-e2e-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
            std::to_wstring(++counter);
    DeleteTree(path_);
    MakeDirectory(path_);
}

ScratchDir::~ScratchDir() {
    DeleteTree(path_);
}

bool FileExists(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void MakeDirectory(const std::wstring& path) {
    if (!::CreateDirectoryW(path.c_str(), nullptr) && !DirectoryExists(path))
        throw std::runtime_error("cannot create a scratch folder");
}

void DeleteTree(const std::wstring& path) {
    WIN32_FIND_DATAW found;
    HANDLE search = ::FindFirstFileW((path + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring full = path + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                DeleteTree(full);
            } else {
                ::SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                ::DeleteFileW(full.c_str());
            }
        } while (::FindNextFileW(search, &found));
        ::FindClose(search);
    }
    ::RemoveDirectoryW(path.c_str());
}

std::string ReadFileBytes(const std::wstring& path) {
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string bytes;
    char buffer[65536];
    DWORD got = 0;
    while (::ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        bytes.append(buffer, got);
    ::CloseHandle(file);
    return bytes;
}

void WriteFileBytes(const std::wstring& path, std::string_view bytes) {
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot create a test file");
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(file);
}

std::vector<std::wstring> FilesIn(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE search = ::FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

std::wstring CurrentDirectory() {
    wchar_t dir[MAX_PATH + 1] = {};
    ::GetCurrentDirectoryW(MAX_PATH + 1, dir);
    return dir;
}

// --- registry --------------------------------------------------------------

void DeleteSettingsKey() {
    // With a subkey name RegDeleteTreeW removes the key itself as well.
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
}

bool SettingsKeyExists() {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(key);
    return true;
}

void SetSettingString(std::wstring_view section, std::wstring_view name, std::wstring_view text) {
    const std::wstring value(text);
    SetSettingValue(section, name, REG_SZ, value.c_str(),
                    static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

void SetSettingDword(std::wstring_view section, std::wstring_view name, DWORD value) {
    SetSettingValue(section, name, REG_DWORD, &value, sizeof value);
}

std::optional<std::wstring> ReadUserString(std::wstring_view keyPath, std::wstring_view name) {
    const std::wstring key(keyPath), value(name);
    DWORD bytes = 0;
    const DWORD flags = RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND;
    if (::RegGetValueW(HKEY_CURRENT_USER, key.c_str(), value.c_str(), flags, nullptr, nullptr,
                       &bytes) != ERROR_SUCCESS)
        return std::nullopt;
    std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (::RegGetValueW(HKEY_CURRENT_USER, key.c_str(), value.c_str(), flags, nullptr, text.data(),
                       &bytes) != ERROR_SUCCESS)
        return std::nullopt;
    text.resize(wcslen(text.c_str()));
    return text;
}

std::optional<DWORD> ReadSettingDword(std::wstring_view section, std::wstring_view name) {
    const std::wstring value(name);
    DWORD data = 0;
    DWORD bytes = sizeof data;
    if (::RegGetValueW(HKEY_CURRENT_USER, SettingsSubkey(section).c_str(), value.c_str(),
                       RRF_RT_REG_DWORD, nullptr, &data, &bytes) != ERROR_SUCCESS)
        return std::nullopt;
    return data;
}

// --- metafiles and pixels --------------------------------------------------

std::optional<ENHMETAHEADER> EmfHeader(HENHMETAFILE emf) {
    ENHMETAHEADER header{};
    if (::GetEnhMetaFileHeader(emf, sizeof header, &header) == 0) return std::nullopt;
    return header;
}

std::optional<ENHMETAHEADER> EmfFileHeader(const std::wstring& path) {
    HENHMETAFILE emf = ::GetEnhMetaFileW(path.c_str());
    if (!emf) return std::nullopt;
    auto header = EmfHeader(emf);
    ::DeleteEnhMetaFile(emf);
    return header;
}

SIZE FramePixels(const ENHMETAHEADER& header) {
    const double width = header.rclFrame.right - header.rclFrame.left;
    const double height = header.rclFrame.bottom - header.rclFrame.top;
    return SIZE{Round(width * header.szlDevice.cx / (header.szlMillimeters.cx * 100.0)),
                Round(height * header.szlDevice.cy / (header.szlMillimeters.cy * 100.0))};
}

int ScreenPixelsToHimetricX(int pixels) {
    HDC screen = ::GetDC(nullptr);
    const int result =
        ::MulDiv(pixels, ::GetDeviceCaps(screen, HORZSIZE) * 100, ::GetDeviceCaps(screen, HORZRES));
    ::ReleaseDC(nullptr, screen);
    return result;
}

int ScreenPixelsToHimetricY(int pixels) {
    HDC screen = ::GetDC(nullptr);
    const int result =
        ::MulDiv(pixels, ::GetDeviceCaps(screen, VERTSIZE) * 100, ::GetDeviceCaps(screen, VERTRES));
    ::ReleaseDC(nullptr, screen);
    return result;
}

Picture RenderEmf(HENHMETAFILE emf, int width, int height, std::uint32_t ground) {
    return RenderEmfAt(emf, width, height, RECT{0, 0, width, height}, 0, ground);
}

Picture RenderEmfAt(HENHMETAFILE emf, int width, int height, const RECT& target, float shift,
                    std::uint32_t ground) {
    Picture picture;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC dc = ::CreateCompatibleDC(nullptr);
    HBITMAP bitmap = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!dc || !bitmap) {
        if (dc) ::DeleteDC(dc);
        return picture;
    }
    HGDIOBJ previous = ::SelectObject(dc, bitmap);
    HBRUSH brush = ::CreateSolidBrush(RGB(ground >> 16, (ground >> 8) & 0xFF, ground & 0xFF));
    const RECT all{0, 0, width, height};
    ::FillRect(dc, &all, brush);
    ::DeleteObject(brush);
    // Windows and Wine both map the frame's left edge onto the rectangle's
    // left and its right edge onto the rectangle's right (Wine's conformance
    // tests test_SaveDC and test_mf_conversions in dlls/gdi32/tests/metafile.c,
    // which run on Windows): a W x H picture plays 1:1 into {0, 0, W, H}.
    // A shift of part of a pixel goes through the DC's world transform,
    // which the player starts from (the pixel tests check that a shift of
    // more than half a pixel moves the picture by one).
    if (shift != 0) {
        ::SetGraphicsMode(dc, GM_ADVANCED);
        const XFORM move{1, 0, 0, 1, shift, shift};
        ::SetWorldTransform(dc, &move);
    }
    ::PlayEnhMetaFile(dc, emf, &target);
    ::GdiFlush();

    picture.width = width;
    picture.height = height;
    picture.pixels.resize(static_cast<size_t>(width) * height);
    const int stride = (width * 3 + 3) & ~3;
    const auto* rows = static_cast<const unsigned char*>(bits);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const unsigned char* p = rows + static_cast<size_t>(y) * stride + x * 3;
            picture.pixels[static_cast<size_t>(y) * width + x] =
                (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) | p[0];
        }
    ::SelectObject(dc, previous);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    return picture;
}

bool WriteBmp(const Picture& picture, const std::wstring& path) {
    const int stride = (picture.width * 3 + 3) & ~3;
    const DWORD imageBytes = static_cast<DWORD>(stride) * picture.height;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + imageBytes;
    info.biSize = sizeof info;
    info.biWidth = picture.width;
    info.biHeight = picture.height;  // bottom row first
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = imageBytes;
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
    bytes.append(reinterpret_cast<const char*>(&info), sizeof info);
    std::string row(stride, '\0');
    for (int y = picture.height - 1; y >= 0; --y) {
        for (int x = 0; x < picture.width; ++x) {
            const std::uint32_t rgb = picture.At(x, y);
            row[x * 3] = static_cast<char>(rgb & 0xFF);
            row[x * 3 + 1] = static_cast<char>((rgb >> 8) & 0xFF);
            row[x * 3 + 2] = static_cast<char>((rgb >> 16) & 0xFF);
        }
        bytes += row;
    }
    try {
        WriteFileBytes(path, bytes);
    } catch (const std::runtime_error&) {
        return false;
    }
    return true;
}

}  // namespace merrowin::e2e
