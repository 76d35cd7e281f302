// The maker window from the usage window: typing a number shows its check
// digit and the equivalent command line; saving writes the bytes that
// command line writes, Copy puts the picture it puts on the clipboard; the
// choices are remembered, and a stored value of another type is reported
// without harm.
#include "app/maker/win/maker_window.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "settings/win/settings_window.h"
#include "tests/e2e/e2e_test.h"

namespace merrowin::e2e {
namespace {

constexpr wchar_t kMakerButton[] = L"バーコードを作る(&M)...";
constexpr wchar_t kSaveTitle[] = L"名前を付けて保存";

// The enhanced metafile on the clipboard, as bytes; empty when there is none.
std::string ClipboardEmfBytes() {
    std::string bytes;
    if (!::OpenClipboard(nullptr)) return bytes;
    if (auto emf = static_cast<HENHMETAFILE>(::GetClipboardData(CF_ENHMETAFILE))) {
        bytes.resize(::GetEnhMetaFileBits(emf, 0, nullptr));
        ::GetEnhMetaFileBits(emf, static_cast<UINT>(bytes.size()),
                             reinterpret_cast<BYTE*>(bytes.data()));
    }
    ::CloseClipboard();
    return bytes;
}

// The pixels of a window as the screen shows them.
Picture ScreenPixels(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    Picture picture;
    picture.width = rect.right - rect.left;
    picture.height = rect.bottom - rect.top;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = picture.width;
    info.bmiHeader.biHeight = -picture.height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, picture.width, picture.height, screen, rect.left, rect.top, SRCCOPY);
    ::GdiFlush();
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    picture.pixels.assign(pixels, pixels + picture.width * picture.height);
    for (std::uint32_t& pixel : picture.pixels) pixel &= 0xFFFFFF;
    ::SelectObject(memory, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return picture;
}

// The window as the screen shows it, written to a .bmp.
void Screenshot(HWND window, const std::wstring& path) {
    WriteBmp(ScreenPixels(window), path);
}

void SetEditText(HWND edit, const wchar_t* text) {
    ::SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

// Chooses an item of a drop-down list as a user's choice does: the
// selection, then the notification the list sends its window.
void Choose(HWND window, int comboId, int index) {
    HWND combo = ::GetDlgItem(window, comboId);
    ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ::SendMessageW(window, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(combo));
}

using MakerWindowTest = E2eTest;

TEST_F(MakerWindowTest, TypedNumberSavedAndCopiedAsTheCommandLineMakesIt) {
    // Both PDFs dated alike (the processes started inherit it), so that
    // their bytes can be compared whenever the seconds turn.
    ::SetEnvironmentVariableW(L"SOURCE_DATE_EPOCH", L"1796716800");
    struct Unset {
        ~Unset() { ::SetEnvironmentVariableW(L"SOURCE_DATE_EPOCH", nullptr); }
    } unset;
    ScratchDir saved;
    SetSettingString(L"Maker", L"Folder", saved.Path());
    Process run(L"", Cwd());
    HWND usage = run.WaitForWindow(L"TForm2");
    ASSERT_NE(usage, nullptr);
    ClickButton(FindChild(usage, L"Button", kMakerButton));
    HWND maker = run.WaitForWindow(win::kMakerWindowClass);
    ASSERT_NE(maker, nullptr);
    EXPECT_EQ(TextOf(maker), L"バーコードを作る - Merrowin");
    HWND save = ::GetDlgItem(maker, win::kMakerSaveButton);
    EXPECT_FALSE(::IsWindowEnabled(save));
    EXPECT_EQ(TextOf(::GetDlgItem(maker, win::kMakerMessageLabel)),
              L"12 桁 (チェックデジットは自動)");

    // The keyboard: the data field has the focus, Alt and a label's letter
    // moves it to the label's field.
    HWND data = ::GetDlgItem(maker, win::kMakerDataEdit);
    ASSERT_TRUE(WaitFor([&] { return FocusOf(maker) == data; }));
    ::SetForegroundWindow(maker);
    PressKey('K', VK_MENU);
    ASSERT_TRUE(
        WaitFor([&] { return FocusOf(maker) == ::GetDlgItem(maker, win::kMakerKindCombo); }));
    PressKey('D', VK_MENU);
    ASSERT_TRUE(WaitFor([&] { return FocusOf(maker) == data; }));
    // A window smaller than its minimum is not made.
    ::SetWindowPos(maker, nullptr, 0, 0, 100, 100, SWP_NOMOVE | SWP_NOZORDER);
    RECT client{};
    ::GetClientRect(maker, &client);
    EXPECT_GE(client.right, 500);
    EXPECT_GE(client.bottom, 450);
    ::SetWindowPos(maker, nullptr, 0, 0, 800, 520, SWP_NOMOVE | SWP_NOZORDER);

    // Typing: a refusal in the command line's words, then the code.
    SetEditText(data, L"49012x");
    EXPECT_EQ(TextOf(::GetDlgItem(maker, win::kMakerMessageLabel)), L"'x' は整数ではありません");
    SetEditText(data, L"490123456789");
    EXPECT_EQ(TextOf(::GetDlgItem(maker, win::kMakerCodeLabel)), L"コード: 4901234567894");
    EXPECT_EQ(TextOf(::GetDlgItem(maker, win::kMakerMessageLabel)), L"");
    EXPECT_EQ(TextOf(::GetDlgItem(maker, win::kMakerSizeLabel)), L"37.29 × 25.41 mm");
    Choose(maker, win::kMakerFormatCombo, 2);      // PDF
    Choose(maker, win::kMakerResolutionCombo, 2);  // 600 dpi
    const std::wstring command = TextOf(::GetDlgItem(maker, win::kMakerCommandEdit));
    EXPECT_EQ(command, L"merrowin /j13 /cd490123456789 /mw33 /dp600 /fmpdf");
    EXPECT_TRUE(::IsWindowEnabled(save));
    if (const char* shot = std::getenv("MERROWIN_SCREENSHOT")) {
        ::Sleep(500);  // the picture is painted when the window gets to it
        Screenshot(maker, FromBuildPath(shot));
    }

    // Enter saves: the dialog starts in the last folder with the name the
    // command line gives.
    ::SetForegroundWindow(maker);
    ::SendMessageW(data, WM_SETFOCUS, 0, 0);
    PressKey(VK_RETURN);
    HWND dialog = run.WaitForMessageBox(kSaveTitle);
    ASSERT_NE(dialog, nullptr);
    ClickButton(::GetDlgItem(dialog, IDOK));
    ASSERT_TRUE(WaitFor([&] { return FileExists(saved / L"4901234567894.pdf"); }));

    // Copy: the metafile the command line puts on the clipboard.
    ASSERT_TRUE(PutClipboardText(L"before"));
    ClickButton(::GetDlgItem(maker, win::kMakerCopyButton));
    ASSERT_TRUE(WaitFor([] { return ClipboardHasEmf(); }));
    const std::string copied = ClipboardEmfBytes();

    // Esc closes the window and keeps the choices.
    ::SetForegroundWindow(maker);
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(maker); }));
    EXPECT_EQ(ReadUserString(std::wstring(kSettingsKey) + L"\\Maker", L"Data"),
              std::wstring(L"490123456789"));
    EXPECT_EQ(ReadUserString(std::wstring(kSettingsKey) + L"\\Maker", L"Format"),
              std::wstring(L"pdf"));
    ClickButton(FindChild(usage, L"Button", L"終了(&X)"));
    EXPECT_EQ(run.WaitExit(), 0u);

    // The command line shown beside the picture, run in another folder.
    ASSERT_TRUE(PutClipboardText(L"before"));
    ScratchDir other;
    EXPECT_EQ(Run(L"/j13 /cd490123456789 /mw33 /dp600 /fmpdf " + DrOption(other.Path())), 0u);
    EXPECT_EQ(ReadFileBytes(saved / L"4901234567894.pdf"),
              ReadFileBytes(other / L"4901234567894.pdf"));
    EXPECT_FALSE(copied.empty());
    EXPECT_EQ(copied, ClipboardEmfBytes());
}

int BlackPixels(const Picture& picture) {
    return static_cast<int>(std::count(picture.pixels.begin(), picture.pixels.end(), 0u));
}

// The settings window shows the kind whose cell was edited, at the sizes
// its column holds.
TEST_F(MakerWindowTest, SettingsPreviewFollowsTheGrid) {
    Process run(L"", Cwd());
    const InteractiveWindows windows = OpenSettingsWindow(run);
    ASSERT_NE(windows.settings, nullptr);
    HWND preview = FindChild(windows.settings, L"MerrowinPicture");
    ASSERT_NE(preview, nullptr);
    // The tests run side by side on one display: the screen's pixels are the
    // preview's only while no other test's window covers it.
    ::SetWindowPos(windows.settings, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ASSERT_TRUE(WaitFor([&] { return BlackPixels(ScreenPixels(preview)) > 0; }));
    if (const char* shot = std::getenv("MERROWIN_SETTINGS_SCREENSHOT"))
        Screenshot(windows.settings, FromBuildPath(shot));
    const int tall = BlackPixels(ScreenPixels(preview));
    // Unchecking the defaults box enables the grid; a JAN-13 bar height of 10.
    ClickButton(FindChild(windows.settings, L"Button", L"常に既定値を適用する"));
    SetEditText(::GetDlgItem(windows.settings, win::kGridEditId + 1), L"10");
    ASSERT_TRUE(WaitFor([&] { return BlackPixels(ScreenPixels(preview)) < tall; }));
    // Nothing was applied: the store is untouched.
    ClickButton(FindChild(windows.settings, L"Button", L"キャンセル(&C)"));
    EXPECT_EQ(ReadUserString(std::wstring(kSettingsKey) + L"\\Jan13", L"BarHeight"), std::nullopt);
    ClickButton(FindChild(windows.usage, L"Button", L"終了(&X)"));
    EXPECT_EQ(run.WaitExit(), 0u);
}

// A value the window did not write (a number stored by hand) is reported
// in the store's words; the window opens with its default.
TEST_F(MakerWindowTest, StoredValueOfAnotherTypeIsReported) {
    SetSettingDword(L"Maker", L"Data", 7);
    SetSettingString(L"Maker", L"Kind", std::wstring(5000, L'x'));
    Process run(L"", Cwd());
    HWND usage = run.WaitForWindow(L"TForm2");
    ASSERT_NE(usage, nullptr);
    ClickButton(FindChild(usage, L"Button", kMakerButton));
    HWND box = run.WaitForMessageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), L"'Data' のデータ型が不正です.");
    PressOk(box);
    HWND maker = run.WaitForWindow(win::kMakerWindowClass);
    ASSERT_NE(maker, nullptr);
    EXPECT_EQ(TextOf(::GetDlgItem(maker, win::kMakerDataEdit)), L"");
    EXPECT_EQ(TextOf(::GetDlgItem(maker, win::kMakerKindCombo)), L"JAN-13");
    ClickButton(FindChild(usage, L"Button", L"終了(&X)"));
    EXPECT_EQ(run.WaitExit(), 0u);
}

}  // namespace
}  // namespace merrowin::e2e
