// The process entry: a generation run with arguments, the usage window
// without.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/batch.h"
#include "app/command_line.h"
#include "app/maker/maker_form.h"
#include "app/maker/win/maker_window.h"
#include "app/switches.h"
#include "app/win/batch_window.h"
#include "app/win/status_window.h"
#include "app/win/win_platform.h"
#include "common/cmdline.h"
#include "usage/win/help_window.h"
#include "usage/win/usage_window.h"

namespace {

// The usage window, given what it opens that the generation run makes: the
// maker window (only ever one, closed with the usage window that owns it)
// and the settings window's preview.
int RunUsage(HINSTANCE instance) {
    using namespace merrowin;
    std::unique_ptr<win::MakerWindow> maker;
    const win::InteractiveFronts fronts{
        [&maker, instance](HWND owner) {
            if (maker && maker->Handle()) {
                maker->BringForward();
                return;
            }
            maker = std::make_unique<win::MakerWindow>(instance, owner);
        },
        [](SymbologyKind kind, const std::function<std::string(SizeField)>& cellText) {
            win::WinPlatform platform(nullptr);
            return SettingsPreview(kind, cellText, platform);
        },
    };
    return win::RunInteractive(instance, fronts);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    using namespace merrowin;
    // A "/dr" or stored folder on a card reader or an optical drive without
    // media must fail like any missing folder, not raise Windows' "no disk"
    // box that stops a batch file: "Best practice is that all applications
    // call the process-wide SetErrorMode function with a parameter of
    // SEM_FAILCRITICALERRORS at startup" ("SetErrorMode", Win32
    // documentation). The modes inherited from the parent are kept.
    ::SetErrorMode(::SetErrorMode(SEM_FAILCRITICALERRORS) | SEM_FAILCRITICALERRORS);
    // Our own splitting rule, not CommandLineToArgvW: blanks separate, a
    // quoted stretch is one piece and backslashes are plain characters.
    std::vector<std::string> arguments = SplitCommandLine(win::Narrow(::GetCommandLineW()));
    if (!arguments.empty()) arguments.erase(arguments.begin());
    if (arguments.empty()) return RunUsage(instance);
    CommandLine command = ParseCommandLine(arguments);
    if (IsHelpRequest(command)) return win::RunHelp(instance);
    if (IsBatchRequest(command)) return win::RunBatchWindow(instance, command);

    win::StatusWindow form(std::move(command));
    if (!form.Create(instance)) return 1;
    if (form.Finished()) return form.ExitCode();  // done: no need to show the window
    form.Show();
    // Until the window is closed; the form loop gives the exit button Tab,
    // Enter, Esc and Alt+X.
    win::RunMessageLoop([] { return true; });
    return form.ExitCode();
}
