#include "common/win/controls.h"

namespace merrowin::win {

UniqueFont CreateFormFont(int height, bool bold) {
    LOGFONTW font{};
    font.lfHeight = -height;
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfCharSet = SHIFTJIS_CHARSET;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    // A proportional sans-serif: what the font mapper falls back on where
    // the face is not installed.
    font.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    SetFaceName(font, "ＭＳ Ｐゴシック");
    return UniqueFont(::CreateFontIndirectW(&font));
}

SIZE TextExtent(HFONT font, std::wstring_view text) {
    ScreenDc dc;
    SelectGuard select(dc.get(), font);
    SIZE size{};
    ::GetTextExtentPoint32W(dc.get(), text.data(), static_cast<int>(text.size()), &size);
    return size;
}

HWND CreateControl(HWND parent, const ControlSpec& item, HFONT font) {
    const wchar_t* className = L"Button";
    const DWORD visible = item.hidden ? 0 : WS_VISIBLE;
    DWORD style = WS_CHILD | visible | WS_TABSTOP;
    DWORD exStyle = 0;
    int width = item.width;
    int height = item.height;
    switch (item.kind) {
        case ControlKind::Label:
        case ControlKind::PaintedLabel:
            className = L"Static";
            style = WS_CHILD | visible |
                    (item.kind == ControlKind::Label ? SS_LEFT | SS_NOPREFIX : SS_OWNERDRAW);
            if (width == 0) {  // sized to its text
                const SIZE size = TextExtent(font, item.text);
                width = size.cx;
                height = size.cy;
            }
            break;
        case ControlKind::Button:
            style |= BS_PUSHBUTTON;
            break;
        case ControlKind::DefaultButton:
            style |= BS_DEFPUSHBUTTON;
            break;
        case ControlKind::CheckBox:
            style |= BS_AUTOCHECKBOX;
            break;
        case ControlKind::Edit:
            className = L"Edit";
            style |= ES_LEFT | ES_AUTOHSCROLL;
            exStyle = WS_EX_CLIENTEDGE;
            break;
    }
    HWND control = ::CreateWindowExW(
        exStyle, className, item.text ? item.text : L"", style, item.left, item.top, width, height,
        parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(item.id)),
        reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
    if (control) ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

bool SetCheck(HWND checkBox, bool checked) {
    if (IsChecked(checkBox) == checked) return false;
    ::SendMessageW(checkBox, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    return true;
}

bool IsChecked(HWND checkBox) {
    return ::SendMessageW(checkBox, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    int n = ::GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(n));
    return text;
}

std::optional<LRESULT> PaintSolidBackground(HWND form, UINT message, WPARAM wParam,
                                            HBRUSH background, COLORREF colour) {
    const auto dc = reinterpret_cast<HDC>(wParam);
    if (message == WM_ERASEBKGND) {
        RECT client{};
        ::GetClientRect(form, &client);
        ::FillRect(dc, &client, background);
        return 1;
    }
    if (message == WM_CTLCOLORSTATIC) {
        ::SetBkColor(dc, colour);
        ::SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<LRESULT>(background);
    }
    return std::nullopt;
}

}  // namespace merrowin::win
