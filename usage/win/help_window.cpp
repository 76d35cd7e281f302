#include "usage/win/help_window.h"

#include <commctrl.h>

#include <string>

#include "usage/help_text.h"

namespace merrowin::win {
namespace {

constexpr int kHelpWidth = 600;  // with frame and caption bar
constexpr int kHelpHeight = 520;
constexpr int kMinimumWidth = 320;
constexpr int kMinimumHeight = 200;
constexpr int kTextMargin = 6;  // inside the edit, left and right

// The help's tables line up in a fixed-pitch face: "ＭＳ ゴシック", where a
// Japanese character is two ASCII characters wide.
UniqueFont CreateHelpFont() {
    LOGFONTW font{};
    font.lfHeight = -12;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = SHIFTJIS_CHARSET;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    ::lstrcpynW(font.lfFaceName, L"ＭＳ ゴシック", LF_FACESIZE);
    return UniqueFont(::CreateFontIndirectW(&font));
}

// A multi-line edit breaks lines at "\r\n" only.
std::wstring WithCrLf(std::wstring_view text) {
    std::wstring out;
    out.reserve(text.size() + text.size() / 32);
    for (wchar_t c : text) {
        if (c == L'\n') out += L'\r';
        out += c;
    }
    return out;
}

}  // namespace

HelpWindow::HelpWindow(HINSTANCE instance, HWND owner) : owner_(owner), font_(CreateHelpFont()) {
    if (!CreateForm(instance, kHelpWindowClass, Widen(kHelpCaption).c_str(), WS_OVERLAPPEDWINDOW, 0,
                    kHelpWidth, kHelpHeight, owner))
        return;
    RECT client{};
    ::GetClientRect(Handle(), &client);
    edit_ = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"Edit", WithCrLf(Widen(HelpText())).c_str(),
                              WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | ES_MULTILINE |
                                  ES_READONLY | ES_AUTOVSCROLL,
                              0, 0, client.right, client.bottom, Handle(),
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(kHelpEditId)), instance,
                              nullptr);
    if (edit_) {
        ::SendMessageW(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
        ::SendMessageW(edit_, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN,
                       MAKELPARAM(kTextMargin, kTextMargin));
        ::SetWindowSubclass(edit_, &HelpWindow::EditProc, 1, 0);
    }
    ::ShowWindow(Handle(), SW_SHOW);
}

HelpWindow::~HelpWindow() {
    DestroyForm();
}

void HelpWindow::BringForward() {
    if (!Handle()) return;
    if (::IsIconic(Handle())) ::ShowWindow(Handle(), SW_RESTORE);
    ::SetForegroundWindow(Handle());
}

LRESULT HelpWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE:
            if (edit_) ::MoveWindow(edit_, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
            return 0;
        case WM_GETMINMAXINFO: {
            auto& limits = *reinterpret_cast<MINMAXINFO*>(lParam);
            limits.ptMinTrackSize = POINT{kMinimumWidth, kMinimumHeight};
            return 0;
        }
        case WM_CTLCOLORSTATIC:
            // A read-only edit asks as a static and would get the grey of
            // the buttons; the help reads like a document, on white.
            if (reinterpret_cast<HWND>(lParam) == edit_) {
                HDC dc = reinterpret_cast<HDC>(wParam);
                ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
                ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
                return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_WINDOW));
            }
            break;
        case WM_COMMAND:
            // Esc: the dialog keys of the message loop send IDCANCEL, and a
            // multi-line edit of a dialog posts WM_CLOSE to its parent itself.
            if (LOWORD(wParam) == IDCANCEL) {
                ::SendMessageW(Handle(), WM_CLOSE, 0, 0);
                return 0;
            }
            break;
        case WM_DESTROY:
            if (!owner_) ::PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return FormWindow::HandleMessage(message, wParam, lParam);
}

// Ctrl+A selects the whole text, whichever version of the edit control
// is at work (not every one does it in a multi-line edit).
LRESULT CALLBACK HelpWindow::EditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR, DWORD_PTR) {
    if (message == WM_CHAR && wParam == 1) {
        ::SendMessageW(edit, EM_SETSEL, 0, -1);
        return 0;
    }
    if (message == WM_NCDESTROY) ::RemoveWindowSubclass(edit, &HelpWindow::EditProc, 1);
    return ::DefSubclassProc(edit, message, wParam, lParam);
}

int RunHelp(HINSTANCE instance) {
    HelpWindow help(instance, nullptr);
    if (!help.Handle()) return 1;
    RunMessageLoop([] { return true; });
    return 0;
}

}  // namespace merrowin::win
