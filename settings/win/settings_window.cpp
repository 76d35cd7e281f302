#include "settings/win/settings_window.h"

#include <commctrl.h>
#include <imm.h>
#include <objbase.h>
#include <shlobj.h>

#include <cwchar>
#include <optional>
#include <string>

#include "common/errors.h"
#include "common/text.h"
#include "common/win/clipboard.h"
#include "model/symbology.h"
#include "settings/win/registry_store.h"

namespace merrowin::win {
namespace {

constexpr int kFormWidth = 333;  // with frame and caption bar
constexpr int kFormHeight = 543;

// The heading: a yellow ellipse with "初期設定" over it.
constexpr RECT kShape1 = {2, 8, 2 + 79, 8 + 25};
constexpr COLORREF kNavy = RGB(0, 0, 128);
constexpr int kHeadingHeight = 15;
constexpr ControlSpec kLabel1 = {
    ControlKind::PaintedLabel, kSettingsLabel1, 10, 13, 0, 0, L"初期設定"};

// clang-format off
// The grid: one column per symbology, in settings-column order, under its
// heading ...
struct GridColumn {
    int left;
    ControlSpec heading;
};
constexpr std::array<GridColumn, 4> kGridColumns{{
    {96,  {ControlKind::Label, 312, 96,  16, 0, 0, L"JAN13"}},
    {152, {ControlKind::Label, 313, 152, 16, 0, 0, L"JAN8"}},
    {208, {ControlKind::Label, 314, 208, 16, 0, 0, L"ITF14"}},
    {264, {ControlKind::Label, 315, 264, 16, 0, 0, L"ITF16"}},
}};
// ... and one row per stored value, in the order of SizeField, its caption
// 4 pixels below the row's top.
struct GridRow {
    int top;
    ControlSpec caption;
};
constexpr std::array<GridRow, 10> kGridRows{{
    {40,  {ControlKind::Label, 302, 16, 44,  0, 0, L"バーの高さ"}},
    {72,  {ControlKind::Label, 303, 16, 76,  0, 0, L"上マージン"}},
    {104, {ControlKind::Label, 304, 16, 108, 0, 0, L"下マージン"}},
    {136, {ControlKind::Label, 305, 16, 140, 0, 0, L"左マージン"}},
    {168, {ControlKind::Label, 306, 16, 172, 0, 0, L"右マージン"}},
    {200, {ControlKind::Label, 307, 16, 204, 0, 0, L"内マージン"}},
    {232, {ControlKind::Label, 308, 16, 236, 0, 0, L"ギャップ"}},
    {264, {ControlKind::Label, 309, 16, 268, 0, 0, L"枠幅"}},
    {296, {ControlKind::Label, 310, 16, 300, 0, 0, L"文字サイズ"}},
    {328, {ControlKind::Label, 311, 16, 332, 0, 0, L"コピー倍率"}},
}};
// clang-format on
constexpr int kEditWidth = 28;  // a cell: the edit, and its spinner right beside it
constexpr int kEditHeight = 20;
constexpr int kUpDownWidth = 16;

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

// A function of a system DLL that only this window needs, loaded on
// its first use. Linked normally, shell32 and ole32 (and the dozen DLLs they
// bring along) would be loaded by every generation run, a good part of its
// start-up time. Null when the DLL or the function is not there.
template <typename Function>
Function* LoadSystemFunction(const wchar_t* dll, const char* name) {
    HMODULE module = ::LoadLibraryW(dll);  // stays loaded until the process ends
    if (!module) return nullptr;
    return reinterpret_cast<Function*>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
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
    // The Ex form takes the buffer's size: the plain one writes up to
    // MAX_PATH characters and cannot return a longer folder.
    decltype(::SHGetPathFromIDListEx)* pathFromIdList =
        LoadSystemFunction<decltype(::SHGetPathFromIDListEx)>(L"shell32.dll",
                                                              "SHGetPathFromIDListEx");
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

// The file-system folder of an item, at any length; empty when it has none.
std::wstring FolderOf(PCIDLIST_ABSOLUTE item) {
    // The call fails alike for a buffer too small and for an item without a
    // folder: grow up to the longest path Windows has, then give up.
    for (std::size_t size = MAX_PATH; size <= 32768; size *= 2) {
        std::wstring path(size, L'\0');
        if (Shell().pathFromIdList(item, path.data(), static_cast<DWORD>(size), GPFIDL_DEFAULT)) {
            path.resize(std::wcslen(path.c_str()));
            return path;
        }
    }
    return {};
}

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
    if (::MessageBoxW(picker, Widen(CreateFolderQuestion(Narrow(path))).c_str(), kAppTitle,
                      MB_YESNO | MB_ICONQUESTION) != IDYES)
        return 1;
    int result = Shell().createDirectory(picker, path.c_str(), nullptr);
    if (result != ERROR_SUCCESS && result != ERROR_ALREADY_EXISTS && result != ERROR_FILE_EXISTS) {
        ::MessageBoxW(picker, Widen(FolderCreateMessage(Narrow(path))).c_str(), kAppTitle,
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
            std::wstring path = FolderOf(reinterpret_cast<PCIDLIST_ABSOLUTE>(lParam));
            if (!path.empty()) state.current = std::move(path);
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
        std::wstring path = FolderOf(chosen);
        Shell().coTaskMemFree(chosen);
        if (!path.empty()) return path;
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
    for (const GridColumn& column : kGridColumns) CreateControl(form, column.heading, font_.get());
    for (const GridRow& row : kGridRows) CreateControl(form, row.caption, font_.get());
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(form, GWLP_HINSTANCE));
    for (std::size_t i = 0; i < kSettingsCells.size(); ++i) {
        const SettingsCell& cell = kSettingsCells[i];
        const int left = kGridColumns.at(Describe(cell.kind)->settingsColumn).left;
        const int top = kGridRows.at(static_cast<std::size_t>(cell.field)).top;
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
    PaintScope paint(Handle());
    SelectGuard pen(paint.get(), ::GetStockObject(BLACK_PEN));
    UniqueBrush yellow(::CreateSolidBrush(kYellow));
    SelectGuard brush(paint.get(), yellow.get());
    ::Ellipse(paint.get(), kShape1.left, kShape1.top, kShape1.right, kShape1.bottom);
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
    ShownSettings shown;
    {
        RegistryStore store(kStoreKeyPath);
        shown = LoadWorkingCopy(store);
    }
    copy_ = shown.copy;
    SetCheck(Item(kSettingsCheckBox1), shown.defaultsChecked);
    CheckBox1Click();
    SetCheck(Item(kSettingsCheckBox2), copy_.DrChk);
    CheckBox2Click();
    ::SetWindowTextW(Item(kSettingsEdit37), Widen(shown.saveDr).c_str());
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
    if (::MessageBoxW(Handle(), Widen(kEraseQuestion).c_str(), Widen(kEraseQuestionTitle).c_str(),
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
        start = ReadString(store, kSettingSection, kSaveDrName, "");
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
