#include "app/maker/win/maker_window.h"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <array>

#include "common/errors.h"
#include "common/win/controls.h"
#include "common/win/picture_view.h"
#include "common/win/system_function.h"
#include "settings/win/registry_settings.h"
#include "settings/win/registry_store.h"

namespace merrowin::win {
namespace {

constexpr wchar_t kMakerCaption[] = L"バーコードを作る - Merrowin";
constexpr wchar_t kSaveTitle[] = L"名前を付けて保存";

// The layout in pixels of a 96-dpi screen, scaled to the window's DPI. The
// choices stand in a column on the left; the picture fills the rest; the
// command line and the buttons run along the bottom.
constexpr int kMargin = 12;
constexpr int kLabelWidth = 110;
constexpr int kFieldLeft = kMargin + kLabelWidth + 4;
constexpr int kFieldWidth = 210;
constexpr int kColumnRight = kFieldLeft + kFieldWidth;
constexpr int kRowHeight = 22;
constexpr int kButtonHeight = 25;
constexpr int kClientWidth = 780;  // at first
constexpr int kClientHeight = 480;
constexpr int kMinimumClientWidth = kColumnRight + kMargin + 160;
constexpr int kMinimumClientHeight = 466;
constexpr int kComboListHeight = 200;  // a drop-down list's height when open
constexpr int kDataChars = 64;         // the data and extra fields' limit

// A control and the label in front of it, in creation (= tab) order; a
// label's "&" letter moves the focus to the control after it.
struct Field {
    int labelId;  // 0: none
    const wchar_t* label;
    int id;
    const wchar_t* className;
    DWORD style;
    int top;    // 96-dpi pixels from the client's top; < 0: from its bottom
    int left;   // the control's left
    int width;  // 0: to the column's right
};

constexpr DWORD kList = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
constexpr DWORD kEdit = ES_AUTOHSCROLL | WS_TABSTOP;

// clang-format off
constexpr std::array<Field, 12> kFields{{
    {601, L"種類(&K):",          kMakerKindCombo,       L"ComboBox", kList,  12,  kFieldLeft, 0},
    {602, L"スタイル(&Y):",      kMakerStyleCombo,      L"ComboBox", kList,  40,  kFieldLeft, 0},
    {603, L"データ(&D):",        kMakerDataEdit,        L"Edit",     kEdit,  68,  kFieldLeft, 0},
    {kMakerExtraLabel,     L"",  kMakerExtraEdit,       L"Edit",     kEdit,  170, kFieldLeft, 100},
    {kMakerExtraLabel + 1, L"",  kMakerExtraEdit + 1,   L"Edit",     kEdit,  198, kFieldLeft, 100},
    {604, L"モジュール幅(&W):",  kMakerModuleCombo,     L"ComboBox", kList,  226, kFieldLeft, 150},
    {0,   nullptr,               kMakerModuleEdit,      L"Edit",     kEdit,  226, kFieldLeft + 154, 36},
    {605, L"解像度(&R):",        kMakerResolutionCombo, L"ComboBox", kList,  254, kFieldLeft, 100},
    {606, L"バー幅の縮小(&B):",  kMakerReductionEdit,   L"Edit",     kEdit,  282, kFieldLeft, 60},
    {0,   nullptr,               kMakerOutlinesBox,     L"Button",   BS_AUTOCHECKBOX | WS_TABSTOP, 310, kMargin, kColumnRight - kMargin},
    {607, L"ファイル形式(&F):",  kMakerFormatCombo,     L"ComboBox", kList,  338, kFieldLeft, 100},
    {608, L"コマンドライン(&L):", kMakerCommandEdit,    L"Edit",     kEdit | ES_READONLY, -92, kMargin, -1},
}};
// clang-format on

struct ButtonSpec {
    int id;
    const wchar_t* text;
    int width;
    DWORD style;
};
constexpr std::array<ButtonSpec, 3> kButtons{{
    {kMakerSaveButton, L"名前を付けて保存(&A)...", 150, BS_DEFPUSHBUTTON},
    {kMakerCopyButton, L"コピー(&C)", 90, BS_PUSHBUTTON},
    {kMakerCloseButton, L"閉じる", 90, BS_PUSHBUTTON},
}};

int ComboIndex(HWND combo) {
    const LRESULT index = ::SendMessageW(combo, CB_GETCURSEL, 0, 0);
    return index == CB_ERR ? 0 : static_cast<int>(index);
}

std::string Text(HWND control) {
    return Narrow(WindowText(control));
}

// Replaces a control's text only when it differs: an edit keeps its caret
// and selection while the user types.
void SetText(HWND control, std::string_view text) {
    const std::wstring wide = Widen(text);
    if (WindowText(control) != wide) ::SetWindowTextW(control, wide.c_str());
}

// The save dialog's filter: the format, then every file; pairs of texts
// ending in NULs.
std::wstring FilterOf(FileFormat format) {
    const std::wstring pattern = L"*" + Widen(InfoOf(format).extension);
    std::wstring filter = Widen(FormatLabel(format)) + L" (" + pattern + L")";
    filter += L'\0';
    filter += pattern;
    filter += L'\0';
    filter += L"すべてのファイル (*.*)";
    filter += L'\0';
    filter += L"*.*";
    filter += L'\0';
    return filter;
}

}  // namespace

MakerWindow::MakerWindow(HINSTANCE instance, HWND owner)
    : platform_(owner),
      form_(*this, platform_, LoadSettingsFromRegistry,
            [](std::string_view keyPath) -> std::unique_ptr<SettingsAccessor> {
                return std::make_unique<RegistryStore>(keyPath);
            }) {
    {
        // The window, its frame and controls are drawn at the monitor's
        // DPI, not stretched from 96 (see ScopedDpiAwareness).
        ScopedDpiAwareness perMonitor;
        if (!CreateForm(instance, kMakerWindowClass, kMakerCaption, WS_OVERLAPPEDWINDOW,
                        WS_EX_CONTROLPARENT, kClientWidth, kClientHeight, owner))
            return;
        dpi_ = WindowDpi(Handle());
        CreateControls(instance);
    }
    platform_.SetOwner(Handle());
    SetClientSize(Scaled(kClientWidth), Scaled(kClientHeight));
    ApplyDpi(dpi_);
    try {
        updating_ = true;
        form_.Load();
        updating_ = false;
    } catch (const MerrowinError& error) {
        updating_ = false;
        ShowErrorBox(Handle(), error.what());
    }
    ::ShowWindow(Handle(), SW_SHOW);
    ::SetFocus(Item(kMakerDataEdit));
}

MakerWindow::~MakerWindow() {
    DestroyForm();
}

void MakerWindow::BringForward() {
    if (!Handle()) return;
    if (::IsIconic(Handle())) ::ShowWindow(Handle(), SW_RESTORE);
    ::SetForegroundWindow(Handle());
}

void MakerWindow::CreateControls(HINSTANCE instance) {
    HWND form = Handle();
    const auto create = [&](const wchar_t* className, const wchar_t* text, DWORD style, int id,
                            DWORD exStyle = 0) {
        return ::CreateWindowExW(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0,
                                 0, form, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 instance, nullptr);
    };
    for (const Field& field : kFields) {
        if (field.labelId) create(L"Static", field.label, SS_LEFT, field.labelId);
        const bool edit = ::lstrcmpW(field.className, L"Edit") == 0;
        HWND control = create(
            field.className, field.id == kMakerOutlinesBox ? L"数字を OCR-B の輪郭で描く(&O)" : L"",
            field.style, field.id, edit ? WS_EX_CLIENTEDGE : 0);
        if (edit && field.id != kMakerCommandEdit)
            ::SendMessageW(control, EM_LIMITTEXT, kDataChars, 0);
        if (field.id == kMakerDataEdit) {
            // The code with its check digit and the refusal, under the field.
            create(L"Static", L"", SS_LEFT | SS_NOPREFIX, kMakerCodeLabel);
            create(L"Static", L"", SS_LEFT | SS_NOPREFIX, kMakerMessageLabel);
        }
        if (field.id == kMakerModuleEdit) create(L"Static", L"%", SS_LEFT, kMakerUnitLabel);
        if (field.id == kMakerReductionEdit) create(L"Static", L"mm", SS_LEFT, kMakerReductionUnit);
    }
    for (const ButtonSpec& button : kButtons)
        create(L"Button", button.text, button.style | WS_TABSTOP, button.id);
    create(L"Static", L"", SS_OWNERDRAW, kMakerPreview);
    create(L"Static", L"", SS_CENTER | SS_NOPREFIX, kMakerSizeLabel);
}

// Places every control for the client's size at the window's DPI.
void MakerWindow::Layout() {
    RECT client{};
    ::GetClientRect(Handle(), &client);
    const int width = client.right;
    const int height = client.bottom;
    const auto place = [this](int id, int left, int top, int w, int h) {
        if (HWND control = Item(id)) ::MoveWindow(control, left, top, std::max(w, 0), h, TRUE);
    };
    const int bottomRow = height - Scaled(kMargin + kButtonHeight);
    for (const Field& field : kFields) {
        const int top = field.top >= 0 ? Scaled(field.top) : height + Scaled(field.top);
        const bool combo = ::lstrcmpW(field.className, L"ComboBox") == 0;
        int left = Scaled(field.left);
        int w = Scaled(field.width ? field.width : kColumnRight - field.left);
        if (field.width < 0) {  // the whole width, under its label
            left = Scaled(kMargin);
            w = width - 2 * Scaled(kMargin);
            place(field.labelId, left, top - Scaled(18), Scaled(kLabelWidth + 40), Scaled(16));
            place(field.id, left, top, w, Scaled(kRowHeight));
            continue;
        }
        if (field.labelId)
            place(field.labelId, Scaled(kMargin), top + Scaled(4), Scaled(kLabelWidth), Scaled(16));
        place(field.id, left, top, w, Scaled(combo ? kComboListHeight : kRowHeight));
    }
    // The code across the whole column, on two lines when it needs them (the
    // payment slip's 44 digits go under "コード:"), and room for a refusal of
    // three lines under it.
    place(kMakerCodeLabel, Scaled(kMargin), Scaled(94), Scaled(kColumnRight - kMargin), Scaled(32));
    place(kMakerMessageLabel, Scaled(kMargin), Scaled(126), Scaled(kColumnRight - kMargin),
          Scaled(42));
    place(kMakerUnitLabel, Scaled(kFieldLeft + 194), Scaled(230), Scaled(20), Scaled(16));
    place(kMakerReductionUnit, Scaled(kFieldLeft + 64), Scaled(286), Scaled(30), Scaled(16));
    int right = width - Scaled(kMargin);
    for (auto button = kButtons.rbegin(); button != kButtons.rend(); ++button) {
        right -= Scaled(button->width);
        place(button->id, right, bottomRow, Scaled(button->width), Scaled(kButtonHeight));
        right -= Scaled(8);
    }
    // The picture: right of the column, above the command line, with its
    // size under it.
    const int previewLeft = Scaled(kColumnRight + kMargin);
    const int previewBottom = height - Scaled(92 + 18 + 24);
    place(kMakerPreview, previewLeft, Scaled(kMargin), width - Scaled(kMargin) - previewLeft,
          previewBottom - Scaled(kMargin));
    place(kMakerSizeLabel, previewLeft, previewBottom + Scaled(4),
          width - Scaled(kMargin) - previewLeft, Scaled(16));
    ::InvalidateRect(Item(kMakerPreview), nullptr, TRUE);
}

// The font and the layout at a new DPI.
void MakerWindow::ApplyDpi(UINT dpi) {
    dpi_ = dpi;
    UniqueFont font = CreateFormFont(Scaled(12));
    for (HWND child = ::GetWindow(Handle(), GW_CHILD); child;
         child = ::GetWindow(child, GW_HWNDNEXT))
        ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    font_ = std::move(font);
    Layout();
    ::InvalidateRect(Handle(), nullptr, TRUE);
}

LRESULT MakerWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (LOWORD(wParam) == IDCANCEL) {
                Close();
                return 0;
            }
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case DM_GETDEFID:
            return MAKELONG(kMakerSaveButton, DC_HASDEFID);
        case WM_NEXTDLGCTL: {
            // IsDialogMessage moves the focus for a label's "&" letter with
            // this dialog message: onto the label, then on to the next
            // control. A window that is no dialog must do it itself.
            HWND target = LOWORD(lParam) ? reinterpret_cast<HWND>(wParam)
                                         : ::GetNextDlgTabItem(Handle(), ::GetFocus(), wParam != 0);
            if (target) ::SetFocus(target);
            return 0;
        }
        case WM_SIZE:
            Layout();
            return 0;
        case WM_GETMINMAXINFO: {
            RECT outer{0, 0, Scaled(kMinimumClientWidth), Scaled(kMinimumClientHeight)};
            ::AdjustWindowRectEx(&outer, static_cast<DWORD>(::GetWindowLongW(Handle(), GWL_STYLE)),
                                 FALSE,
                                 static_cast<DWORD>(::GetWindowLongW(Handle(), GWL_EXSTYLE)));
            auto& limits = *reinterpret_cast<MINMAXINFO*>(lParam);
            limits.ptMinTrackSize = POINT{outer.right - outer.left, outer.bottom - outer.top};
            return 0;
        }
        case WM_DPICHANGED: {
            // The window moved to a monitor of another scale: the size
            // Windows suggests, then the controls at the new DPI.
            const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
            dpi_ = HIWORD(wParam);
            ::SetWindowPos(Handle(), nullptr, suggested.left, suggested.top,
                           suggested.right - suggested.left, suggested.bottom - suggested.top,
                           SWP_NOZORDER | SWP_NOACTIVATE);
            ApplyDpi(HIWORD(wParam));
            return 0;
        }
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item.CtlID != kMakerPreview) break;
            DrawPreview(item);
            return TRUE;
        }
        case WM_CLOSE:
            Close();
            return 0;
        case WM_DESTROY:
            // Closed with the usage window, which destroys the windows it
            // owns without asking them to close: the choices are kept too.
            if (!remembered_) {
                remembered_ = true;
                try {
                    form_.Remember();
                } catch (const MerrowinError&) {
                    // The program is ending; the store keeps what it had.
                }
            }
            return 0;
        default:
            break;
    }
    return FormWindow::HandleMessage(message, wParam, lParam);
}

void MakerWindow::OnCommand(int id, int code) {
    if (updating_) return;
    switch (id) {
        case kMakerSaveButton:
            if (code == BN_CLICKED) form_.Save();
            return;
        case kMakerCopyButton:
            if (code == BN_CLICKED) form_.Copy();
            return;
        case kMakerCloseButton:
            if (code == BN_CLICKED) Close();
            return;
        case kMakerKindCombo:
        case kMakerModuleCombo:
            if (code != CBN_SELCHANGE) return;
            updating_ = true;
            try {
                id == kMakerKindCombo ? form_.KindChanged() : form_.ModuleChanged();
            } catch (...) {
                updating_ = false;
                throw;
            }
            updating_ = false;
            return;
        case kMakerStyleCombo:
        case kMakerResolutionCombo:
        case kMakerFormatCombo:
            if (code == CBN_SELCHANGE) form_.Refresh();
            return;
        case kMakerOutlinesBox:
            if (code == BN_CLICKED) form_.Refresh();
            return;
        case kMakerDataEdit:
        case kMakerExtraEdit:
        case kMakerExtraEdit + 1:
        case kMakerModuleEdit:
        case kMakerReductionEdit:
            if (code == EN_CHANGE) form_.Refresh();
            return;
        default:
            return;
    }
}

// The picture as the file holds it, at its true size (the frame's
// millimetres at the window's DPI) or smaller to fit.
void MakerWindow::DrawPreview(const DRAWITEMSTRUCT& item) const {
    ::FillRect(item.hDC, &item.rcItem, ::GetSysColorBrush(COLOR_APPWORKSPACE));
    RECT area = item.rcItem;
    ::InflateRect(&area, -Scaled(8), -Scaled(8));
    PaintPicture(item.hDC, area, picture_, dpi_);
}

void MakerWindow::Close() {
    // The choices are kept for the next opening; a store that cannot take
    // them is reported, and the window closes all the same.
    remembered_ = true;
    try {
        form_.Remember();
    } catch (const MerrowinError& error) {
        ShowErrorBox(Handle(), error.what());
    }
    ::DestroyWindow(Handle());
}

MakerChoices MakerWindow::Choices() {
    MakerChoices choices;
    choices.kind = static_cast<std::size_t>(ComboIndex(Item(kMakerKindCombo)));
    choices.style = static_cast<std::size_t>(ComboIndex(Item(kMakerStyleCombo)));
    choices.data = Text(Item(kMakerDataEdit));
    for (std::size_t i = 0; i < extraCount_; ++i)
        choices.extras[i] = Text(Item(kMakerExtraEdit + static_cast<int>(i)));
    choices.module = static_cast<ModuleChoice>(ComboIndex(Item(kMakerModuleCombo)));
    choices.moduleValue = Text(Item(kMakerModuleEdit));
    choices.resolution = static_cast<std::size_t>(ComboIndex(Item(kMakerResolutionCombo)));
    choices.reduction = Text(Item(kMakerReductionEdit));
    choices.outlines = IsChecked(Item(kMakerOutlinesBox));
    choices.format = static_cast<FileFormat>(ComboIndex(Item(kMakerFormatCombo)));
    choices.folder = folder_;
    return choices;
}

void MakerWindow::ShowChoices(const MakerChoices& choices) {
    const bool wasUpdating = std::exchange(updating_, true);
    ::SendMessageW(Item(kMakerKindCombo), CB_SETCURSEL, choices.kind, 0);
    ::SendMessageW(Item(kMakerStyleCombo), CB_SETCURSEL, choices.style, 0);
    SetText(Item(kMakerDataEdit), choices.data);
    for (std::size_t i = 0; i < kMaxExtras; ++i)
        SetText(Item(kMakerExtraEdit + static_cast<int>(i)), choices.extras[i]);
    ::SendMessageW(Item(kMakerModuleCombo), CB_SETCURSEL, static_cast<WPARAM>(choices.module), 0);
    SetText(Item(kMakerModuleEdit), choices.moduleValue);
    ::SendMessageW(Item(kMakerResolutionCombo), CB_SETCURSEL, choices.resolution, 0);
    SetText(Item(kMakerReductionEdit), choices.reduction);
    SetCheck(Item(kMakerOutlinesBox), choices.outlines);
    ::SendMessageW(Item(kMakerFormatCombo), CB_SETCURSEL, static_cast<WPARAM>(choices.format), 0);
    folder_ = choices.folder;
    updating_ = wasUpdating;
}

void MakerWindow::SetList(MakerList list, const std::vector<std::string>& items,
                          std::size_t selected) {
    static constexpr std::array<int, 5> kCombos{kMakerKindCombo, kMakerStyleCombo,
                                                kMakerModuleCombo, kMakerResolutionCombo,
                                                kMakerFormatCombo};
    HWND combo = Item(kCombos.at(static_cast<std::size_t>(list)));
    const bool wasUpdating = std::exchange(updating_, true);
    ::SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (const std::string& item : items)
        ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(item).c_str()));
    ::SendMessageW(combo, CB_SETCURSEL, selected, 0);
    updating_ = wasUpdating;
}

void MakerWindow::SetExtras(std::span<const MakerExtra> extras) {
    extraCount_ = extras.size();
    for (std::size_t i = 0; i < kMaxExtras; ++i) {
        HWND label = Item(kMakerExtraLabel + static_cast<int>(i));
        HWND edit = Item(kMakerExtraEdit + static_cast<int>(i));
        const bool used = i < extras.size();
        if (used) ::SetWindowTextW(label, Widen(extras[i].label).c_str());
        ::ShowWindow(label, used ? SW_SHOW : SW_HIDE);
        ::ShowWindow(edit, used ? SW_SHOW : SW_HIDE);
    }
}

void MakerWindow::SetModuleUnit(std::string_view unit) {
    SetText(Item(kMakerUnitLabel), unit);
}

void MakerWindow::ShowResult(const MakerResult& result) {
    SetText(Item(kMakerCodeLabel), result.code.empty() ? "" : "コード: " + result.code);
    SetText(Item(kMakerMessageLabel), result.message);
    SetText(Item(kMakerCommandEdit), result.commandLine);
    SetText(Item(kMakerSizeLabel), result.sizeText);
    ::EnableWindow(Item(kMakerSaveButton), !result.metafile.empty());
    ::EnableWindow(Item(kMakerCopyButton), !result.metafile.empty());
    picture_ = result.metafile;
    ::InvalidateRect(Item(kMakerPreview), nullptr, TRUE);
}

std::optional<std::string> MakerWindow::AskSavePath(const std::string& folder,
                                                    const std::string& name, FileFormat format) {
    // comdlg32 is loaded when first needed, as the folder picker's DLLs are.
    auto* const getSaveFileName =
        LoadSystemFunction<decltype(::GetSaveFileNameW)>(L"comdlg32.dll", "GetSaveFileNameW");
    if (!getSaveFileName) return std::nullopt;
    // The dialog writes the chosen path into this buffer: room for the
    // longest path the file functions take.
    std::vector<wchar_t> path(32768, L'\0');
    const std::wstring wideName = Widen(name);
    std::copy_n(wideName.begin(), std::min(wideName.size(), path.size() - 1), path.begin());
    const std::wstring filter = FilterOf(format);
    const std::wstring initialFolder = Widen(folder);
    const std::wstring extension = Widen(InfoOf(format).extension.substr(1));
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = Handle();
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.lpstrInitialDir = initialFolder.empty() ? nullptr : initialFolder.c_str();
    dialog.lpstrDefExt = extension.c_str();
    dialog.lpstrTitle = kSaveTitle;
    dialog.Flags =
        OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
    if (!getSaveFileName(&dialog)) return std::nullopt;
    return Narrow(path.data());
}

}  // namespace merrowin::win
