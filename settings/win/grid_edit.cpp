#include "settings/win/grid_edit.h"

#include <commctrl.h>
#include <imm.h>

#include <string>

#include "common/win/clipboard.h"
#include "common/win/controls.h"
#include "common/win/win_util.h"
#include "settings/working_copy.h"

namespace merrowin::win {
namespace {

// Only digits may come in from the clipboard, as from the keyboard.
bool ClipboardHoldsDigits(HWND edit) {
    OpenedClipboard clipboard(edit);
    if (!clipboard.IsOpen()) return false;
    LockedGlobal<const wchar_t> text(::GetClipboardData(CF_UNICODETEXT));
    if (!text.get()) return false;
    for (const wchar_t* c = text.get(); *c; ++c)
        if (*c == L'\b' || !EditKeyPasses(*c)) return false;
    return true;
}

// A disabled edit draws its text in the grey-text colour whatever its
// parent's WM_CTLCOLORSTATIC says, which vanishes on the grid's clGrayText
// ground. So a disabled grid edit is painted here: the ground and the text
// colour the parent gives, the text where the edit itself would put it.
void PaintDisabledEdit(HWND edit) {
    PaintScope paint(edit);
    HDC dc = paint.get();
    auto ground = reinterpret_cast<HBRUSH>(::SendMessageW(::GetParent(edit), WM_CTLCOLORSTATIC,
                                                          reinterpret_cast<WPARAM>(dc),
                                                          reinterpret_cast<LPARAM>(edit)));
    RECT client{};
    ::GetClientRect(edit, &client);
    ::FillRect(dc, &client, ground ? ground : ::GetSysColorBrush(COLOR_BTNFACE));
    RECT format{};
    ::SendMessageW(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    const std::wstring text = WindowText(edit);
    {
        SelectGuard font(dc, reinterpret_cast<HGDIOBJ>(::SendMessageW(edit, WM_GETFONT, 0, 0)));
        ::SetBkMode(dc, TRANSPARENT);
        ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &format,
                    DT_SINGLELINE | DT_LEFT | DT_TOP | DT_NOPREFIX);
    }
}

LRESULT CALLBACK GridEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                              DWORD_PTR) {
    switch (message) {
        case WM_CHAR: {
            auto key = static_cast<wchar_t>(wParam);
            FilterGridKey(key);
            if (key == 0) return 0;
            break;
        }
        case WM_PASTE:
            if (!ClipboardHoldsDigits(edit)) return 0;
            break;
        case WM_KEYDOWN:
            // Shift+Insert pastes without a WM_PASTE.
            if (wParam == VK_INSERT && (::GetKeyState(VK_SHIFT) & 0x8000) &&
                !(::GetKeyState(VK_CONTROL) & 0x8000) && !ClipboardHoldsDigits(edit))
                return 0;
            break;
        case WM_PAINT:
            if (!::IsWindowEnabled(edit)) {
                PaintDisabledEdit(edit);
                return 0;
            }
            break;
        case WM_NCDESTROY:
            ::RemoveWindowSubclass(edit, &GridEditProc, 1);
            break;
        default:
            break;
    }
    return ::DefSubclassProc(edit, message, wParam, lParam);
}

}  // namespace

void FilterGridKey(wchar_t& key) {
    if (!EditKeyPasses(static_cast<char32_t>(key))) key = 0;
}

void MakeGridEdit(HWND edit) {
    // A Shift-JIS font gets wide default margins, and "100" must fit in
    // 28 pixels: no margins at all.
    ::SendMessageW(edit, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(0, 0));
    // Sizes are typed as plain digits: no input-method editor.
    ::ImmAssociateContext(edit, nullptr);
    ::SetWindowSubclass(edit, &GridEditProc, 1, 0);
}

}  // namespace merrowin::win
