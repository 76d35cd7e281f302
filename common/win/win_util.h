// Small Win32 helpers shared by the windows and the output: UTF-8/UTF-16
// conversion at the API boundary, RAII owners of handles, the error box.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <utility>

namespace merrowin::win {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

// Puts a face name (UTF-8) into a LOGFONTW, cut to what lfFaceName holds.
void SetFaceName(LOGFONTW& font, std::string_view face);

// Owns one handle and releases it with Free. Not copyable.
template <typename Handle, auto Free, Handle Null = Handle{}>
class Unique {
public:
    Unique() = default;
    explicit Unique(Handle handle) : handle_(handle) {}
    Unique(const Unique&) = delete;
    Unique& operator=(const Unique&) = delete;
    Unique(Unique&& other) noexcept : handle_(std::exchange(other.handle_, Null)) {}
    Unique& operator=(Unique&& other) noexcept {
        if (this != &other) reset(std::exchange(other.handle_, Null));
        return *this;
    }
    ~Unique() { reset(); }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Null; }
    Handle release() { return std::exchange(handle_, Null); }
    void reset(Handle handle = Null) {
        if (handle_ != Null) Free(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = Null;
};

inline void DeleteGdiObject(HGDIOBJ object) {
    ::DeleteObject(object);
}
inline void DeleteEnhMetaFileHandle(HENHMETAFILE emf) {
    ::DeleteEnhMetaFile(emf);
}
inline void CloseRegKey(HKEY key) {
    ::RegCloseKey(key);
}
inline void CloseKernelHandle(HANDLE handle) {
    ::CloseHandle(handle);
}

using UniqueFont = Unique<HFONT, &DeleteGdiObject>;
using UniqueBrush = Unique<HBRUSH, &DeleteGdiObject>;
using UniqueEmf = Unique<HENHMETAFILE, &DeleteEnhMetaFileHandle>;
using UniqueKey = Unique<HKEY, &CloseRegKey>;
using UniqueHandle = Unique<HANDLE, &CloseKernelHandle>;

// Owns a file handle from CreateFileW, whose "no file" is
// INVALID_HANDLE_VALUE rather than null. Not copyable.
class UniqueFile {
public:
    UniqueFile() = default;
    explicit UniqueFile(HANDLE handle) : handle_(handle) {}
    UniqueFile(const UniqueFile&) = delete;
    UniqueFile& operator=(const UniqueFile&) = delete;
    UniqueFile(UniqueFile&& other) noexcept
        : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE)) {}
    UniqueFile& operator=(UniqueFile&& other) noexcept {
        if (this != &other) {
            Close();
            handle_ = std::exchange(other.handle_, INVALID_HANDLE_VALUE);
        }
        return *this;
    }
    ~UniqueFile() { Close(); }

    HANDLE get() const { return handle_; }
    explicit operator bool() const { return handle_ != INVALID_HANDLE_VALUE; }
    // Closes the file now; false when the system reports that the last
    // writes failed (true when there was no file).
    bool Close() {
        if (handle_ == INVALID_HANDLE_VALUE) return true;
        return ::CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE)) != FALSE;
    }

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

// The device context of a window (nullptr: the whole screen) from GetDC,
// released when the object goes.
class ScopedWindowDc {
public:
    explicit ScopedWindowDc(HWND window) : window_(window), dc_(::GetDC(window)) {}
    ScopedWindowDc(const ScopedWindowDc&) = delete;
    ScopedWindowDc& operator=(const ScopedWindowDc&) = delete;
    ~ScopedWindowDc() {
        if (dc_) ::ReleaseDC(window_, dc_);
    }
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// The screen's device context for the lifetime of the object.
class ScreenDc : public ScopedWindowDc {
public:
    ScreenDc() : ScopedWindowDc(nullptr) {}
};

// The painting of one WM_PAINT: BeginPaint now, EndPaint when the object goes.
class PaintScope {
public:
    explicit PaintScope(HWND window) : window_(window), dc_(::BeginPaint(window, &paint_)) {}
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    ~PaintScope() { ::EndPaint(window_, &paint_); }
    HDC get() const { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// The memory of a global handle (clipboard data), locked while the object
// lives; null when it cannot be locked.
template <typename T>
class LockedGlobal {
public:
    explicit LockedGlobal(HANDLE memory)
        : memory_(memory), data_(memory ? static_cast<T*>(::GlobalLock(memory)) : nullptr) {}
    LockedGlobal(const LockedGlobal&) = delete;
    LockedGlobal& operator=(const LockedGlobal&) = delete;
    ~LockedGlobal() {
        if (data_) ::GlobalUnlock(memory_);
    }
    T* get() const { return data_; }

private:
    HANDLE memory_;
    T* data_;
};

// Selects an object into a DC and puts the previous one back.
class SelectGuard {
public:
    explicit SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;
    ~SelectGuard() {
        if (previous_) ::SelectObject(dc_, previous_);
    }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// The application title: caption of the status window and of error boxes.
inline constexpr wchar_t kAppTitle[] = L"Merrowin";

// The standard error box: title "Merrowin", error icon, OK, the message
// with a "." appended when its last character sorts above ".".
void ShowErrorBox(HWND owner, std::string_view message);

// The user's documents folder: the shell's, else the one in the Shell
// Folders "Personal" value, else `fallback`.
std::string PersonalFolder(std::string_view fallback);

// The full path of the running executable.
std::wstring ExecutablePath();

}  // namespace merrowin::win
