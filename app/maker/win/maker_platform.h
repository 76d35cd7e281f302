// The maker window's DPI: its own awareness on a per-monitor basis while the
// rest of the program stays unaware, and the platform through which it runs
// the core as the command line does, at the unaware screen's figures.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/win/win_platform.h"

namespace merrowin::win {

// The thread's DPI awareness context set for the object's lifetime, then put
// back. Windows remembers the context a window was created in and switches
// the thread to it while the window handles a message ("Mixed-Mode DPI
// Scaling and DPI-aware APIs", Win32 documentation). Where user32 has no
// SetThreadDpiAwarenessContext (before Windows 10 version 1607) nothing
// changes: the window stays unaware and is scaled by the system.
class ScopedDpiAwareness {
public:
    // Per-monitor awareness (version 2, else version 1).
    ScopedDpiAwareness();
    // The context `context` (one ThreadDpiContext returned); nothing for null.
    explicit ScopedDpiAwareness(HANDLE context);
    ScopedDpiAwareness(const ScopedDpiAwareness&) = delete;
    ScopedDpiAwareness& operator=(const ScopedDpiAwareness&) = delete;
    ~ScopedDpiAwareness();

private:
    HANDLE previous_ = nullptr;
};

// The thread's DPI awareness context now; null where Windows has none.
HANDLE ThreadDpiContext();

// The DPI a window is shown at: GetDpiForWindow where user32 has it, else
// the screen's LOGPIXELSX.
UINT WindowDpi(HWND window);

// WinPlatform, with the screen's figures and the text's advances taken in
// the DPI awareness context the thread had when the platform was made (the
// process's own, that of every command-line run): a per-monitor-aware
// thread would see the monitor's real pixels, and on a scaled screen the
// picture would differ from the command line's.
class MakerPlatform final : public Platform {
public:
    explicit MakerPlatform(HWND owner) : platform_(owner), context_(ThreadDpiContext()) {}
    void SetOwner(HWND owner) { platform_ = WinPlatform(owner); }

    std::vector<std::int32_t> CharacterAdvances(const FontSpec& font,
                                                std::u16string_view text) override;
    ScreenFigures Screen() override;
    void PutOnClipboard(const std::vector<std::uint8_t>& metafile) override {
        platform_.PutOnClipboard(metafile);
    }
    void SaveFile(const std::string& path, const std::vector<std::uint8_t>& bytes) override {
        platform_.SaveFile(path, bytes);
    }
    bool DirectoryExists(const std::string& folder) override {
        return platform_.DirectoryExists(folder);
    }
    std::string PersonalFolder() override { return platform_.PersonalFolder(); }
    std::optional<std::string> Environment(const std::string& name) override {
        return platform_.Environment(name);
    }
    std::int64_t Now() override { return platform_.Now(); }

private:
    WinPlatform platform_;
    HANDLE context_;  // the process's DPI awareness context
};

}  // namespace merrowin::win
