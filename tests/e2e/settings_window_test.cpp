// A start without arguments: the usage window, and the settings window it
// opens, driven by their handles; what they store is read back from the
// registry.
#include "settings/win/settings_window.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/e2e_test.h"

namespace merrowin::e2e {
namespace {

using win::kGridEditId;
using win::kGridUpDownId;

constexpr wchar_t kEraseTitle[] = L"レジストリを消去してもいいですか?";

// A control's rectangle in its parent's client coordinates.
RECT ClientRectIn(HWND control) {
    RECT rect{};
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool Checked(HWND box) {
    return ::SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SetText(HWND control, const std::wstring& text) {
    ::SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::optional<std::wstring> Stored(std::wstring_view section, std::wstring_view name) {
    return ReadUserString(std::wstring(kSettingsKey) + L"\\" + std::wstring(section), name);
}

class SettingsWindowTest : public E2eTest {
protected:
    // Starts without arguments and opens the settings window from the usage
    // window's settings button.
    HWND OpenSettings(Process& run) {
        const InteractiveWindows windows = OpenSettingsWindow(run);
        usage_ = windows.usage;
        return windows.settings;
    }
    HWND Edit(HWND form, int n) { return ::GetDlgItem(form, kGridEditId + n); }
    HWND Item(HWND form, int id) { return ::GetDlgItem(form, id); }
    // Clicks a button of the settings window and waits until it is hidden.
    bool ClickAndWaitHidden(HWND form, int id) {
        ClickButton(Item(form, id));
        return WaitFor([&] { return !::IsWindowVisible(form); });
    }
    void Quit(Process& run) {
        ClickButton(FindChild(usage_, L"Button", L"終了(&X)"));
        EXPECT_EQ(run.WaitExit(), 0u);
    }

    HWND usage_ = nullptr;
};

TEST_F(SettingsWindowTest, UsageWindowAsDesigned) {
    Process run(L"", Cwd());
    HWND usage = run.WaitForWindow(L"TForm2");
    ASSERT_NE(usage, nullptr);
    EXPECT_EQ(TextOf(usage), L"Merrowin\u3000Version 0.34");
    RECT outer{};
    ::GetWindowRect(usage, &outer);
    EXPECT_EQ(outer.right - outer.left, 305);
    EXPECT_EQ(outer.bottom - outer.top, 163);  // 131 and the maker button's row
    EXPECT_NEAR((outer.left + outer.right) / 2, ::GetSystemMetrics(SM_CXSCREEN) / 2, 1);

    struct Row {
        const wchar_t* className;
        const wchar_t* text;
        int left, top, width, height;  // width 0: sized to the text
    };
    const Row rows[] = {
        {L"Static", L"「Merrowin」は、コマンドライン専用です。", 24, 16, 0, 0},
        {L"Static", L"使用方法については、ヘルプをご覧ください。", 24, 32, 0, 0},
        {L"Button", L"設定(&S)", 16, 56, 75, 25},
        {L"Button", L"終了(&X)", 112, 56, 75, 25},
        {L"Button", L"ヘルプ(&H)", 208, 56, 75, 25},
        {L"Button", L"バーコードを作る(&M)...", 16, 88, 267, 25},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::PrintToString(std::wstring(row.text)));
        HWND control = FindChild(usage, row.className, row.text);
        ASSERT_NE(control, nullptr);
        RECT rect = ClientRectIn(control);
        EXPECT_EQ(rect.left, row.left);
        EXPECT_EQ(rect.top, row.top);
        if (row.width) {
            EXPECT_EQ(rect.right - rect.left, row.width);
            EXPECT_EQ(rect.bottom - rect.top, row.height);
        } else {
            EXPECT_GT(rect.right - rect.left, 100);
            EXPECT_GE(rect.bottom - rect.top, 12);
        }
    }

    // The settings window is modal over the usage window.
    ClickButton(FindChild(usage, L"Button", L"設定(&S)"));
    HWND form = run.WaitForWindow(L"TForm3");
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(TextOf(form), L"設定");
    ::GetWindowRect(form, &outer);
    EXPECT_EQ(outer.right - outer.left, 333);
    EXPECT_EQ(outer.bottom - outer.top, 543 + 64);  // and the preview
    EXPECT_FALSE(::IsWindowEnabled(usage));
    usage_ = usage;
    ASSERT_TRUE(ClickAndWaitHidden(form, win::kCancelButton));
    EXPECT_TRUE(::IsWindowEnabled(usage));
    EXPECT_EQ(Stored(L"Setting", L"Def"), std::nullopt);
    Quit(run);
}

TEST_F(SettingsWindowTest, NoStoredSettingsShowsDefaultsGreyed) {
    Process run(L"", Cwd());
    HWND form = OpenSettings(run);
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(Checked(Item(form, win::kDefaultsBox)));
    EXPECT_FALSE(Checked(Item(form, win::kFolderBox)));
    EXPECT_FALSE(::IsWindowEnabled(Item(form, win::kDefaultsButton)));
    EXPECT_FALSE(::IsWindowEnabled(Item(form, win::kFolderEdit)));
    EXPECT_FALSE(::IsWindowEnabled(Item(form, win::kBrowseButton)));
    EXPECT_EQ(TextOf(Item(form, win::kFolderEdit)), L"");
    for (const SettingsCell& cell : kSettingsCells) {
        SCOPED_TRACE(cell.edit);
        HWND edit = Edit(form, cell.edit);
        EXPECT_EQ(TextOf(edit), std::to_wstring(cell.fallback));
        EXPECT_FALSE(::IsWindowEnabled(edit));
        EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(form, kGridUpDownId + cell.edit)));
    }
    Quit(run);
}

// The disabled grid keeps its grey ground and still shows its numbers in
// the window-text colour, as read back from the screen.
TEST_F(SettingsWindowTest, DisabledGridNumbersAreLegible) {
    Process run(L"", Cwd());
    HWND form = OpenSettings(run);
    ASSERT_NE(form, nullptr);
    HWND edit = Edit(form, 1);
    ASSERT_FALSE(::IsWindowEnabled(edit));
    ::RedrawWindow(form, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT client{};
    ::GetClientRect(edit, &client);
    ::MapWindowPoints(edit, nullptr, reinterpret_cast<POINT*>(&client), 2);
    const COLORREF ground = ::GetSysColor(COLOR_GRAYTEXT);
    const COLORREF text = ::GetSysColor(COLOR_WINDOWTEXT);
    int groundPixels = 0;
    int textPixels = 0;
    WaitFor([&] {
        groundPixels = textPixels = 0;
        HDC screen = ::GetDC(nullptr);
        for (int y = client.top; y < client.bottom; ++y)
            for (int x = client.left; x < client.right; ++x) {
                const COLORREF pixel = ::GetPixel(screen, x, y);
                groundPixels += pixel == ground;
                textPixels += pixel == text;
            }
        ::ReleaseDC(nullptr, screen);
        return textPixels > 10;
    });
    EXPECT_GT(groundPixels, (client.right - client.left) * (client.bottom - client.top) / 2);
    EXPECT_GT(textPixels, 10);
    Quit(run);
}

TEST_F(SettingsWindowTest, LayoutAndTabOrder) {
    Process run(L"", Cwd());
    HWND form = OpenSettings(run);
    ASSERT_NE(form, nullptr);
    struct Row {
        int id;
        const wchar_t* text;
        int left, top, width, height;
    };
    const Row lower[] = {
        {win::kApplyButton, L"上の各設定値を適用する(&S)", 16, 440, 185, 25},
        {win::kDefaultsButton, L"既定値に戻す(&D)", 16, 472, 113, 25},
        {win::kCancelButton, L"キャンセル(&C)", 216, 440, 89, 25},
        {win::kDefaultsBox, L"常に既定値を適用する", 16, 360, 161, 17},
        {win::kEraseButton, L"レジストリの消去(E)", 160, 472, 145, 25},
        {win::kFolderBox, L"保存場所の指定", 16, 384, 121, 17},
        {win::kFolderEdit, L"", 32, 408, 217, 20},
        {win::kBrowseButton, L"参照", 256, 408, 49, 25},
    };
    auto expectAt = [](HWND control, int left, int top, int width, int height) {
        ASSERT_NE(control, nullptr);
        RECT rect = ClientRectIn(control);
        EXPECT_EQ(rect.left, left);
        EXPECT_EQ(rect.top, top);
        EXPECT_EQ(rect.right - rect.left, width);
        EXPECT_EQ(rect.bottom - rect.top, height);
    };
    std::vector<int> expectedOrder;
    for (const SettingsCell& cell : kSettingsCells) {
        SCOPED_TRACE(cell.edit);
        int left = 96 + 56 * (static_cast<int>(cell.kind) - 1);
        int top = 40 + 32 * static_cast<int>(cell.field);
        expectAt(Edit(form, cell.edit), left, top, 28, 20);
        expectAt(::GetDlgItem(form, kGridUpDownId + cell.edit), left + 28, top, 16, 20);
        expectedOrder.push_back(kGridEditId + cell.edit);
    }
    for (const Row& row : lower) {
        SCOPED_TRACE(row.id);
        EXPECT_EQ(TextOf(Item(form, row.id)), row.text);
        expectAt(Item(form, row.id), row.left, row.top, row.width, row.height);
        expectedOrder.push_back(row.id);
    }
    EXPECT_NE(FindChild(form, L"Static", L"初期設定"), nullptr);
    for (const wchar_t* heading :
         {L"JAN13", L"JAN8", L"ITF14", L"ITF16", L"バーの高さ", L"コピー倍率"})
        EXPECT_NE(FindChild(form, L"Static", heading), nullptr);

    // The tab order is the order of the tab stops among the children.
    std::vector<int> order;
    for (HWND child = ::GetWindow(form, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        if (::GetWindowLongW(child, GWL_STYLE) & WS_TABSTOP) order.push_back(::GetDlgCtrlID(child));
    EXPECT_EQ(order, expectedOrder);
    Quit(run);
}

// Each typed text, what the edit shows after the apply and what is stored.
TEST_F(SettingsWindowTest, ApplyClampsIntoBoundsAndStores) {
    struct Row {
        int edit;
        const wchar_t* typed;
        const wchar_t* shown;
        const wchar_t* section;
        const wchar_t* name;
        const wchar_t* stored;
    };
    const Row rows[] = {
        {1, L"150", L"100", L"Jan13", L"BarHeight", L"100"},
        {2, L"5", L"10", L"Jan8", L"BarHeight", L"10"},
        {5, L"007", L"007", L"Jan13", L"TopMargin", L"7"},
        {13, L"0", L"11", L"Jan13", L"LeftMargin", L"11"},
        {15, L"0", L"0", L"Itf14", L"LeftMargin", L"0"},
        {22, L"101", L"100", L"Itf16", L"InnerMargin", L"100"},
        {28, L"16", L"15", L"Itf16", L"FrameWidth", L"15"},
        {36, L"$1F", L"$1F", L"Itf16", L"CopyRate", L"31"},
    };
    Process run(L"", Cwd());
    HWND form = OpenSettings(run);
    ASSERT_NE(form, nullptr);
    ClickButton(Item(form, win::kDefaultsBox));
    ASSERT_TRUE(WaitFor([&] { return ::IsWindowEnabled(Edit(form, 1)) != FALSE; }));
    EXPECT_TRUE(::IsWindowEnabled(Item(form, win::kDefaultsButton)));
    for (const Row& row : rows) SetText(Edit(form, row.edit), row.typed);
    ASSERT_TRUE(ClickAndWaitHidden(form, win::kApplyButton));
    for (const Row& row : rows) {
        SCOPED_TRACE(row.edit);
        EXPECT_EQ(TextOf(Edit(form, row.edit)), row.shown);
        EXPECT_EQ(Stored(row.section, row.name), std::wstring(row.stored));
    }
    EXPECT_EQ(Stored(L"Jan8", L"InnerMargin"), std::nullopt);
    EXPECT_EQ(Stored(L"Itf14", L"FontSize"), L"13");
    EXPECT_EQ(Stored(L"Setting", L"Def"), L"1");
    EXPECT_EQ(Stored(L"Setting", L"DrChk"), L"0");
    EXPECT_EQ(Stored(L"Setting", L"SaveDr"), std::nullopt);
    Quit(run);
}

TEST_F(SettingsWindowTest, TextThatIsNoNumberStopsTheApply) {
    Process run(L"", Cwd());
    HWND form = OpenSettings(run);
    ASSERT_NE(form, nullptr);
    SetText(Edit(form, 1), L"150");
    SetText(Edit(form, 5), L"");
    ClickButton(Item(form, win::kApplyButton));
    HWND box = run.WaitForMessageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), L"'' は整数ではありません.");
    PressOk(box);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(box); }));
    EXPECT_TRUE(::IsWindowVisible(form));
    EXPECT_EQ(TextOf(Edit(form, 1)), L"100");
    EXPECT_EQ(Stored(L"Jan13", L"BarHeight"), std::nullopt);
    EXPECT_EQ(Stored(L"Setting", L"Def"), std::nullopt);
    Quit(run);
}

TEST_F(SettingsWindowTest, GridEditsTakeOnlyDigitsAndBackspace) {
    Process run(L"", Cwd());
    HWND form = OpenSettings(run);
    ASSERT_NE(form, nullptr);
    ClickButton(Item(form, win::kDefaultsBox));
    HWND edit = Edit(form, 1);
    ASSERT_TRUE(WaitFor([&] { return ::IsWindowEnabled(edit) != FALSE; }));
    SetText(edit, L"");
    for (wchar_t key : std::wstring(L"a-1 x2\b3+\u3042\r\x16"))
        ::SendMessageW(edit, WM_CHAR, key, 1);
    EXPECT_EQ(TextOf(edit), L"13");
    Quit(run);
}

TEST_F(SettingsWindowTest, StoredNumbersAreShownOnlyWhileInForce) {
    struct Row {
        const char* name;
        const wchar_t* def;
        bool gridEnabled;
        const wchar_t* edit1;
        const wchar_t* edit36;
    };
    const Row rows[] = {
        {"1 stored values in force, out of bounds shown as stored", L"1", true, L"300", L"100"},
        {"2 built-in defaults in force", L"0", false, L"60", L"100"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        DeleteSettingsKey();
        SetSettingString(L"Setting", L"Def", row.def);
        SetSettingString(L"Jan13", L"BarHeight", L"300");
        SetSettingString(L"Itf16", L"CopyRate", L"abc");
        Process run(L"", Cwd());
        HWND form = OpenSettings(run);
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(Checked(Item(form, win::kDefaultsBox)), !row.gridEnabled);
        EXPECT_EQ(::IsWindowEnabled(Edit(form, 1)) != FALSE, row.gridEnabled);
        EXPECT_EQ(TextOf(Edit(form, 1)), row.edit1);
        EXPECT_EQ(TextOf(Edit(form, 36)), row.edit36);
        Quit(run);
    }
}

// Def "0" over the user's numbers: unchecking and applying stores the
// built-in defaults over them.
TEST_F(SettingsWindowTest, ApplyInDefaultsModeStoresTheShownDefaults) {
    SetSettingString(L"Setting", L"Def", L"0");
    SetSettingString(L"Jan13", L"BarHeight", L"77");
    Process run(L"", Cwd());
    HWND form = OpenSettings(run);
    ASSERT_NE(form, nullptr);
    ClickButton(Item(form, win::kDefaultsBox));
    ASSERT_TRUE(WaitFor([&] { return !Checked(Item(form, win::kDefaultsBox)); }));
    ASSERT_TRUE(ClickAndWaitHidden(form, win::kApplyButton));
    EXPECT_EQ(Stored(L"Jan13", L"BarHeight"), L"60");
    EXPECT_EQ(Stored(L"Setting", L"Def"), L"1");
    Quit(run);
}

TEST_F(SettingsWindowTest, DefaultsButtonThenCancelStoresNothing) {
    SetSettingString(L"Setting", L"Def", L"1");
    SetSettingString(L"Jan13", L"BarHeight", L"77");
    Process run(L"", Cwd());
    HWND form = OpenSettings(run);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(TextOf(Edit(form, 1)), L"77");
    ClickButton(Item(form, win::kDefaultsButton));
    ASSERT_TRUE(WaitFor([&] { return TextOf(Edit(form, 1)) == L"60"; }));
    ASSERT_TRUE(ClickAndWaitHidden(form, win::kCancelButton));
    EXPECT_EQ(Stored(L"Jan13", L"BarHeight"), L"77");
    // The next showing starts from the store again.
    ClickButton(FindChild(usage_, L"Button", L"設定(&S)"));
    ASSERT_TRUE(WaitFor([&] { return ::IsWindowVisible(form) != FALSE; }));
    EXPECT_EQ(TextOf(Edit(form, 1)), L"77");
    ::PostMessageW(form, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindowVisible(form); }));
    Quit(run);
}

TEST_F(SettingsWindowTest, SaveFolderChoice) {
    SetSettingString(L"Setting", L"SaveDr", L"C:\\old");
    Process run(L"", Cwd());
    HWND form = OpenSettings(run);
    ASSERT_NE(form, nullptr);
    HWND edit37 = Item(form, win::kFolderEdit);
    EXPECT_EQ(TextOf(edit37), L"C:\\old");  // shown greyed while not in use
    EXPECT_FALSE(::IsWindowEnabled(edit37));

    // Checked with an empty folder: DrChk "1" and an empty SaveDr.
    ClickButton(Item(form, win::kFolderBox));
    ASSERT_TRUE(WaitFor([&] { return ::IsWindowEnabled(edit37) != FALSE; }));
    EXPECT_TRUE(::IsWindowEnabled(Item(form, win::kBrowseButton)));
    SetText(edit37, L"");
    ASSERT_TRUE(ClickAndWaitHidden(form, win::kApplyButton));
    EXPECT_EQ(Stored(L"Setting", L"DrChk"), L"1");
    EXPECT_EQ(Stored(L"Setting", L"SaveDr"), L"");

    // Unchecked: DrChk "0", and the folder text is not written.
    SetSettingString(L"Setting", L"SaveDr", L"D:\\kept");
    ClickButton(FindChild(usage_, L"Button", L"設定(&S)"));
    ASSERT_TRUE(WaitFor([&] { return ::IsWindowVisible(form) != FALSE; }));
    EXPECT_TRUE(Checked(Item(form, win::kFolderBox)));
    EXPECT_EQ(TextOf(edit37), L"D:\\kept");
    ClickButton(Item(form, win::kFolderBox));
    ASSERT_TRUE(WaitFor([&] { return !::IsWindowEnabled(edit37); }));
    SetText(edit37, L"E:\\typed");
    ASSERT_TRUE(ClickAndWaitHidden(form, win::kApplyButton));
    EXPECT_EQ(Stored(L"Setting", L"DrChk"), L"0");
    EXPECT_EQ(Stored(L"Setting", L"SaveDr"), L"D:\\kept");
    Quit(run);
}

// The shell and COM libraries of the picker are loaded on demand: the
// picker must still open, and a cancel leaves the folder text alone.
TEST_F(SettingsWindowTest, BrowseOpensThePickerAndCancelKeepsTheFolder) {
    SetSettingString(L"Setting", L"DrChk", L"1");
    SetSettingString(L"Setting", L"SaveDr", L"C:\\windows");
    Process run(L"", Cwd());
    HWND form = OpenSettings(run);
    ASSERT_NE(form, nullptr);
    HWND edit37 = Item(form, win::kFolderEdit);
    SetText(edit37, L"C:\\typed");
    ClickButton(Item(form, win::kBrowseButton));
    HWND picker = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        for (HWND window : TopLevelWindows(run.Id()))
            if (window != form && window != usage_ && ::IsWindowVisible(window) &&
                ClassNameOf(window) == L"#32770")
                picker = window;
        return picker != nullptr;
    }));
    ::PostMessageW(picker, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(picker) || !::IsWindowVisible(picker); }));
    EXPECT_EQ(TextOf(edit37), L"C:\\typed");
    ::PostMessageW(form, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindowVisible(form); }));
    Quit(run);
}

TEST_F(SettingsWindowTest, EraseAsksFirst) {
    struct Row {
        const char* name;
        bool confirm;
    };
    const Row rows[] = {{"1 cancelled", false}, {"2 confirmed", true}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SetSettingString(L"Jan13", L"BarHeight", L"77");
        Process run(L"", Cwd());
        HWND form = OpenSettings(run);
        ASSERT_NE(form, nullptr);
        ClickButton(Item(form, win::kEraseButton));
        HWND box = run.WaitForMessageBox(kEraseTitle);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(MessageBoxText(box),
                  L"「OK」ボタンをクリックすると関連レジストリを消去し、「Merrowin」を終了します。"
                  L"アンインストールする場合は、その後「Merrowin」を起動しないで、"
                  L"インストールフォルダごと削除してください。");
        if (row.confirm) {
            PressOk(box);
            EXPECT_EQ(run.WaitExit(), 0u);
            EXPECT_FALSE(SettingsKeyExists());
            HKEY parent = nullptr;  // Software\Korvane itself stays
            EXPECT_EQ(
                ::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Korvane", 0, KEY_READ, &parent),
                ERROR_SUCCESS);
            if (parent) ::RegCloseKey(parent);
        } else {
            ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            ASSERT_TRUE(WaitFor([&] { return !::IsWindow(box); }));
            EXPECT_TRUE(::IsWindowVisible(form));
            EXPECT_EQ(Stored(L"Jan13", L"BarHeight"), L"77");
            ::PostMessageW(form, WM_CLOSE, 0, 0);
            ASSERT_TRUE(WaitFor([&] { return !::IsWindowVisible(form); }));
            Quit(run);
        }
    }
}

// A value of the wrong type is reported, and the window still shows.
TEST_F(SettingsWindowTest, WrongValueTypeIsReportedOnShowing) {
    SetSettingDword(L"Setting", L"DrChk", 1);
    Process run(L"", Cwd());
    HWND usage = run.WaitForWindow(L"TForm2");
    ASSERT_NE(usage, nullptr);
    usage_ = usage;
    ClickButton(FindChild(usage, L"Button", L"設定(&S)"));
    HWND box = run.WaitForMessageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), L"'DrChk' のデータ型が不正です.");
    PressOk(box);
    HWND form = run.WaitForWindow(L"TForm3");
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(Checked(Item(form, win::kDefaultsBox)));
    ::PostMessageW(form, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindowVisible(form); }));
    Quit(run);
}

}  // namespace
}  // namespace merrowin::e2e
