#include "settings/win/settings_window.h"

#include <commctrl.h>

#include "common/errors.h"
#include "common/text.h"
#include "common/win/picture_view.h"
#include "model/symbology.h"
#include "settings/win/folder_picker.h"
#include "settings/win/grid_edit.h"
#include "settings/win/registry_store.h"

namespace merrowin::win {
namespace {

constexpr int kFormWidth = 333;        // with frame and caption bar
constexpr int kFormHeight = 543 + 64;  // and the preview under the buttons

// The picture of the kind being edited, under the buttons.
constexpr RECT kPreviewRect = {16, 504, 16 + 289, 504 + 56};

// The heading: a yellow ellipse with "初期設定" over it.
constexpr RECT kHeadingEllipse = {2, 8, 2 + 79, 8 + 25};
constexpr COLORREF kNavy = RGB(0, 0, 128);
constexpr int kHeadingHeight = 15;
constexpr ControlSpec kHeading = {
    ControlKind::PaintedLabel, kHeadingLabel, 10, 13, 0, 0, L"初期設定"};

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
    {ControlKind::DefaultButton, kApplyButton, 16, 440, 185, 25, L"上の各設定値を適用する(&S)"},
    {ControlKind::Button, kDefaultsButton, 16, 472, 113, 25, L"既定値に戻す(&D)"},
    {ControlKind::Button, kCancelButton, 216, 440, 89, 25, L"キャンセル(&C)"},
    {ControlKind::CheckBox, kDefaultsBox, 16, 360, 161, 17, L"常に既定値を適用する"},
    {ControlKind::Button, kEraseButton, 160, 472, 145, 25, L"レジストリの消去(E)"},
    {ControlKind::CheckBox, kFolderBox, 16, 384, 121, 17, L"保存場所の指定"},
    {ControlKind::Edit, kFolderEdit, 32, 408, 217, 20, nullptr},
    {ControlKind::Button, kBrowseButton, 256, 408, 49, 25, L"参照"},
}};

}  // namespace

SettingsWindow::SettingsWindow(HINSTANCE instance, HWND owner, SettingsPreviewSource preview)
    : owner_(owner),
      font_(CreateFormFont(12)),
      boldFont_(CreateFormFont(12, true)),
      headingFont_(CreateFormFont(kHeadingHeight, true)),
      form_(*this,
            [](std::string_view keyPath) -> std::unique_ptr<SettingsAccessor> {
                return std::make_unique<RegistryStore>(keyPath);
            }),
      previewSource_(std::move(preview)) {
    if (!CreateForm(instance, kSettingsWindowClass, L"設定", WS_POPUP | WS_CAPTION | WS_SYSMENU,
                    WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, kFormWidth, kFormHeight, owner))
        return;
    CreateControls();
}

SettingsWindow::~SettingsWindow() {
    DestroyForm();
}

void SettingsWindow::CreateControls() {
    HWND form = Handle();
    CreateControl(form, kHeading, headingFont_.get());
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
        MakeGridEdit(edit);
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
        if (item.id == kApplyButton) {
            ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(boldFont_.get()), FALSE);
            ::SetWindowSubclass(control, &SettingsWindow::HandCursorProc, 1, 0);
        }
    }
    SetCheck(Item(kDefaultsBox), true);
    Enable(SettingsControl::FolderEdit, false);
    preview_ = CreatePictureControl(form, kPreviewPicture, kPreviewRect.left, kPreviewRect.top,
                                    kPreviewRect.right - kPreviewRect.left,
                                    kPreviewRect.bottom - kPreviewRect.top);
}

void SettingsWindow::ShowPreview(SymbologyKind kind) {
    previewKind_ = kind;
    if (!previewSource_) return;
    SetPicture(preview_,
               previewSource_(kind, [this, kind](SizeField row) { return CellText(row, kind); }));
}

void SettingsWindow::ShowModal() {
    HWND form = Handle();
    if (!form) return;
    // A store error is reported, and the window shows what was loaded.
    try {
        form_.Load();
    } catch (const MerrowinError& error) {
        ShowErrorBox(owner_, error.what());
    }
    ShowPreview(previewKind_);
    SetFocusOnActivate(nullptr);
    ::EnableWindow(owner_, FALSE);
    ::ShowWindow(form, SW_SHOW);
    RunMessageLoop([this] { return Handle() && ::IsWindowVisible(Handle()); });
    ::EnableWindow(owner_, TRUE);
    if (Handle() && ::IsWindowVisible(Handle())) ::ShowWindow(Handle(), SW_HIDE);
}

void SettingsWindow::Hide() {
    // The owner is enabled first so that it, not another program, becomes
    // the active window when this one disappears.
    ::EnableWindow(owner_, TRUE);
    ::ShowWindow(Handle(), SW_HIDE);
}

LRESULT SettingsWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (LOWORD(wParam) == IDCANCEL) {
                Cancel();
                return 0;
            }
            // A grid cell edited or entered: the preview of its column.
            if ((HIWORD(wParam) == EN_CHANGE || HIWORD(wParam) == EN_SETFOCUS) &&
                LOWORD(wParam) > kGridEditId && LOWORD(wParam) <= kGridEditId + kCellCount) {
                ShowPreview(kSettingsCells.at(LOWORD(wParam) - kGridEditId - 1).kind);
                return 0;
            }
            if (HIWORD(wParam) != BN_CLICKED) break;
            switch (LOWORD(wParam)) {
                case kApplyButton:
                    Apply();
                    return 0;
                case kDefaultsButton:
                    RestoreDefaults();
                    return 0;
                case kCancelButton:
                    Cancel();
                    return 0;
                case kEraseButton:
                    EraseStore();
                    return 0;
                case kBrowseButton:
                    form_.BrowseFolder();
                    return 0;
                case kDefaultsBox:
                    form_.FollowDefaultsBox();
                    return 0;
                case kFolderBox:
                    form_.FollowFolderBox();
                    return 0;
                default:
                    break;
            }
            break;
        case DM_GETDEFID:
            return MAKELONG(kApplyButton, DC_HASDEFID);
        case WM_CLOSE:
            Cancel();
            return 0;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
            return ControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam),
                                 message, wParam, lParam);
        case WM_PAINT:
            PaintEllipse();
            return 0;
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item.CtlID == kHeadingLabel) {
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

// Grid edits in clWindow or clGrayText; the folder's text in clWindowText or
// clGrayText on the window colour. Disabled edits ask with CTLCOLORSTATIC.
LRESULT SettingsWindow::ControlColour(HDC dc, HWND control, UINT message, WPARAM wParam,
                                      LPARAM lParam) {
    int id = ::GetDlgCtrlID(control);
    if (id > kGridEditId && id <= kGridEditId + kCellCount) {
        int background = gridWindowColour_ ? COLOR_WINDOW : COLOR_GRAYTEXT;
        ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
        ::SetBkColor(dc, ::GetSysColor(background));
        return reinterpret_cast<LRESULT>(::GetSysColorBrush(background));
    }
    if (id == kFolderEdit) {
        ::SetTextColor(dc,
                       ::GetSysColor(folderWindowTextColour_ ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
        ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_WINDOW));
    }
    return Default(message, wParam, lParam);
}

void SettingsWindow::PaintEllipse() {
    PaintScope paint(Handle());
    SelectGuard pen(paint.get(), ::GetStockObject(BLACK_PEN));
    UniqueBrush yellow(::CreateSolidBrush(kYellow));
    SelectGuard brush(paint.get(), yellow.get());
    ::Ellipse(paint.get(), kHeadingEllipse.left, kHeadingEllipse.top, kHeadingEllipse.right,
              kHeadingEllipse.bottom);
}

// The heading is transparent over the ellipse: it paints the part of the ellipse
// behind it, then its bold navy caption.
void SettingsWindow::DrawHeading(const DRAWITEMSTRUCT& item) const {
    HDC dc = item.hDC;
    ::FillRect(dc, &item.rcItem, ::GetSysColorBrush(COLOR_BTNFACE));
    POINT previous{};
    ::SetWindowOrgEx(dc, kHeading.left, kHeading.top, &previous);
    {
        SelectGuard pen(dc, ::GetStockObject(BLACK_PEN));
        UniqueBrush yellow(::CreateSolidBrush(kYellow));
        SelectGuard brush(dc, yellow.get());
        ::Ellipse(dc, kHeadingEllipse.left, kHeadingEllipse.top, kHeadingEllipse.right,
                  kHeadingEllipse.bottom);
    }
    ::SetWindowOrgEx(dc, previous.x, previous.y, nullptr);
    SelectGuard font(dc, headingFont_.get());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, kNavy);
    ::TextOutW(dc, 0, 0, kHeading.text, ::lstrlenW(kHeading.text));
}

void SettingsWindow::Apply() {
    form_.Apply();
    Hide();
}

void SettingsWindow::RestoreDefaults() {
    form_.RestoreDefaults();
    ::SetFocus(Item(kApplyButton));
}

void SettingsWindow::Cancel() {
    Hide();
}

// The program ends once its key is gone.
void SettingsWindow::EraseStore() {
    if (form_.EraseStore()) ::PostQuitMessage(0);
}

HWND SettingsWindow::CellEdit(SizeField row, SymbologyKind kind) const {
    return edits_.at(CellIndex(row, kind));
}

std::string SettingsWindow::CellText(SizeField row, SymbologyKind kind) {
    return Narrow(WindowText(CellEdit(row, kind)));
}

void SettingsWindow::SetCellText(SizeField row, SymbologyKind kind, std::string_view text) {
    ::SetWindowTextW(CellEdit(row, kind), Widen(text).c_str());
}

std::string SettingsWindow::FolderText() {
    return Narrow(WindowText(Item(kFolderEdit)));
}

void SettingsWindow::SetFolderText(std::string_view text) {
    ::SetWindowTextW(Item(kFolderEdit), Widen(text).c_str());
}

void SettingsWindow::Enable(SettingsControl control, bool enabled) {
    switch (control) {
        case SettingsControl::Grid:
            gridWindowColour_ = enabled;
            for (std::size_t i = 0; i < edits_.size(); ++i) {
                ::EnableWindow(edits_[i], enabled);
                ::InvalidateRect(edits_[i], nullptr, TRUE);
                ::EnableWindow(upDowns_[i], enabled);
            }
            break;
        case SettingsControl::DefaultsButton:
            ::EnableWindow(Item(kDefaultsButton), enabled);
            break;
        case SettingsControl::FolderEdit:
            ::EnableWindow(Item(kFolderEdit), enabled);
            folderWindowTextColour_ = enabled;
            ::InvalidateRect(Item(kFolderEdit), nullptr, TRUE);
            break;
        case SettingsControl::BrowseButton:
            ::EnableWindow(Item(kBrowseButton), enabled);
            break;
    }
}

bool SettingsWindow::IsChecked(SettingsBox box) {
    return win::IsChecked(Item(box == SettingsBox::Defaults ? kDefaultsBox : kFolderBox));
}

void SettingsWindow::SetChecked(SettingsBox box, bool checked) {
    SetCheck(Item(box == SettingsBox::Defaults ? kDefaultsBox : kFolderBox), checked);
}

bool SettingsWindow::Confirm(std::string_view text, std::string_view title) {
    return ::MessageBoxW(Handle(), Widen(text).c_str(), Widen(title).c_str(),
                         MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2) == IDOK;
}

std::optional<std::string> SettingsWindow::PickFolder(const std::string& start) {
    std::optional<std::wstring> folder = BrowseForFolder(Handle(), Widen(start));
    if (!folder) return std::nullopt;
    return Narrow(*folder);
}

std::string SettingsWindow::DocumentsFolder() {
    return PersonalFolder("");
}

LRESULT CALLBACK SettingsWindow::HandCursorProc(HWND button, UINT message, WPARAM wParam,
                                                LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message == WM_SETCURSOR && LOWORD(lParam) == HTCLIENT) {
        ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
    }
    if (message == WM_NCDESTROY) ::RemoveWindowSubclass(button, &SettingsWindow::HandCursorProc, 1);
    return ::DefSubclassProc(button, message, wParam, lParam);
}

}  // namespace merrowin::win
