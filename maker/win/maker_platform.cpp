#include "maker/win/maker_platform.h"

#include "common/win/system_function.h"

namespace merrowin::win {
namespace {

// DPI_AWARENESS_CONTEXT values (windef.h of Windows 10 version 1607 and
// later; our headers target Windows 7).
const HANDLE kPerMonitorContext = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-3));
const HANDLE kPerMonitorV2Context = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4));

using SetContextFunction = HANDLE WINAPI(HANDLE);
using GetContextFunction = HANDLE WINAPI();
using WindowDpiFunction = UINT WINAPI(HWND);

SetContextFunction* SetContext() {
    return LoadSystemFunction<SetContextFunction>(L"user32.dll", "SetThreadDpiAwarenessContext");
}

}  // namespace

ScopedDpiAwareness::ScopedDpiAwareness() {
    SetContextFunction* set = SetContext();
    if (!set) return;
    // Per-monitor version 2 scales the caption bar, the frame and the
    // common controls with the monitor (Windows 10 version 1703); version 1
    // where that is refused: SetThreadDpiAwarenessContext returns NULL for
    // a context the system does not know.
    previous_ = set(kPerMonitorV2Context);
    if (!previous_) previous_ = set(kPerMonitorContext);
}

ScopedDpiAwareness::ScopedDpiAwareness(HANDLE context) {
    SetContextFunction* set = context ? SetContext() : nullptr;
    if (set) previous_ = set(context);
}

ScopedDpiAwareness::~ScopedDpiAwareness() {
    if (SetContextFunction* set = previous_ ? SetContext() : nullptr) set(previous_);
}

HANDLE ThreadDpiContext() {
    auto* get =
        LoadSystemFunction<GetContextFunction>(L"user32.dll", "GetThreadDpiAwarenessContext");
    return get ? get() : nullptr;
}

UINT WindowDpi(HWND window) {
    if (auto* dpiFor = LoadSystemFunction<WindowDpiFunction>(L"user32.dll", "GetDpiForWindow"))
        if (const UINT dpi = dpiFor(window)) return dpi;
    ScopedWindowDc dc(window);
    const int dpi = ::GetDeviceCaps(dc.get(), LOGPIXELSX);
    return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

std::vector<std::int32_t> MakerPlatform::CharacterAdvances(const FontSpec& font,
                                                           std::u16string_view text) {
    ScopedDpiAwareness asTheProcess(context_);
    return platform_.CharacterAdvances(font, text);
}

ScreenFigures MakerPlatform::Screen() {
    ScopedDpiAwareness asTheProcess(context_);
    return platform_.Screen();
}

}  // namespace merrowin::win
