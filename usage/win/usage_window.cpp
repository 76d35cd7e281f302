// TForm2, the usage window of a start without arguments: two lines saying
// the program is for the command line, and buttons for the settings window,
// quitting and the help. It is the main window: closing it ends the run.
#include "usage/win/usage_window.h"

#include <commctrl.h>
#include <versionhelpers.h>

#include <array>
#include <memory>
#include <string>

#include "common/win/controls.h"
#include "settings/win/settings_window.h"
#include "usage/help_text.h"
#include "usage/win/help_window.h"

namespace merrowin::win {
namespace {

enum UsageControlId : int {
    kLabel1 = 101,
    kLabel2 = 102,
    kButton1 = 111,  // settings
    kButton2 = 112,  // quit
    kButton3 = 113,  // help
};

// Creation order is the tab order: Button1, Button2, Button3.
constexpr std::array<ControlSpec, 5> kUsageLayout{{
    {ControlKind::Label, kLabel1, 24, 16, 0, 0, L"「Merrowin」は、コマンドライン専用です。"},
    {ControlKind::Label, kLabel2, 24, 32, 0, 0, L"使用方法については、ヘルプをご覧ください。"},
    {ControlKind::Button, kButton1, 16, 56, 75, 25, L"設定(&S)"},
    {ControlKind::Button, kButton2, 112, 56, 75, 25, L"終了(&X)"},
    {ControlKind::Button, kButton3, 208, 56, 75, 25, L"ヘルプ(&H)"},
}};

constexpr int kUsageWidth = 305;  // with frame and caption bar
constexpr int kUsageHeight = 131;
constexpr UINT kHelpFinder = 11;  // HELP_FINDER: the topics window

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

class TForm2 final : public FormWindow {
public:
    explicit TForm2(HINSTANCE instance) : instance_(instance), font_(CreateFormFont(12)) {}
    ~TForm2() override {
        help_.reset();
        form3_.reset();
        DestroyForm();
    }

    // Creates the usage window and, hidden, the settings window it owns.
    bool Create() {
        if (!CreateForm(instance_, L"TForm2", Widen(kUsageCaption).c_str(), WS_OVERLAPPEDWINDOW, 0,
                        kUsageWidth, kUsageHeight, nullptr))
            return false;
        for (const ControlSpec& item : kUsageLayout) CreateControl(Handle(), item, font_.get());
        form3_ = std::make_unique<TForm3>(instance_, Handle());
        return form3_->Handle() != nullptr;
    }

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
            case WM_COMMAND:
                if (HIWORD(wParam) != BN_CLICKED) break;
                switch (LOWORD(wParam)) {
                    case kButton1:
                        Button1Click();
                        return 0;
                    case kButton2:
                        Button2Click();
                        return 0;
                    case kButton3:
                        Button3Click();
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

    void Button1Click() { form3_->ShowModal(); }

    void Button2Click() { ::SendMessageW(Handle(), WM_CLOSE, 0, 0); }

    // WinHelp for a help file beside the exe on the Windows that still have
    // it; else, or when WinHelp cannot be started, the program's own help
    // window, only ever one of it.
    void Button3Click() {
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
    UniqueFont font_;
    std::unique_ptr<TForm3> form3_;
    std::unique_ptr<HelpWindow> help_;  // owned: closes with this window
};

}  // namespace

int RunInteractive(HINSTANCE instance) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    TForm2 form2(instance);
    if (!form2.Create()) return 1;  // no window: the run failed
    ::ShowWindow(form2.Handle(), SW_SHOW);
    ::UpdateWindow(form2.Handle());
    RunMessageLoop([] { return true; });
    return 0;
}

}  // namespace merrowin::win
