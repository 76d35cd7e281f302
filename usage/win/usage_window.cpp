// The usage window of a start without arguments: two lines saying
// the program is for the command line, and buttons for the settings window,
// quitting, the help and the maker window. It is the main window: closing it ends the run.
#include "usage/win/usage_window.h"

#include <commctrl.h>
#include <versionhelpers.h>

#include <array>
#include <memory>
#include <string>

#include "common/win/controls.h"
#include "common/win/form_window.h"
#include "settings/win/settings_window.h"
#include "usage/help_text.h"
#include "usage/win/help_window.h"

namespace merrowin::win {
namespace {

// The usage window's class name: other programs find the window by it.
constexpr wchar_t kUsageWindowClass[] = L"TForm2";

enum UsageControlId : int {
    kCommandLineLabel = 101,
    kHelpPointerLabel = 102,
    kSettingsButton = 111,
    kQuitButton = 112,
    kHelpButton = 113,
    kMakerButton = 114,
};

// Creation order is the tab order: settings, quit, help, then the maker
// window's button in a row of its own below them.
constexpr std::array<ControlSpec, 6> kUsageLayout{{
    {ControlKind::Label, kCommandLineLabel, 24, 16, 0, 0,
     L"「Merrowin」は、コマンドライン専用です。"},
    {ControlKind::Label, kHelpPointerLabel, 24, 32, 0, 0,
     L"使用方法については、ヘルプをご覧ください。"},
    {ControlKind::Button, kSettingsButton, 16, 56, 75, 25, L"設定(&S)"},
    {ControlKind::Button, kQuitButton, 112, 56, 75, 25, L"終了(&X)"},
    {ControlKind::Button, kHelpButton, 208, 56, 75, 25, L"ヘルプ(&H)"},
    {ControlKind::Button, kMakerButton, 16, 88, 267, 25, L"バーコードを作る(&M)..."},
}};

constexpr int kUsageWidth = 305;   // with frame and caption bar
constexpr int kUsageHeight = 163;  // 131 and the maker button's row
constexpr UINT kHelpFinder = 11;   // HELP_FINDER: the topics window

// The executable's path with its extension replaced by ".hlp".
std::wstring HelpFilePath() {
    std::wstring path = ExecutablePath();
    std::size_t slash = path.find_last_of(L"\\/");
    std::size_t dot = path.find_last_of(L'.');
    if (dot != std::wstring::npos && (slash == std::wstring::npos || dot > slash)) path.resize(dot);
    return path + L".hlp";
}

// Whether the file opens and begins like a WinHelp file: 3F 5F 03 00. A
// missing, locked or foreign file would only bring the viewer's error.
bool IsWinHelpFile(const std::wstring& path) {
    HANDLE raw = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (raw == INVALID_HANDLE_VALUE) return false;
    UniqueHandle file(raw);
    unsigned char magic[4] = {};
    DWORD read = 0;
    return ::ReadFile(file.get(), magic, sizeof magic, &read, nullptr) && read == sizeof magic &&
           magic[0] == 0x3F && magic[1] == 0x5F && magic[2] == 0x03 && magic[3] == 0x00;
}

// WinHelp is not part of Windows 10 and 11: there a .hlp only brings the
// system's "not supported" stub. VerifyVersionInfoW (IsWindows10OrGreater)
// reports Windows 10 to an exe whose manifest names it in supportedOS, as
// ours does ("Targeting your application for Windows", Win32 documentation).
bool HasWinHelp() {
    return !::IsWindows10OrGreater();
}

class UsageWindow final : public FormWindow {
public:
    UsageWindow(HINSTANCE instance, const InteractiveFronts& fronts)
        : instance_(instance), fronts_(fronts), font_(CreateFormFont(12)) {}
    ~UsageWindow() override {
        help_.reset();
        settings_.reset();
        DestroyForm();
    }

    // Creates the usage window and, hidden, the settings window it owns.
    bool Create() {
        if (!CreateForm(instance_, kUsageWindowClass, Widen(kUsageCaption).c_str(),
                        WS_OVERLAPPEDWINDOW, 0, kUsageWidth, kUsageHeight, nullptr))
            return false;
        for (const ControlSpec& item : kUsageLayout) CreateControl(Handle(), item, font_.get());
        settings_ = std::make_unique<SettingsWindow>(instance_, Handle(), fronts_.settingsPreview);
        return settings_->Handle() != nullptr;
    }

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
            case WM_COMMAND:
                if (HIWORD(wParam) != BN_CLICKED) break;
                switch (LOWORD(wParam)) {
                    case kSettingsButton:
                        OpenSettings();
                        return 0;
                    case kQuitButton:
                        Quit();
                        return 0;
                    case kHelpButton:
                        OpenHelp();
                        return 0;
                    case kMakerButton:
                        OpenMaker();
                        return 0;
                    default:
                        break;
                }
                break;
            case WM_DESTROY:
                ::PostQuitMessage(0);
                return 0;
            default:
                break;
        }
        return FormWindow::HandleMessage(message, wParam, lParam);
    }

    void OpenSettings() { settings_->ShowModal(); }

    void OpenMaker() {
        if (fronts_.openMaker) fronts_.openMaker(Handle());
    }

    void Quit() { ::SendMessageW(Handle(), WM_CLOSE, 0, 0); }

    // WinHelp for a help file beside the exe on the Windows that still have
    // it; else, or when WinHelp cannot be started, the program's own help
    // window, only ever one of it.
    void OpenHelp() {
        const std::wstring file = HelpFilePath();
        if (HasWinHelp() && IsWinHelpFile(file) &&
            ::WinHelpW(Handle(), file.c_str(), kHelpFinder, 0))
            return;
        if (help_ && help_->Handle()) {
            help_->BringForward();
            return;
        }
        help_ = std::make_unique<HelpWindow>(instance_, Handle());
    }

    HINSTANCE instance_;
    const InteractiveFronts& fronts_;
    UniqueFont font_;
    std::unique_ptr<SettingsWindow> settings_;
    std::unique_ptr<HelpWindow> help_;  // owned: closes with this window
};

}  // namespace

int RunInteractive(HINSTANCE instance, const InteractiveFronts& fronts) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    UsageWindow usage(instance, fronts);
    if (!usage.Create()) return 1;  // no window: the run failed
    ::ShowWindow(usage.Handle(), SW_SHOW);
    ::UpdateWindow(usage.Handle());
    RunMessageLoop([] { return true; });
    return 0;
}

}  // namespace merrowin::win
