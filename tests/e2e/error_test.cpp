// Runs that cannot make a symbol: the status window's error state, the
// error box of a failed operation, and that nothing is written or copied.
#include <functional>
#include <string>
#include <vector>

#include "tests/e2e/e2e_test.h"

namespace merrowin::e2e {
namespace {

constexpr wchar_t kMarker[] = L"text the failed run must not touch";
constexpr wchar_t kBadCommand[] = L"コマンドが正しくありません。";
constexpr wchar_t kExitCaption[] = L"終了(&X)";
constexpr wchar_t kFailed[] = L"バーコードを作成できませんでした。";
// A point of the status window's own background, away from label and button.
constexpr int kBackgroundX = 4;
constexpr int kBackgroundY = 4;

// The status text's first pixel.
constexpr int kLabelX = 17;
constexpr int kLabelY = 17;

enum class CloseBy { Button, DoubleClick, Enter, Escape };

void PressKey(HWND target, UINT key) {
    ::PostMessageW(target, WM_KEYDOWN, key, 1);
    ::PostMessageW(target, WM_KEYUP, key, 0xC0000001);
}

// Waits until the status window has handled everything posted to it so far:
// one thread's posted messages are handled in order, so a style change
// posted last shows when the ones before it are done.
bool HandledSoFar(HWND button) {
    const LONG style = ::GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK;
    const LONG marker = style == BS_DEFPUSHBUTTON ? BS_PUSHBUTTON : BS_DEFPUSHBUTTON;
    ::PostMessageW(button, BM_SETSTYLE, marker, FALSE);
    return WaitFor([&] { return (::GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK) == marker; });
}

class ErrorTest : public E2eTest {
protected:
    // Checks the status window's line and its exit button, which every
    // window that stays shows, then closes it.
    void ExpectStatusAndClose(Process& run, const wchar_t* label, CloseBy closeBy) {
        HWND status = run.WaitForStatusWindow();
        ASSERT_NE(status, nullptr) << "no status window";
        EXPECT_EQ(TextOf(status), L"Merrowin");
        HWND line = FindChild(status, L"Static");
        ASSERT_NE(line, nullptr);
        EXPECT_EQ(TextOf(line), label);
        HWND button = FindChild(status, L"Button", kExitCaption);
        ASSERT_NE(button, nullptr);
        EXPECT_TRUE(::IsWindowVisible(button));
        // The exit button is the default one (Enter), and the status line
        // ends before it, both inside the window.
        const LRESULT defId = ::SendMessageW(status, DM_GETDEFID, 0, 0);
        EXPECT_EQ(HIWORD(defId), DC_HASDEFID);
        EXPECT_EQ(LOWORD(defId), ::GetDlgCtrlID(button));
        RECT window{};
        RECT text{};
        RECT exit{};
        ::GetWindowRect(status, &window);
        ::GetWindowRect(line, &text);
        ::GetWindowRect(button, &exit);
        EXPECT_LE(text.right, exit.left) << "the status line runs under the button";
        EXPECT_LE(exit.right, window.right);
        EXPECT_LE(exit.bottom, window.bottom);
        switch (closeBy) {
            case CloseBy::Button:
                ClickButton(button);
                break;
            case CloseBy::DoubleClick:
                DoubleClick(status, kBackgroundX, kBackgroundY);
                break;
            case CloseBy::Enter:
                PressKey(button, VK_RETURN);
                break;
            case CloseBy::Escape:
                PressKey(button, VK_ESCAPE);
                break;
        }
        EXPECT_EQ(run.WaitExit(), 1u);
    }

    void ExpectNothingOutput() {
        EXPECT_TRUE(FilesIn(out_.Path()).empty());
        EXPECT_TRUE(FilesIn(Cwd()).empty());
        EXPECT_EQ(ClipboardText(), std::wstring(kMarker));
        EXPECT_FALSE(ClipboardHasEmf());
    }
};

// Command lines that take no usable data: "コマンドが正しくありません。" and
// the exit button; the window stays until it is closed.
TEST_F(ErrorTest, ErrorStateWindow) {
    struct Row {
        const char* name;
        const wchar_t* args;
        CloseBy closeBy;
    };
    const Row rows[] = {
        {"1 unrecognised switch, valid data", L"/x13 /cd490123456789 /fl", CloseBy::Button},
        {"2 switch with a trailing letter", L"/j13x /cd490123456789 /fl", CloseBy::Enter},
        {"3 switch without a prefix", L"j13 /cd490123456789 /fl", CloseBy::DoubleClick},
        {"4 switch alone", L"/j13", CloseBy::Escape},
        {"5 options but no data", L"/i14f /bh50 /fl", CloseBy::DoubleClick},
        {"6 JAN-13 data too short", L"/j13 /cd49012345678 /fl", CloseBy::Button},
        {"7 JAN-8 data too short", L"/j8 /cd490123 /fl", CloseBy::Button},
        {"8 ITF-16 data too short", L"/i16 /cd12345678901234 /fl", CloseBy::Button},
        {"9 empty data", L"/j13 /cd /fl", CloseBy::Button},
        {"10 copy rate 0", L"/j13 /cd490123456789 /cr00 /fl", CloseBy::Button},
        {"11 negative copy rate", L"/j13 /cd490123456789 /cr-5 /fl", CloseBy::DoubleClick},
        {"12 quoted switch with a blank", L"\"/j8f \" /cd4901234 /fl", CloseBy::Button},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_TRUE(PutClipboardText(kMarker));
        Process run(std::wstring(row.args) + L" " + DrOption(out_.Path()), Cwd());
        ExpectStatusAndClose(run, kBadCommand, row.closeBy);
        ExpectNothingOutput();
    }
}

// What does not close the status window: a double-click on the status
// text, in the error state and after an error box.
TEST_F(ErrorTest, StatusWindowStaysForWhatIsNotItsExit) {
    struct Row {
        const char* name;
        const wchar_t* args;
        bool errorBox;
        const wchar_t* label;
    };
    const Row rows[] = {
        {"1 error state", L"/j13", false, kBadCommand},
        {"2 stopped by a conversion error", L"/j13 /tmab /cd490123456789", true, kFailed},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Process run(row.args, Cwd());
        if (row.errorBox) {
            HWND box = run.WaitForMessageBox();
            ASSERT_NE(box, nullptr) << "no error box";
            PressOk(box);
        }
        HWND status = run.WaitForStatusWindow();
        ASSERT_NE(status, nullptr) << "no status window";
        HWND button = FindChild(status, L"Button", kExitCaption);
        ASSERT_NE(button, nullptr);
        DoubleClick(status, kLabelX, kLabelY);
        ASSERT_TRUE(HandledSoFar(button));
        EXPECT_TRUE(run.Running());
        ExpectStatusAndClose(run, row.label, CloseBy::Button);
    }
}

// The command line is fine: the status line points at the stored setting.
TEST_F(ErrorTest, StoredCopyRateZeroEndsInErrorState) {
    SetSettingString(L"Setting", L"Def", L"1");
    SetSettingString(L"Jan13", L"CopyRate", L"0");
    ASSERT_TRUE(PutClipboardText(kMarker));
    Process run(std::wstring(L"/j13 ") + kJanData + L" /fl " + DrOption(out_.Path()), Cwd());
    ExpectStatusAndClose(run, L"設定のサイズでは図を作れません。", CloseBy::Button);
    ExpectNothingOutput();
}

// A failure stops the run with the error box "Merrowin"; after OK the status
// window says that the run failed, with its exit button: Esc closes it.
TEST_F(ErrorTest, ErrorBoxStopsTheRun) {
    struct Row {
        const char* name;
        const wchar_t* args;
        std::function<void()> setUp;
        const wchar_t* message;
    };
    const Row rows[] = {
        {"1 size that is not a number",
         L"/j13 /tmab /cd490123456789 /fl",
         {},
         L"'ab' は整数ではありません."},
        {"2 letter in the data", L"/j13 /cd49012345678x /fl", {}, L"'x' は整数ではありません."},
        {"3 letter in the data with a name given",
         L"/j13 /fllabel /cd4901234x6789",
         {},
         L"'x' は整数ではありません."},
        {"4 ITF letter in the data with a name given",
         L"/i14 /fllabel /cd14901234567y8",
         {},
         L"'y' は整数ではありません."},
        {"5 bad size after an unknown switch",
         L"/x13 /bhxy /cd490123456789 /fl",
         {},
         L"'xy' は整数ではありません."},
        {"6 stored number of the wrong type", L"/j13 /cd490123456789 /fl",
         [] {
             SetSettingString(L"Setting", L"Def", L"1");
             SetSettingDword(L"Jan13", L"BarHeight", 60);
         },
         L"'BarHeight' のデータ型が不正です."},
        // Stored sizes may hold any number: a picture the metafile cannot
        // hold is refused before anything goes out.
        {"7 stored bar height too large for a picture", L"/j13 /cd490123456789 /fl",
         [] {
             SetSettingString(L"Setting", L"Def", L"1");
             SetSettingString(L"Jan13", L"BarHeight", L"2147483647");
         },
         L"図の大きさ 226 x 2147483647 が大きすぎます."},
        {"8 stored copy rate too large for a picture", L"/i14f /cd1490123456789 /fl",
         [] {
             SetSettingString(L"Setting", L"Def", L"1");
             SetSettingString(L"Itf14", L"CopyRate", L"$7FFFFFFF");
         },
         L"図の大きさ 2147483647 x 2147483647 が大きすぎます."},
        // Options that change the code are refused, never ignored.
        {"9 carton code from a JAN with a wrong check digit",
         L"/i14f /id1 /cd4901234567890 /fl",
         {},
         L"チェックデジットが違います (正しくは 4)"},
        {"10 indicator outside 1 to 8",
         L"/i14h /id9 /cd490123456789 /fl",
         {},
         L"インジケータ「9」は使えません。/id の値は 1～8 の 1 桁です."},
        {"11 carton code with ITF-16",
         L"/i16f /id1 /cd490123456789 /fl",
         {},
         L"/id (集合包装用商品コード) は ITF-14 (/i14、/i14f、/i14h) でだけ使えます."},
        {"12 add-on of three digits",
         L"/j13 /cd491012345014 /ad123 /fl",
         {},
         L"アドオン「123」は使えません。/ad の値は 2 桁か 5 桁の数字です."},
        {"13 add-on with JAN-8",
         L"/j8 /cd4901234 /ad12 /fl",
         {},
         L"/ad (アドオン) は JAN-13 (/j13、/j13b、/j13t) でだけ使えます."},
        // A bar width reduction of half the printed module or more: on
        // 203 dpi dots 190 um are 2 dots of a 3-dot module; without dots
        // 500 um are half of ITF's nominal 1.00 mm.
        {"14 reduction of two thirds of a module on dots",
         L"/j13 /cd490123456789 /dp203 /bw190 /fl",
         {},
         L"バー幅の縮小 190 µm がモジュール幅 0.375 mm の半分以上です."},
        {"15 reduction of half a module",
         L"/i14 /cd1490123456789 /bw500 /ol /fl",
         {},
         L"バー幅の縮小 500 µm がモジュール幅 1.000 mm の半分以上です."},
        // A file format that is not one: nothing is written, not even the
        // clipboard's metafile.
        {"16 unknown file format",
         L"/j13 /cd490123456789 /fmtiff",
         {},
         L"ファイル形式「tiff」は使えません。/fm の値は emf、eps、pdf、svg、png のどれかです."},
        {"17 file format left out",
         L"/i14 /fm /cd1490123456789 /nc",
         {},
         L"/fm にファイル形式がありません。/fm の値は emf、eps、pdf、svg、png のどれかです."},
        // The book code: its three parts are checked, and its options
        // belong to it alone.
        {"18 book code with a wrong ISBN check digit",
         L"/bk /cd978-4-10-101001-6 /cc0193 /pr820 /fl",
         {},
         L"ISBN のチェックデジットが違います (正しくは 4)"},
        {"19 book code with an empty group of the ISBN",
         L"/bk /cd978-4--101001-4 /cc0193 /pr820 /fl",
         {},
         L"ISBN「978-4--101001-4」のハイフンの位置が違います。978-4-949999-12-0 のように 5 "
         L"つに区切るか、数字だけで書いてください."},
        {"20 book code without its price",
         L"/bk /cd9784101010014 /cc0193 /fl",
         {},
         L"書籍JANコード (/bk) には Cコード (/cc) と本体価格 (/pr) を指定してください."},
        {"21 Cコード with a JAN-13",
         L"/j13 /cd490123456789 /cc0193 /fl",
         {},
         L"/cc (Cコード) と /pr (本体価格) は書籍JANコード (/bk) でだけ使えます."},
        // The payment slip (GS1 Japan's example 9191...0003): a refusal of
        // its data and one of its size, each field's and each printer's
        // refusal tested natively.
        {"22 payment slip with a wrong check digit",
         L"/cv /cd91912345012345678901234567890101033101230004 /fl",
         {},
         L"チェックデジットが違います (正しくは 3)"},
        {"23 payment slip on a 203 dpi printer",
         L"/cv /cd9191234501234567890123456789010103310123000 /dp203 /fmpdf",
         {},
         L"203 dpi のプリンターでは 60 mm に収まるモジュールが 1 ドット (0.125 mm) で、"
         L"読み取れる幅になりません。印刷できるのは 300、600、720、1200、2400 dpi "
         L"のプリンターです."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        DeleteSettingsKey();
        if (row.setUp) row.setUp();
        ASSERT_TRUE(PutClipboardText(kMarker));
        Process run(std::wstring(row.args) + L" " + DrOption(out_.Path()), Cwd());
        HWND box = run.WaitForMessageBox();
        ASSERT_NE(box, nullptr) << "no error box";
        EXPECT_EQ(MessageBoxText(box), row.message);
        PressOk(box);
        ExpectStatusAndClose(run, kFailed, CloseBy::Escape);
        ExpectNothingOutput();
    }
}

TEST_F(ErrorTest, BusyClipboardStopsTheRunBeforeTheFile) {
    ASSERT_TRUE(PutClipboardText(kMarker));
    ClipboardHold hold;
    ASSERT_TRUE(hold.Held());
    Process run(std::wstring(L"/j13 ") + kJanData + L" /fl " + DrOption(out_.Path()), Cwd());
    HWND box = run.WaitForMessageBox();
    hold.Release();
    ASSERT_NE(box, nullptr) << "no error box";
    EXPECT_EQ(MessageBoxText(box), L"クリップボードを開くことができません.");
    PressOk(box);
    ExpectStatusAndClose(run, kFailed, CloseBy::Enter);
    ExpectNothingOutput();
}

// A file that cannot be created: the box names the full path. The clipboard
// was filled before the file was tried.
TEST_F(ErrorTest, FileThatCannotBeCreated) {
    struct Row {
        const char* name;
        const wchar_t* fileOption;
        const wchar_t* path;  // inside the output folder
    };
    const Row rows[] = {
        {"1 name the file system refuses", L"/flbad<name", L"bad<name.emf"},
        {"2 name with a wildcard", L"/flbad?name", L"bad?name.emf"},
        {"3 folder inside the name that does not exist", L"/flmissing\\nested\\name",
         L"missing\\nested\\name.emf"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Process run(std::wstring(L"/j13 ") + kJanData + L" " + row.fileOption + L" " +
                        DrOption(out_.Path()),
                    Cwd());
        HWND box = run.WaitForMessageBox();
        ASSERT_NE(box, nullptr) << "no error box";
        EXPECT_EQ(MessageBoxText(box), L"ファイル " + (out_ / row.path) + L" を作成できません.");
        PressOk(box);
        ExpectStatusAndClose(run, kFailed, CloseBy::Escape);
        EXPECT_TRUE(FilesIn(out_.Path()).empty());
        EXPECT_TRUE(FilesIn(Cwd()).empty());
        EXPECT_TRUE(ClipboardHasEmf());
    }
}

TEST_F(ErrorTest, ReadOnlyFileIsKept) {
    const std::wstring path = out_ / kJanFile;
    WriteFileBytes(path, "an older picture");
    ASSERT_TRUE(::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));

    Process run(std::wstring(L"/j13 ") + kJanData + L" /fl " + DrOption(out_.Path()), Cwd());
    HWND box = run.WaitForMessageBox();
    ASSERT_NE(box, nullptr) << "no error box";
    EXPECT_EQ(MessageBoxText(box), L"ファイル " + path + L" を作成できません.");
    PressOk(box);
    ExpectStatusAndClose(run, kFailed, CloseBy::DoubleClick);

    EXPECT_EQ(ReadFileBytes(path), "an older picture");
    EXPECT_TRUE(::GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(FilesIn(out_.Path()), std::vector<std::wstring>{kJanFile});
}

}  // namespace
}  // namespace merrowin::e2e
