// Generation runs that read the stored settings (Setting\Def, DrChk, SaveDr
// and the sizes of each symbology), and the walk a user takes from the
// settings window to a run and on to an erased store.
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "settings/win/settings_window.h"
#include "tests/e2e/e2e_test.h"

namespace merrowin::e2e {
namespace {

constexpr wchar_t kShellFolders[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

using Stored = std::vector<std::pair<const wchar_t*, const wchar_t*>>;  // Jan13 name, text

// The first run of black rows in column x: {top, one past the bottom}.
std::pair<int, int> BlackRows(const Picture& picture, int x) {
    int y = 0;
    while (y < picture.height && !picture.IsBlack(x, y)) ++y;
    const int top = y;
    while (y < picture.height && picture.IsBlack(x, y)) ++y;
    return {top, y};
}

class StoredSettingsTest : public E2eTest {
protected:
    // Saves /j13 of kJanData into the scratch folder; its header and the
    // rows of the data bar that starts 12 units right of the first module
    // (the 9 of the left half, "0001011"), at x0 = 2 * left margin.
    struct Jan13Picture {
        SIZE frame{};
        std::pair<int, int> bar;
    };
    Jan13Picture SaveJan13(std::wstring_view options, int x0) {
        const std::wstring path = out_ / kJanFile;
        EXPECT_EQ(Run(std::wstring(L"/j13 ") + kJanData + L" /fl /nc " + std::wstring(options) +
                      L" " + DrOption(out_.Path())),
                  0u);
        Jan13Picture result;
        HENHMETAFILE emf = ::GetEnhMetaFileW(path.c_str());
        if (!emf) {
            ADD_FAILURE() << "no readable picture";
            return result;
        }
        result.frame = FramePixels(*EmfHeader(emf));
        const Picture picture = RenderEmf(emf, result.frame.cx, result.frame.cy);
        ::DeleteEnhMetaFile(emf);
        ::DeleteFileW(path.c_str());
        result.bar = BlackRows(picture, x0 + 12);
        EXPECT_EQ(BlackRows(picture, x0 + 13), result.bar);
        return result;
    }
};

// JAN-13: W = 2L + 2R + 190, H = 2T + 2B + 2BH + G + 20; the data bars run
// from row 2T to row 2T + 2BH. A stored number reaches an 8-bit size field
// with its low eight bits only.
TEST_F(StoredSettingsTest, StoredSizesShapeThePicture) {
    struct Row {
        const char* name;
        const wchar_t* def;
        Stored stored;
        const wchar_t* options;
        int left;  // the left margin in force
        int width, height, barTop, barBottom;
    };
    const Row rows[] = {
        {"1 stored bar height", L"1", {{L"BarHeight", L"40"}}, L"", 11, 226, 114, 6, 86},
        {"2 every stored size",
         L"1",
         {{L"LeftMargin", L"20"},
          {L"RightMargin", L"9"},
          {L"TopMargin", L"5"},
          {L"BottomMargin", L"4"},
          {L"BarHeight", L"40"},
          {L"Gap", L"4"}},
         L"",
         20,
         248,
         10 + 8 + 80 + 4 + 20,
         10,
         90},
        {"3 stored numbers not in force",
         L"0",
         {{L"BarHeight", L"40"}, {L"TopMargin", L"5"}, {L"LeftMargin", L"20"}},
         L"",
         11,
         226,
         154,
         6,
         126},
        {"4 stored top margin 300 acts as 44",
         L"1",
         {{L"TopMargin", L"300"}},
         L"",
         11,
         226,
         88 + 6 + 120 + 2 + 20,
         88,
         208},
        {"5 options over stored sizes",
         L"1",
         {{L"LeftMargin", L"20"}, {L"BarHeight", L"40"}},
         L"/lm15 /bh50",
         15,
         30 + 14 + 190,
         6 + 6 + 100 + 2 + 20,
         6,
         106},
        {"6 stored text that is no number",
         L"1",
         {{L"BarHeight", L"tall"}},
         L"",
         11,
         226,
         154,
         6,
         126},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        DeleteSettingsKey();
        SetSettingString(L"Setting", L"Def", row.def);
        for (const auto& [name, text] : row.stored) SetSettingString(L"Jan13", name, text);
        const Jan13Picture picture = SaveJan13(row.options, 2 * row.left);
        EXPECT_EQ(picture.frame.cx, row.width);
        EXPECT_EQ(picture.frame.cy, row.height);
        EXPECT_EQ(picture.bar, std::make_pair(row.barTop, row.barBottom));
    }
}

// The stored save folder (Setting\DrChk, Setting\SaveDr) and "dr" over it.
TEST_F(StoredSettingsTest, StoredSaveFolder) {
    const std::wstring stored = out_ / L"stored";
    const std::wstring given = out_ / L"given";
    const std::wstring unique = L"merrowin-e2e-" + std::to_wstring(::GetCurrentProcessId());
    const auto personal = ReadUserString(kShellFolders, L"Personal");
    ASSERT_TRUE(personal.has_value());
    ASSERT_TRUE(DirectoryExists(*personal));
    MakeDirectory(stored);
    MakeDirectory(given);

    struct Row {
        const char* name;
        const wchar_t* drChk;
        std::wstring saveDr;
        std::wstring options;
        std::wstring folder;
    };
    const std::vector<Row> rows = {
        {"1 stored folder in force", L"1", stored, L"", stored},
        {"2 dr wins over the stored folder", L"1", stored, DrOption(given), given},
        {"3 empty dr discards the stored folder", L"1", stored, L"/dr", *personal},
        {"4 stored folder not in force", L"0", stored, L"", *personal},
        {"5 stored folder that does not exist", L"1", out_ / L"gone", L"", Cwd()},
        {"6 stored empty folder", L"1", L"", L"", *personal},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        DeleteSettingsKey();
        SetSettingString(L"Setting", L"DrChk", row.drChk);
        SetSettingString(L"Setting", L"SaveDr", row.saveDr);
        const std::wstring path = row.folder + L"\\" + unique + L".emf";
        EXPECT_EQ(
            Run(std::wstring(L"/j13 ") + kJanData + L" /nc /fl" + unique + L" " + row.options), 0u);
        EXPECT_TRUE(FileExists(path));
        ::DeleteFileW(path.c_str());
        if (row.folder != Cwd()) {
            EXPECT_TRUE(FilesIn(Cwd()).empty());
        }
    }
}

// Stored sizes in force do not make an unknown switch usable.
TEST_F(StoredSettingsTest, UnrecognisedSwitchWithStoredSizesIsAnErrorState) {
    SetSettingString(L"Setting", L"Def", L"1");
    SetSettingString(L"Jan13", L"BarHeight", L"40");
    Process run(std::wstring(L"/x13 ") + kJanData + L" /fl /nc " + DrOption(out_.Path()), Cwd());
    HWND status = run.WaitForStatusWindow();
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(TextOf(FindChild(status, L"Static")), L"コマンドが正しくありません。");
    HWND button = FindChild(status, L"Button", L"終了(&X)");
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(::IsWindowVisible(button));
    ClickButton(button);
    EXPECT_EQ(run.WaitExit(), 1u);
    EXPECT_TRUE(FilesIn(out_.Path()).empty());
}

// Stored sizes that give no barcode (the digits outside the picture, no
// bars) end in the stored-size error state with nothing written; the
// settings window's largest font in its narrowest pictures is a barcode in
// the real font.
TEST_F(StoredSettingsTest, StoredSizesThatGiveNoBarcode) {
    struct Row {
        const char* name;
        const wchar_t* args;
        const wchar_t* section;
        Stored stored;
        bool barcode;
    };
    const Row rows[] = {
        {"1 font 40", L"/j8f /cd4901234", L"Jan8", {{L"FontSize", L"40"}}, false},
        {"2 bar height 0", L"/j13b /cd490123456789", L"Jan13", {{L"BarHeight", L"0"}}, false},
        {"3 font 28 after T", L"/j13t /cd490123456789", L"Jan13", {{L"FontSize", L"28"}}, true},
        {"4 font 28 without margins",
         L"/i16 /cd123456789012345",
         L"Itf16",
         {{L"FontSize", L"28"}, {L"LeftMargin", L"0"}, {L"RightMargin", L"0"}},
         true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        DeleteSettingsKey();
        SetSettingString(L"Setting", L"Def", L"1");
        for (const auto& [name, text] : row.stored) SetSettingString(row.section, name, text);
        const std::wstring args = std::wstring(row.args) + L" /fl /nc " + DrOption(out_.Path());
        if (row.barcode) {
            EXPECT_EQ(Run(args), 0u);
            EXPECT_EQ(FilesIn(out_.Path()).size(), 1u);
            for (const std::wstring& file : FilesIn(out_.Path()))
                ::DeleteFileW((out_ / file).c_str());
            continue;
        }
        Process run(args, Cwd());
        HWND status = run.WaitForStatusWindow();
        ASSERT_NE(status, nullptr);
        EXPECT_EQ(TextOf(FindChild(status, L"Static")), L"設定のサイズでは図を作れません。");
        HWND button = FindChild(status, L"Button", L"終了(&X)");
        ASSERT_NE(button, nullptr);
        ClickButton(button);
        EXPECT_EQ(run.WaitExit(), 1u);
        EXPECT_TRUE(FilesIn(out_.Path()).empty());
    }
}

// A user's walk: the bar height set in the settings window shapes the next
// run; erasing the store ends the program and brings the defaults back.
TEST_F(StoredSettingsTest, SettingsWindowToRunAndErase) {
    {
        Process run(L"", Cwd());
        const auto [usage, form] = OpenSettingsWindow(run);
        ASSERT_NE(form, nullptr);
        HWND edit1 = ::GetDlgItem(form, win::kGridEditId + 1);
        ClickButton(FindChild(form, L"Button", L"常に既定値を適用する"));
        ASSERT_TRUE(WaitFor([&] { return ::IsWindowEnabled(edit1) != FALSE; }));
        ::SendMessageW(edit1, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"40"));
        ClickButton(FindChild(form, L"Button", L"上の各設定値を適用する(&S)"));
        ASSERT_TRUE(WaitFor([&] { return !::IsWindowVisible(form); }));
        EXPECT_TRUE(::IsWindowVisible(usage));
        EXPECT_TRUE(::IsWindowEnabled(usage));
        ::PostMessageW(usage, WM_SYSCOMMAND, SC_CLOSE, 0);  // the close box
        EXPECT_EQ(run.WaitExit(), 0u);
    }
    Jan13Picture picture = SaveJan13(L"", 22);
    EXPECT_EQ(picture.frame.cy, 114);
    EXPECT_EQ(picture.bar, std::make_pair(6, 86));

    {
        Process run(L"", Cwd());
        const auto [usage, form] = OpenSettingsWindow(run);
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(TextOf(::GetDlgItem(form, win::kGridEditId + 1)), L"40");
        ClickButton(FindChild(form, L"Button", L"レジストリの消去(E)"));
        HWND box = run.WaitForMessageBox(L"レジストリを消去してもいいですか?");
        ASSERT_NE(box, nullptr);
        PressOk(box);
        EXPECT_EQ(run.WaitExit(), 0u);
        EXPECT_FALSE(SettingsKeyExists());
    }
    picture = SaveJan13(L"", 22);
    EXPECT_EQ(picture.frame.cy, 154);
    EXPECT_EQ(picture.bar, std::make_pair(6, 126));
}

}  // namespace
}  // namespace merrowin::e2e
