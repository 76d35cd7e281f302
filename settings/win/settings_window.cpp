#include "settings/win/settings_window.h"

#include <commctrl.h>
#include <imm.h>
#include <objbase.h>
#include <shlobj.h>

#include <optional>
#include <string>

#include "common/errors.h"
#include "common/text.h"
#include "settings/store.h"
#include "settings/win/registry_store.h"

namespace merrowin::win {
namespace {

constexpr int kFormWidth = 333;  // with frame and caption bar
constexpr int kFormHeight = 543;

// The heading: a yellow ellipse with "初期設定" over it.
constexpr RECT kShape1 = {2, 8, 2 + 79, 8 + 25};
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr COLORREF kNavy = RGB(0, 0, 128);
constexpr int kHeadingHeight = 15;
constexpr ControlSpec kLabel1 = {
    ControlKind::PaintedLabel, kSettingsLabel1, 10, 13, 0, 0, L"初期設定"};

// Column headings, then the grid: one column per kind, one row per value.
constexpr std::array<ControlSpec, 4> kColumnHeadings{{
    {ControlKind::Label, 312, 96, 16, 0, 0, L"JAN13"},
    {ControlKind::Label, 313, 152, 16, 0, 0, L"JAN8"},
    {ControlKind::Label, 314, 208, 16, 0, 0, L"ITF14"},
    {ControlKind::Label, 315, 264, 16, 0, 0, L"ITF16"},
}};
// Label2 ... Label11, in the order of SizeField.
constexpr std::array<const wchar_t*, 10> kRowCaptions{
    L"バーの高さ", L"上マージン", L"下マージン", L"左マージン", L"右マージン",
    L"内マージン", L"ギャップ",   L"枠幅",       L"文字サイズ", L"コピー倍率",
};
constexpr int kFirstRowTop = 40;
constexpr int kRowPitch = 32;
constexpr int kRowLabelLeft = 16;
constexpr int kRowLabelDrop = 4;
constexpr int kEditWidth = 28;
constexpr int kEditHeight = 20;
constexpr int kUpDownWidth = 16;

constexpr int RowTop(SizeField field) {
    return kFirstRowTop + kRowPitch * static_cast<int>(field);
}

constexpr int ColumnLeft(SymbologyKind kind) {
    switch (kind) {
        case SymbologyKind::Jan13:
            return 96;
        case SymbologyKind::Jan8:
            return 152;
        case SymbologyKind::Itf14:
            return 208;
        case SymbologyKind::Itf16:
            return 264;
        case SymbologyKind::None:
            break;
    }
    return 0;
}

// The lower part, in tab order.
constexpr std::array<ControlSpec, 8> kLowerLayout{{
    {ControlKind::DefaultButton, kSettingsButton1, 16, 440, 185, 25, L"上の各設定値を適用する(&S)"},
    {ControlKind::Button, kSettingsButton2, 16, 472, 113, 25, L"既定値に戻す(&D)"},
    {ControlKind::Button, kSettingsButton3, 216, 440, 89, 25, L"キャンセル(&C)"},
    {ControlKind::CheckBox, kSettingsCheckBox1, 16, 360, 161, 17, L"常に既定値を適用する"},
    {ControlKind::Button, kSettingsButton4, 160, 472, 145, 25, L"レジストリの消去(E)"},
    {ControlKind::CheckBox, kSettingsCheckBox2, 16, 384, 121, 17, L"保存場所の指定"},
    {ControlKind::Edit, kSettingsEdit37, 32, 408, 217, 20, nullptr},
    {ControlKind::Button, kSettingsButton5, 256, 408, 49, 25, L"参照"},
}};

constexpr wchar_t kEraseText[] =
    L"「OK」ボタンをクリックすると関連レジストリを消去し、「Merrowin」を終了します。"
    L"アンインストールする場合は、その後「Merrowin」を起動しないで、"
    L"インストールフォルダごと削除してください。";
constexpr wchar_t kEraseTitle[] = L"レジストリを消去してもいいですか?";

// A folder the user typed in the picker that does not exist yet.
constexpr wchar_t kCreateFolderText[] = L"フォルダ「%s」はありません。作成しますか?";
constexpr wchar_t kCreateFolderFailed[] = L"フォルダ「%s」を作成できません。";

std::wstring Fill(std::wstring_view pattern, std::wstring_view text) {
    std::wstring out(pattern);
    out.replace(out.find(L"%s"), 2, text);
    return out;
}

// Only digits may come in from the clipboard, as from the keyboard.
bool ClipboardHoldsDigits(HWND edit) {
    if (!::OpenClipboard(edit)) return false;
    bool digits = false;
    if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* text = static_cast<const wchar_t*>(::GlobalLock(data))) {
            digits = true;
            for (const wchar_t* c = text; *c; ++c)
                if (*c == L'\b' || !EditKeyPasses(*c)) digits = false;
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    return digits;
}

// The shell and COM functions of the folder picker, loaded when it is first
// used (see LoadSystemFunction).
struct ShellFunctions {
    decltype(::CoInitializeEx)* coInitializeEx =
        LoadSystemFunction<decltype(::CoInitializeEx)>(L"ole32.dll", "CoInitializeEx");
    decltype(::CoUninitialize)* coUninitialize =
        LoadSystemFunction<decltype(::CoUninitialize)>(L"ole32.dll", "CoUninitialize");
    decltype(::CoTaskMemFree)* coTaskMemFree =
        LoadSystemFunction<decltype(::CoTaskMemFree)>(L"ole32.dll", "CoTaskMemFree");
    decltype(::SHBrowseForFolderW)* browseForFolder =
        LoadSystemFunction<decltype(::SHBrowseForFolderW)>(L"shell32.dll", "SHBrowseForFolderW");
    decltype(::SHGetPathFromIDListW)* pathFromIdList =
        LoadSystemFunction<decltype(::SHGetPathFromIDListW)>(L"shell32.dll",
                                                             "SHGetPathFromIDListW");
    decltype(::SHCreateDirectoryExW)* createDirectory =
        LoadSystemFunction<decltype(::SHCreateDirectoryExW)>(L"shell32.dll",
                                                             "SHCreateDirectoryExW");

    bool complete() const {
        return coInitializeEx && coUninitialize && coTaskMemFree && browseForFolder &&
               pathFromIdList && createDirectory;
    }
};

const ShellFunctions& Shell() {
    static const ShellFunctions functions;
    return functions;
}

class ComScope {
public:
    ComScope() : result_(Shell().coInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
    ~ComScope() {
        if (SUCCEEDED(result_)) Shell().coUninitialize();
    }

private:
    HRESULT result_;
};

struct BrowseState {
    std::wstring start;
    std::wstring current;  // the folder selected in the tree
    std::wstring created;  // a typed folder made after confirmation
};

// A typed name that is no folder: ask, then make it with its parents. A
// relative name is taken below the folder selected in the tree. Returns
// what the picker wants: 0 closes it, 1 keeps it open.
int OfferToCreate(HWND picker, BrowseState& state, const wchar_t* typed) {
    std::wstring path = typed;
    bool absolute = path.size() >= 2 && (path[1] == L':' || (path[0] == L'\\' && path[1] == L'\\'));
    if (!absolute && !state.current.empty()) {
        std::wstring base = state.current;
        if (base.back() != L'\\') base += L'\\';
        path = base + path;
    }
    if (::MessageBoxW(picker, Fill(kCreateFolderText, path).c_str(), kAppTitle,
                      MB_YESNO | MB_ICONQUESTION) != IDYES)
        return 1;
    int result = Shell().createDirectory(picker, path.c_str(), nullptr);
    if (result != ERROR_SUCCESS && result != ERROR_ALREADY_EXISTS && result != ERROR_FILE_EXISTS) {
        ::MessageBoxW(picker, Fill(kCreateFolderFailed, path).c_str(), kAppTitle,
                      MB_OK | MB_ICONERROR);
        return 1;
    }
    state.created = path;
    return 0;
}

int CALLBACK BrowseCallback(HWND picker, UINT message, LPARAM lParam, LPARAM data) {
    auto& state = *reinterpret_cast<BrowseState*>(data);
    switch (message) {
        case BFFM_INITIALIZED:
            ::SendMessageW(picker, BFFM_SETSELECTIONW, TRUE,
                           reinterpret_cast<LPARAM>(state.start.c_str()));
            break;
        case BFFM_SELCHANGED: {
            wchar_t path[MAX_PATH] = {};
            if (Shell().pathFromIdList(reinterpret_cast<PCIDLIST_ABSOLUTE>(lParam), path))
                state.current = path;
            break;
        }
        case BFFM_VALIDATEFAILEDW:
            return OfferToCreate(picker, state, reinterpret_cast<const wchar_t*>(lParam));
        default:
            break;
    }
    return 0;
}

// The shell's folder picker starting at `start`; the chosen folder, or
// nothing when the user cancels. The picker has no help-context parameter,
// so the help context 1000 of the browse button cannot be passed to it.
std::optional<std::wstring> BrowseForFolder(HWND owner, const std::wstring& start) {
    if (!Shell().complete()) return std::nullopt;
    ComScope com;
    BrowseState state{start, start, {}};
    BROWSEINFOW info{};
    info.hwndOwner = owner;
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE | BIF_EDITBOX | BIF_VALIDATE;
    info.lpfn = &BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(&state);
    PIDLIST_ABSOLUTE chosen = Shell().browseForFolder(&info);
    if (chosen) {
        wchar_t path[MAX_PATH] = {};
        bool ok = Shell().pathFromIdList(chosen, path) != FALSE;
        Shell().coTaskMemFree(chosen);
        if (ok) return std::wstring(path);
    }
    if (!state.created.empty()) return state.created;
    return std::nullopt;
}

}  // namespace

TForm3::TForm3(HINSTANCE instance, HWND owner)
    : owner_(owner),
      font_(CreateFormFont(12)),
      boldFont_(CreateFormFont(12, true)),
      headingFont_(CreateFormFont(kHeadingHeight, true)) {
    SetDefaults(copy_);
    if (!CreateForm(instance, L"TForm3", L"設定", WS_POPUP | WS_CAPTION | WS_SYSMENU,
                    WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, kFormWidth, kFormHeight, owner))
        return;
    CreateControls();
}

TForm3::~TForm3() {
    DestroyForm();
}

void TForm3::CreateControls() {
    HWND form = Handle();
    CreateControl(form, kLabel1, headingFont_.get());
    for (const ControlSpec& item : kColumnHeadings) CreateControl(form, item, font_.get());
    for (std::size_t row = 0; row < kRowCaptions.size(); ++row) {
        auto field = static_cast<SizeField>(row);
        CreateControl(form,
                      {ControlKind::Label, static_cast<int>(302 + row), kRowLabelLeft,
                       RowTop(field) + kRowLabelDrop, 0, 0, kRowCaptions[row]},
                      font_.get());
    }
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(form, GWLP_HINSTANCE));
    for (std::size_t i = 0; i < kSettingsCells.size(); ++i) {
        const SettingsCell& cell = kSettingsCells[i];
        int left = ColumnLeft(cell.kind);
        int top = RowTop(cell.field);
        std::wstring text = Widen(IntToStr(cell.fallback));
        HWND edit = CreateControl(form,
                                  {ControlKind::Edit, kGridEditId + cell.edit, left, top,
                                   kEditWidth, kEditHeight, text.c_str()},
                                  font_.get());
        // A Shift-JIS font gets wide default margins, and "100" must fit in
        // 28 pixels: no margins at all.
        ::SendMessageW(edit, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(0, 0));
        // Sizes are typed as plain digits: no input-method editor.
        ::ImmAssociateContext(edit, nullptr);
        ::SetWindowSubclass(edit, &TForm3::GridEditProc, 1, 0);
        // The spinner sits right beside its edit; the edit keeps its width.
        HWND upDown = ::CreateWindowExW(
            0, UPDOWN_CLASSW, nullptr,
            WS_CHILD | WS_VISIBLE | UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS,
            left + kEditWidth, top, kUpDownWidth, kEditHeight, form,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kGridUpDownId + cell.edit)), instance,
            nullptr);
        ::SendMessageW(upDown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
        ::SendMessageW(upDown, UDM_SETRANGE32, static_cast<WPARAM>(cell.minimum),
                       static_cast<LPARAM>(cell.maximum));
        ::SendMessageW(upDown, UDM_SETPOS32, 0, static_cast<LPARAM>(cell.fallback));
        edits_[i] = edit;
        upDowns_[i] = upDown;
    }
    for (const ControlSpec& item : kLowerLayout) {
        HWND control = CreateControl(form, item, font_.get());
        if (item.id == kSettingsButton1) {
            ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(boldFont_.get()), FALSE);
            ::SetWindowSubclass(control, &TForm3::HandCursorProc, 1, 0);
        }
    }
    SetCheck(Item(kSettingsCheckBox1), true);
    SetEdit37State(false);
}

void TForm3::ShowModal() {
    HWND form = Handle();
    if (!form) return;
    // A store error is reported, and the window shows what was loaded.
    try {
        FormShow();
    } catch (const MerrowinError& error) {
        ShowErrorBox(owner_, error.what());
    }
    SetFocusOnActivate(nullptr);
    ::EnableWindow(owner_, FALSE);
    ::ShowWindow(form, SW_SHOW);
    RunMessageLoop([this] { return Handle() && ::IsWindowVisible(Handle()); });
    ::EnableWindow(owner_, TRUE);
    if (Handle() && ::IsWindowVisible(Handle())) ::ShowWindow(Handle(), SW_HIDE);
}

void TForm3::Hide() {
    // The owner is enabled first so that it, not another program, becomes
    // the active window when this one disappears.
    ::EnableWindow(owner_, TRUE);
    ::ShowWindow(Handle(), SW_HIDE);
}

LRESULT TForm3::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (LOWORD(wParam) == IDCANCEL) {
                Button3Click();
                return 0;
            }
            if (HIWORD(wParam) != BN_CLICKED) break;
            switch (LOWORD(wParam)) {
                case kSettingsButton1:
                    Button1Click();
                    return 0;
                case kSettingsButton2:
                    Button2Click();
                    return 0;
                case kSettingsButton3:
                    Button3Click();
                    return 0;
                case kSettingsButton4:
                    Button4Click();
                    return 0;
                case kSettingsButton5:
                    Button5Click();
                    return 0;
                case kSettingsCheckBox1:
                    CheckBox1Click();
                    return 0;
                case kSettingsCheckBox2:
                    CheckBox2Click();
                    return 0;
                default:
                    break;
            }
            break;
        case DM_GETDEFID:
            return MAKELONG(kSettingsButton1, DC_HASDEFID);
        case WM_CLOSE:
            Button3Click();
            return 0;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
            return ControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam),
                                 message, wParam, lParam);
        case WM_PAINT:
            PaintShape();
            return 0;
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item.CtlID == kSettingsLabel1) {
                DrawHeading(item);
                return TRUE;
            }
            break;
        }
        default:
            break;
    }
    return FormWindow::HandleMessage(message, wParam, lParam);
}

// Grid edits in clWindow or clGrayText; Edit37's text in clWindowText or
// clGrayText on the window colour. Disabled edits ask with CTLCOLORSTATIC.
LRESULT TForm3::ControlColour(HDC dc, HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    int id = ::GetDlgCtrlID(control);
    if (id > kGridEditId && id <= kGridEditId + kCellCount) {
        int background = gridWindowColour_ ? COLOR_WINDOW : COLOR_GRAYTEXT;
        ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
        ::SetBkColor(dc, ::GetSysColor(background));
        return reinterpret_cast<LRESULT>(::GetSysColorBrush(background));
    }
    if (id == kSettingsEdit37) {
        ::SetTextColor(dc,
                       ::GetSysColor(edit37WindowTextColour_ ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
        ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_WINDOW));
    }
    return Default(message, wParam, lParam);
}

void TForm3::PaintShape() {
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(Handle(), &paint);
    {
        SelectGuard pen(dc, ::GetStockObject(BLACK_PEN));
        UniqueBrush yellow(::CreateSolidBrush(kYellow));
        SelectGuard brush(dc, yellow.get());
        ::Ellipse(dc, kShape1.left, kShape1.top, kShape1.right, kShape1.bottom);
    }
    ::EndPaint(Handle(), &paint);
}

// Label1 is transparent over Shape1: it paints the part of the ellipse
// behind it, then its bold navy caption.
void TForm3::DrawHeading(const DRAWITEMSTRUCT& item) const {
    HDC dc = item.hDC;
    ::FillRect(dc, &item.rcItem, ::GetSysColorBrush(COLOR_BTNFACE));
    POINT previous{};
    ::SetWindowOrgEx(dc, kLabel1.left, kLabel1.top, &previous);
    {
        SelectGuard pen(dc, ::GetStockObject(BLACK_PEN));
        UniqueBrush yellow(::CreateSolidBrush(kYellow));
        SelectGuard brush(dc, yellow.get());
        ::Ellipse(dc, kShape1.left, kShape1.top, kShape1.right, kShape1.bottom);
    }
    ::SetWindowOrgEx(dc, previous.x, previous.y, nullptr);
    SelectGuard font(dc, headingFont_.get());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, kNavy);
    ::TextOutW(dc, 0, 0, kLabel1.text, ::lstrlenW(kLabel1.text));
}

void TForm3::ShowWorkingCopy() {
    for (std::size_t i = 0; i < edits_.size(); ++i)
        ::SetWindowTextW(edits_[i], Widen(IntToStr(copy_.values[i])).c_str());
}

void TForm3::SetEdit37State(bool enabled) {
    ::EnableWindow(Item(kSettingsEdit37), enabled);
    edit37WindowTextColour_ = enabled;
    ::InvalidateRect(Item(kSettingsEdit37), nullptr, TRUE);
}

void TForm3::FormShow() {
    RegistryStore store(kStoreKeyPath);
    bool useStored = ReadBool(store, kSettingSection, "Def", false);
    copy_.DrChk = ReadBool(store, kSettingSection, "DrChk", false);
    if (useStored) {
        if (SetCheck(Item(kSettingsCheckBox1), false)) CheckBox1Click();
        ReadStoredValues(store, copy_);
        EditEnable();
    } else {
        if (SetCheck(Item(kSettingsCheckBox1), true)) CheckBox1Click();
        SetDefaults(copy_);
        EditDisable();
    }
    if (SetCheck(Item(kSettingsCheckBox2), copy_.DrChk)) CheckBox2Click();
    SetEdit37State(copy_.DrChk);
    // The stored folder is shown, greyed, also while it is not in use.
    ::SetWindowTextW(Item(kSettingsEdit37),
                     Widen(ReadString(store, kSettingSection, "SaveDr", "")).c_str());
    ::EnableWindow(Item(kSettingsButton5), copy_.DrChk);
    ShowWorkingCopy();
}

void TForm3::SetNew() {
    for (std::size_t i = 0; i < kSettingsCells.size(); ++i) {
        const SettingsCell& cell = kSettingsCells[i];
        std::string text = Narrow(WindowText(edits_[i]));
        std::string before = text;
        std::int32_t value = ClampEditText(text, cell.minimum, cell.maximum);
        if (text != before) ::SetWindowTextW(edits_[i], Widen(text).c_str());
        copy_.values[i] = value;
    }
    copy_.DrChk = IsChecked(Item(kSettingsCheckBox2));
    RegistryStore store(kStoreKeyPath);
    RecIni(copy_, IsChecked(Item(kSettingsCheckBox1)), Narrow(WindowText(Item(kSettingsEdit37))),
           store);
}

void TForm3::SetDef() {
    SetDefaults(copy_);
    ShowWorkingCopy();
}

void TForm3::EditEnable() {
    SetGrid(true);
}

void TForm3::EditDisable() {
    SetGrid(false);
}

void TForm3::SetGrid(bool enabled) {
    ::EnableWindow(Item(kSettingsButton2), enabled);
    gridWindowColour_ = enabled;
    for (std::size_t i = 0; i < edits_.size(); ++i) {
        ::EnableWindow(edits_[i], enabled);
        ::InvalidateRect(edits_[i], nullptr, TRUE);
        ::EnableWindow(upDowns_[i], enabled);
    }
}

void TForm3::CheckBox1Click() {
    if (IsChecked(Item(kSettingsCheckBox1)))
        EditDisable();
    else
        EditEnable();
}

void TForm3::CheckBox2Click() {
    bool checked = IsChecked(Item(kSettingsCheckBox2));
    SetEdit37State(checked);
    ::EnableWindow(Item(kSettingsButton5), checked);
}

void TForm3::Button1Click() {
    SetNew();
    Hide();
}

void TForm3::Button2Click() {
    SetDef();
    ::SetFocus(Item(kSettingsButton1));
}

void TForm3::Button3Click() {
    Hide();
}

void TForm3::Button4Click() {
    if (::MessageBoxW(Handle(), kEraseText, kEraseTitle,
                      MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2) != IDOK)
        return;
    {
        RegistryStore korvane(kStoreParentPath);
        RegErase(korvane);
    }
    ::PostQuitMessage(0);
}

void TForm3::Button5Click() {
    std::string start;
    {
        RegistryStore store(kStoreKeyPath);
        start = ReadString(store, kSettingSection, "SaveDr", "");
    }
    if (start.empty()) start = PersonalFolder("C:");
    if (std::optional<std::wstring> folder = BrowseForFolder(Handle(), Widen(start)))
        ::SetWindowTextW(Item(kSettingsEdit37), folder->c_str());
}

void TForm3::Edit1KeyPress(wchar_t& key) {
    if (!EditKeyPasses(static_cast<char32_t>(key))) key = 0;
}

namespace {

// A disabled edit draws its text in the grey-text colour whatever its
// parent's WM_CTLCOLORSTATIC says, which vanishes on the grid's clGrayText
// ground. So a disabled grid edit is painted here: the ground and the text
// colour the parent gives, the text where the edit itself would put it.
void PaintDisabledEdit(HWND edit) {
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(edit, &paint);
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
    ::EndPaint(edit, &paint);
}

}  // namespace

LRESULT CALLBACK TForm3::GridEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR, DWORD_PTR) {
    switch (message) {
        case WM_CHAR: {
            auto key = static_cast<wchar_t>(wParam);
            Edit1KeyPress(key);
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
            ::RemoveWindowSubclass(edit, &TForm3::GridEditProc, 1);
            break;
        default:
            break;
    }
    return ::DefSubclassProc(edit, message, wParam, lParam);
}

LRESULT CALLBACK TForm3::HandCursorProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR, DWORD_PTR) {
    if (message == WM_SETCURSOR && LOWORD(lParam) == HTCLIENT) {
        ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
    }
    if (message == WM_NCDESTROY) ::RemoveWindowSubclass(button, &TForm3::HandCursorProc, 1);
    return ::DefSubclassProc(button, message, wParam, lParam);
}

}  // namespace merrowin::win
