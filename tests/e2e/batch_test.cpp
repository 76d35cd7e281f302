// Batch generation (/bt) end to end: a product list in, a folder of
// pictures and a report out, with the window's progress, 中止 and the
// error state; and what a batch killed halfway leaves behind.
#include "app/batch.h"

#include <windows.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "app/list/reader.h"
#include "app/save_path.h"
#include "common/errors.h"
#include "encode/check_digit.h"
#include "model/data_field.h"
#include "tests/e2e/e2e_test.h"

namespace merrowin::e2e {
namespace {

using BatchTest = E2eTest;

std::wstring Wide(std::string_view utf8) {
    std::wstring out(utf8.size(), L'\0');
    out.resize(static_cast<std::size_t>(
        ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(),
                              static_cast<int>(out.size()))));
    return out;
}
std::string Utf8(std::wstring_view wide) {
    std::string out(wide.size() * 3, '\0');
    out.resize(static_cast<std::size_t>(
        ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), out.data(),
                              static_cast<int>(out.size()), nullptr, nullptr)));
    return out;
}

std::string ReportHead(std::string_view encoding) {
    return "\xEF\xBB\xBF行\t状態\tデータ\t" + ReportTitleCell(encoding) + "\r\n";
}
// The name of the ANSI code page the exe reads a plain ASCII list in.
std::string AnsiName() {
    return EncodingName(ListEncoding::Ansi, ListCodePage(::GetACP()));
}

// The 12 data digits of JAN-13 number i, and the 13 with the check digit.
std::string Data(int i) {
    char text[16];
    wsprintfA(text, "49%010d", i);
    return text;
}
std::string WithCheck(int i) {
    return Data(i) + static_cast<char>('0' + CheckDigit("000" + Data(i)));
}

std::string Row(int line, const char* status, const std::string& data, const std::string& text) {
    return std::to_string(line) + "\t" + status + "\t" + data + "\t" + text + "\r\n";
}

// A list of `count` good lines, data only.
std::string PlainList(int count) {
    std::string list;
    for (int i = 0; i < count; ++i) list += Data(i) + "\r\n";
    return list;
}

HWND FindButton(HWND window, const wchar_t* text) {
    return FindChild(window, L"Button", text);
}

// The "n / N" label's n; -1 while there is none.
int Done(HWND window) {
    for (HWND child : ChildWindows(window)) {
        const std::wstring text = TextOf(child);
        const std::size_t slash = text.find(L" / ");
        if (slash != std::wstring::npos && ::IsWindowVisible(child))
            return _wtoi(text.substr(0, slash).c_str());
    }
    return -1;
}

// The batch window of a run once it shows line 100 done; nullptr when it
// did not come that far.
HWND WaitPastLine100(const Process& run) {
    const HWND window = run.WaitForWindow(L"TBatchForm");
    if (!window || !WaitFor([&] { return Done(window) >= 100; })) return nullptr;
    return window;
}

bool EndsWith(const std::wstring& text, std::wstring_view end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// Every kind of line in one list of a few hundred: the files, the report
// row by row, the summary and the exit status.
TEST_F(BatchTest, EveryKindOfLine) {
    const std::wstring folder = out_ / L"labels";
    MakeDirectory(folder);
    MakeDirectory(folder + L"\\dir.emf");  // a folder where a file should go
    WriteFileBytes(folder + L"\\old.emf", "old picture");
    const std::string prefix = Utf8(folder) + "\\";

    std::string list = "\xEF\xBB\xBF\"JAN\",\"品名\"\r\n";
    std::string report = ReportHead("UTF-8 (BOM)") + Row(1, "header", "JAN", "");
    std::set<std::wstring> files = {L"old.emf"};
    int line = 1;
    int made = 0;
    int errors = 0;
    const auto good = [&](const std::string& text, int i, const std::string& name) {
        list += text + "\r\n";
        report += Row(++line, "ok", WithCheck(i), prefix + name + ".emf");
        files.insert(Wide(name + ".emf"));
        ++made;
    };
    const auto bad = [&](const std::string& text, const std::string& data,
                         const std::string& error) {
        list += text + "\r\n";
        report += Row(++line, "error", data, error);
        ++errors;
    };
    for (int i = 0; i < 300; ++i) {
        const std::string n = std::to_string(i);
        switch (i % 15) {
            case 0:
                good(WithCheck(i), i, WithCheck(i));
                break;
            case 1:
                good(std::string("\"")
                         .append(WithCheck(i))
                         .append("\" , \"品名 ")
                         .append(n)
                         .append("\""),
                     i, "品名 " + n);
                break;
            case 2:
                list += "\r\n";
                ++line;
                break;
            case 3: {  // a typo in the check digit
                const char right = WithCheck(i).back();
                const std::string typo =
                    Data(i) + static_cast<char>(right == '9' ? '0' : right + 1);
                bad(typo, typo, CheckDigitMessage(right));
                break;
            }
            case 4:
                bad(Data(i).substr(0, 6) + "A" + Data(i).substr(7),
                    Data(i).substr(0, 6) + "A" + Data(i).substr(7), NotDigitMessage("A"));
                break;
            case 5:
                bad("4901-" + Data(i).substr(4), "4901-" + Data(i).substr(4), NotDigitMessage("-"));
                break;
            case 6:
                bad(Data(i).substr(1), Data(i).substr(1), DigitCountMessage(11, 12));
                break;
            case 7: {
                std::string wide;  // full-width digits, then a tab
                for (const char c : WithCheck(i))
                    wide += "\xEF\xBC" + std::string(1, static_cast<char>(0x90 + c - '0'));
                good(wide + "\tfw" + n, i, "fw" + n);
                break;
            }
            case 8:
                bad(WithCheck(i) + ",CON", WithCheck(i), DeviceNameMessage("CON"));
                break;
            case 9:
                bad(WithCheck(i) + ",a/b" + n, WithCheck(i), NameCharacterMessage("/"));
                break;
            case 10:
                bad(WithCheck(i) + ",end" + n + ".", WithCheck(i), std::string(kNameEndMessage));
                break;
            case 11:
                bad(WithCheck(i) + ",x" + n + ".emf", WithCheck(i), NameExtensionMessage(".emf"));
                break;
            case 12:
                good(WithCheck(i) + ";Label" + n, i, "Label" + n);
                break;
            case 13:
                bad(WithCheck(i) + ";LABEL" + std::to_string(i - 1), WithCheck(i),
                    DuplicateNameMessage("LABEL" + std::to_string(i - 1), line));
                break;
            case 14:
                bad(Data(i) + "," + std::string(5000, 'z'), "", std::string(kLineTooLongMessage));
                break;
        }
    }
    good(WithCheck(7) + ",old", 7, "old");
    bad(WithCheck(8) + ",dir", WithCheck(8), FileCreateMessage(prefix + "dir.emf"));
    WriteFileBytes(out_ / L"codes.csv", list);

    Process run(L"/j13 \"/bt" + out_ / L"codes.csv" + L"\" " + DrOption(folder), Cwd());
    const HWND window = run.WaitForWindow(L"TBatchForm");
    ASSERT_NE(window, nullptr);
    const std::string summary = BatchSummary(made + errors, made, errors);
    ASSERT_TRUE(WaitFor([&] { return FindButton(window, L"終了(&X)") != nullptr; }));
    EXPECT_NE(FindChild(window, L"Static", Wide(summary)), nullptr);
    EXPECT_NE(FindChild(window, L"Static", L"レポート: " + out_ / L"codes.report.tsv"), nullptr);
    ClickButton(FindButton(window, L"終了(&X)"));
    EXPECT_EQ(run.WaitExit(), 1u);

    EXPECT_EQ(ReadFileBytes(out_ / L"codes.report.tsv"), report);
    std::vector<std::wstring> found = FilesIn(folder);
    EXPECT_EQ(std::set<std::wstring>(found.begin(), found.end()), files);
    // The same bytes as a single run of the same number.
    ASSERT_EQ(Run(L"/j13 /cd" + Wide(Data(7)) + L" /flsingle /nc " + DrOption(out_.Path())), 0u);
    EXPECT_EQ(ReadFileBytes(folder + L"\\old.emf"), ReadFileBytes(out_ / L"single.emf"));
}

// Excel's "Unicode テキスト" (UTF-16LE, tab separated) with Japanese
// names, every line good: the process ends with 0, no window stays.
TEST_F(BatchTest, AllGoodEndsWithZero) {
    const std::wstring list = L"\uFEFF商品コード\t品名\r\n" + Wide(WithCheck(1)) +
                              L"\t品名 一\r\n" + Wide(WithCheck(2)) + L"\r\n";
    WriteFileBytes(out_ / L"unicode.txt",
                   std::string(reinterpret_cast<const char*>(list.data()), list.size() * 2));
    EXPECT_EQ(Run(L"/j13 /bt" + out_ / L"unicode.txt" + L" /cr50 " + DrOption(Cwd())), 0u);
    EXPECT_EQ(FilesIn(Cwd()),
              (std::vector<std::wstring>{Wide(WithCheck(2) + ".emf"), L"品名 一.emf"}));
    const std::string prefix = Utf8(Cwd()) + "\\";
    EXPECT_EQ(ReadFileBytes(out_ / L"unicode.report.tsv"),
              ReportHead("UTF-16") + Row(1, "header", "商品コード", "") +
                  Row(2, "ok", WithCheck(1), prefix + "品名 一.emf") +
                  Row(3, "ok", WithCheck(2), prefix + WithCheck(2) + ".emf"));
}

// A list of three books (CSV UTF-8 from Excel): ISBN with or without
// hyphens, Cコード, price, a name for one; each file the bytes a single /bk
// run saves.
TEST_F(BatchTest, ThreeBooks) {
    WriteFileBytes(out_ / L"books.csv",
                   "\xEF\xBB\xBFISBN,Cコード,本体価格,ファイル名\r\n"
                   "978-4-10-101001-4,0193,820\r\n"
                   "9784949999120,3000,2000,jpo\r\n"
                   "979-10-00000-00-8,0093,1500\r\n");
    EXPECT_EQ(Run(L"/bk /bt" + out_ / L"books.csv" + L" /mw33 " + DrOption(Cwd())), 0u);
    EXPECT_EQ(FilesIn(Cwd()),
              (std::vector<std::wstring>{L"9784101010014.emf", L"9791000000008.emf", L"jpo.emf"}));
    const std::string prefix = Utf8(Cwd()) + "\\";
    EXPECT_EQ(ReadFileBytes(out_ / L"books.report.tsv"),
              ReportHead("UTF-8 (BOM)") + Row(1, "header", "ISBN", "") +
                  Row(2, "ok", "9784101010014", prefix + "9784101010014.emf") +
                  Row(3, "ok", "9784949999120", prefix + "jpo.emf") +
                  Row(4, "ok", "9791000000008", prefix + "9791000000008.emf"));
    ASSERT_EQ(Run(L"/bk /cd978-4-10-101001-4 /cc0193 /pr820 /mw33 /flsingle /nc " +
                  DrOption(out_.Path())),
              0u);
    EXPECT_EQ(ReadFileBytes(Cwd() + L"\\9784101010014.emf"), ReadFileBytes(out_ / L"single.emf"));
}

// A month's payment slips by their parts (CSV UTF-8 from Excel, the
// amounts as Excel quotes a number with separators or a currency), the
// company code given once, one line as the whole 44 digits; each file the
// bytes a single /cv run saves. The check digits worked out beside the
// data rule's tests; 54,000 yen is stamped, 49,999 is not.
TEST_F(BatchTest, FiveBillsByParts) {
    WriteFileBytes(out_ / L"bills.csv",
                   "\xEF\xBB\xBF自由使用欄,支払期限日,金額,再発行区分,ファイル名\r\n"
                   "12345,2027/01/31,\"12,300\"\r\n"
                   "12346,2027-02-28,\"\u00A554,000\",1\r\n"
                   "12347,,8000\r\n"
                   "12348,2027/3/31,49999,0,tanaka\r\n"
                   "91912345012345678901234567890101033101230003\r\n");
    EXPECT_EQ(Run(L"/cv /bt" + out_ / L"bills.csv" + L" /cm912345 " + DrOption(Cwd())), 0u);
    const std::string prefix = Utf8(Cwd()) + "\\";
    EXPECT_EQ(
        ReadFileBytes(out_ / L"bills.report.tsv"),
        ReportHead("UTF-8 (BOM)") + Row(1, "header", "自由使用欄", "") +
            Row(2, "ok", "91912345123450000000000000000027013100123007",
                prefix + "91912345123450000000000000000027013100123007.emf") +
            Row(3, "ok", "91912345123460000000000000000127022810540000",
                prefix + "91912345123460000000000000000127022810540000.emf") +
            Row(4, "ok", "91912345123470000000000000000099999900080003",
                prefix + "91912345123470000000000000000099999900080003.emf") +
            Row(5, "ok", "91912345123480000000000000000027033100499996", prefix + "tanaka.emf") +
            Row(6, "ok", "91912345012345678901234567890101033101230003",
                prefix + "91912345012345678901234567890101033101230003.emf"));
    ASSERT_EQ(Run(L"/cv \"/cd(91)912345-1234800000000000000000 270331-0-049999-6\" /flsingle /nc " +
                  DrOption(out_.Path())),
              0u);
    EXPECT_EQ(ReadFileBytes(Cwd() + L"\\tanaka.emf"), ReadFileBytes(out_ / L"single.emf"));
}

// With /fm every line's file is in that format and the report names each;
// a name that ends in another extension keeps it. The files are the single
// run's. (A name ending in the format's own is the line's error, as ".emf"
// is without /fm: the list reader's tests.)
TEST_F(BatchTest, EveryFileInTheFormat) {
    WriteFileBytes(out_ / L"codes.csv", WithCheck(1) + "\r\n" + WithCheck(2) + ",label.emf\r\n");
    EXPECT_EQ(Run(L"/j13 /bt" + out_ / L"codes.csv" + L" /fmeps " + DrOption(Cwd())), 0u);
    EXPECT_EQ(FilesIn(Cwd()),
              (std::vector<std::wstring>{Wide(WithCheck(1) + ".eps"), L"label.emf.eps"}));
    const std::string prefix = Utf8(Cwd()) + "\\";
    EXPECT_EQ(ReadFileBytes(out_ / L"codes.report.tsv"),
              ReportHead(AnsiName()) + Row(1, "ok", WithCheck(1), prefix + WithCheck(1) + ".eps") +
                  Row(2, "ok", WithCheck(2), prefix + "label.emf.eps"));
    ASSERT_EQ(Run(L"/j13 /cd" + Wide(Data(1)) + L" /fmeps /flsingle /nc " + DrOption(out_.Path())),
              0u);
    EXPECT_EQ(ReadFileBytes(Cwd() + L"\\" + Wide(WithCheck(1) + ".eps")),
              ReadFileBytes(out_ / L"single.eps"));
}

// 中止 halfway: the batch stops after the current file; the report marks
// every line not reached as cancelled.
TEST_F(BatchTest, StoppedHalfway) {
    constexpr int kLines = 3000;
    WriteFileBytes(out_ / L"codes.csv", PlainList(kLines));
    Process run(L"/j13 /bt..\\codes.csv " + DrOption(Cwd()), Cwd());
    const HWND window = WaitPastLine100(run);
    ASSERT_NE(window, nullptr);
    ClickButton(FindButton(window, L"中止"));
    ASSERT_TRUE(WaitFor([&] { return FindButton(window, L"終了(&X)") != nullptr; }));
    const int made = static_cast<int>(FilesIn(Cwd()).size());
    EXPECT_GT(made, 0);
    EXPECT_LT(made, kLines);
    EXPECT_NE(
        FindChild(window, L"Static", Wide(BatchStoppedSummary(kLines, made, 0, kLines - made))),
        nullptr);
    ClickButton(FindButton(window, L"終了(&X)"));
    EXPECT_EQ(run.WaitExit(), 1u);

    std::string report = ReportHead(AnsiName());
    const std::string prefix = Utf8(Cwd()) + "\\";
    for (int i = 0; i < kLines; ++i)
        report += i < made ? Row(i + 1, "ok", WithCheck(i), prefix + WithCheck(i) + ".emf")
                           : Row(i + 1, "cancelled", WithCheck(i), "");
    EXPECT_EQ(ReadFileBytes(out_ / L"codes.report.tsv"), report);
}

// A report open in Excel (which shares nothing) cannot be replaced: the
// report goes beside it under the first free name, the window shows that
// name and the error box says why; the old report is left as it was.
TEST_F(BatchTest, HeldReportGetsAFreeName) {
    WriteFileBytes(out_ / L"codes.csv", PlainList(2) + "bad\r\n");
    WriteFileBytes(out_ / L"codes.report.tsv", "old report");
    WriteFileBytes(out_ / L"codes.report (2).tsv", "another report");
    const HANDLE held = ::CreateFileW((out_ / L"codes.report.tsv").c_str(), GENERIC_READ, 0,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    Process run(L"/j13 /bt..\\codes.csv " + DrOption(Cwd()), Cwd());
    const HWND box = run.WaitForMessageBox();
    ASSERT_NE(box, nullptr);
    const std::wstring freeName = out_ / L"codes.report (3).tsv";
    EXPECT_EQ(
        MessageBoxText(box),
        Wide(ErrorBoxText(ReportHeldMessage(Utf8(out_ / L"codes.report.tsv"), Utf8(freeName)))));
    PressOk(box);
    const HWND window = run.WaitForWindow(L"TBatchForm");
    ASSERT_NE(window, nullptr);
    EXPECT_NE(FindChild(window, L"Static", L"レポート: " + freeName), nullptr);
    ClickButton(FindButton(window, L"終了(&X)"));
    EXPECT_EQ(run.WaitExit(), 1u);
    ::CloseHandle(held);

    const std::string prefix = Utf8(Cwd()) + "\\";
    EXPECT_EQ(ReadFileBytes(freeName),
              ReportHead(AnsiName()) + Row(1, "ok", WithCheck(0), prefix + WithCheck(0) + ".emf") +
                  Row(2, "ok", WithCheck(1), prefix + WithCheck(1) + ".emf") +
                  Row(3, "error", "bad", NotDigitMessage("b")));
    EXPECT_EQ(ReadFileBytes(out_ / L"codes.report.tsv"), "old report");
    EXPECT_EQ(ReadFileBytes(out_ / L"codes.report (2).tsv"), "another report");
}

// A read-only report is the user's to keep, as a read-only picture is
// (Windows refuses to rename over it; Wine would replace it): the pictures
// are made, the error box names the report, the old one stays.
TEST_F(BatchTest, ReadOnlyReportIsKept) {
    WriteFileBytes(out_ / L"codes.csv", PlainList(2));
    const std::wstring reportPath = out_ / L"codes.report.tsv";
    WriteFileBytes(reportPath, "old report");
    ASSERT_TRUE(::SetFileAttributesW(reportPath.c_str(), FILE_ATTRIBUTE_READONLY));
    Process run(L"/j13 \"/bt" + out_ / L"codes.csv" + L"\" " + DrOption(Cwd()), Cwd());
    const HWND box = run.WaitForMessageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), Wide(ErrorBoxText(FileCreateMessage(Utf8(reportPath)))));
    PressOk(box);
    const HWND window = run.WaitForWindow(L"TBatchForm");
    ASSERT_NE(window, nullptr);
    ClickButton(FindButton(window, L"終了(&X)"));
    EXPECT_EQ(run.WaitExit(), 1u);
    ::SetFileAttributesW(reportPath.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadFileBytes(reportPath), "old report");
    EXPECT_EQ(FilesIn(Cwd()).size(), 2u);
}

// Names the file system takes for one (full-width ａ and Ａ): two files, or
// the second line an error; never line 1's file holding line 2's symbol.
TEST_F(BatchTest, NamesFoldedAsWindowsFoldsThem) {
    WriteFileBytes(out_ / L"codes.csv",
                   "\xEF\xBB\xBF" + WithCheck(1) + ",ａ1\r\n" + WithCheck(2) + ",Ａ1\r\n");
    Process run(L"/j13 /bt..\\codes.csv " + DrOption(Cwd()), Cwd());
    const HWND window = run.WaitForWindow(L"TBatchForm");
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(WaitFor([&] { return FindButton(window, L"終了(&X)") != nullptr; }));
    ClickButton(FindButton(window, L"終了(&X)"));
    EXPECT_EQ(run.WaitExit(), 1u);
    const std::string prefix = Utf8(Cwd()) + "\\";
    EXPECT_EQ(ReadFileBytes(out_ / L"codes.report.tsv"),
              ReportHead("UTF-8 (BOM)") + Row(1, "ok", WithCheck(1), prefix + "ａ1.emf") +
                  Row(2, "error", WithCheck(2), DuplicateNameMessage("Ａ1", 1)));
    ASSERT_EQ(Run(L"/j13 /cd" + Wide(Data(1)) + L" /flsingle /nc " + DrOption(out_.Path())), 0u);
    EXPECT_EQ(ReadFileBytes(Cwd() + L"\\ａ1.emf"), ReadFileBytes(out_ / L"single.emf"));
}

// Two lists made into one folder at once, sharing their names, as two
// scheduled jobs printing into one shared folder do. The second list takes
// the first's names in another order, a name the first has made, then one
// it has yet to come to: each of its saves replaces a file the first made,
// and the file system hands the freed file ID (the inode under Wine, the
// MFT record on NTFS) to its next new file, under a name the first is yet
// to make. No good line is refused for that; every file is whole and holds
// one of the two symbols of its name.
TEST_F(BatchTest, TwoListsIntoOneFolderAtOnce) {
    constexpr int kLines = 300;
    std::string lists[2];
    for (int i = 0; i < kLines; ++i) {
        const int name = i % 2 ? kLines / 2 + i / 2 : i / 2;
        lists[0] += Data(i) + ",n" + std::to_string(i) + "\r\n";
        lists[1] += Data(1000 + name) + ",n" + std::to_string(name) + "\r\n";
    }
    const std::wstring listNames[2] = {L"first.csv", L"second.csv"};
    const std::wstring alone[2] = {out_ / L"alone1", out_ / L"alone2"};
    for (int list = 0; list < 2; ++list) {
        WriteFileBytes(out_ / listNames[list], lists[list]);
        MakeDirectory(alone[list]);
        // Each list by itself, for the symbols each name may hold.
        ASSERT_EQ(Run(L"/j13 \"/bt" + out_ / listNames[list] + L"\" " + DrOption(alone[list])), 0u);
    }
    // Started together, not one after the other's window.
    Process first(MerrowinExe(), L"/j13 \"/bt" + out_ / listNames[0] + L"\" " + DrOption(Cwd()),
                  Cwd(), false);
    Process second(MerrowinExe(), L"/j13 \"/bt" + out_ / listNames[1] + L"\" " + DrOption(Cwd()),
                   Cwd(), false);
    EXPECT_EQ(first.WaitExit(), 0u);
    EXPECT_EQ(second.WaitExit(), 0u);

    const std::string prefix = Utf8(Cwd()) + "\\";
    for (int list = 0; list < 2; ++list) {
        const std::string report =
            ReadFileBytes(out_ / (list ? L"second.report.tsv" : L"first.report.tsv"));
        EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), kLines + 1);
        EXPECT_EQ(report.find("\terror\t"), std::string::npos) << report;
    }
    const std::vector<std::wstring> found = FilesIn(Cwd());
    EXPECT_EQ(found.size(), static_cast<std::size_t>(kLines));
    for (const std::wstring& name : found) {
        SCOPED_TRACE(Utf8(name));
        const std::string bytes = ReadFileBytes(Cwd() + L"\\" + name);
        const std::string ours = ReadFileBytes(alone[0] + L"\\" + name);
        const std::string theirs = ReadFileBytes(alone[1] + L"\\" + name);
        EXPECT_FALSE(bytes.empty());
        EXPECT_TRUE(bytes == ours || bytes == theirs);
    }
}

// Killed at any moment: every finished file complete, every old file old
// or new, at most one temporary file, no report.
TEST_F(BatchTest, KilledHalfway) {
    constexpr int kLines = 3000;
    WriteFileBytes(out_ / L"codes.csv", PlainList(kLines));
    std::set<std::wstring> old;
    for (const int i : {0, 1, 2, 1500, 2998, 2999}) {
        old.insert(Wide(WithCheck(i) + ".emf"));
        WriteFileBytes(Cwd() + L"\\" + Wide(WithCheck(i) + ".emf"), "old picture");
    }
    Process run(L"/j13 /bt..\\codes.csv " + DrOption(Cwd()), Cwd());
    ASSERT_TRUE(WaitFor([&] { return FilesIn(Cwd()).size() >= 300; }));
    EXPECT_EQ(run.WaitExit(0), kKilled);

    int temporary = 0;
    int newFiles = 0;
    for (const std::wstring& name : FilesIn(Cwd())) {
        const std::string bytes = ReadFileBytes(Cwd() + L"\\" + name);
        if (EndsWith(name, L".tmp")) {
            ++temporary;
            continue;
        }
        ASSERT_TRUE(EndsWith(name, L".emf"));
        if (old.count(name) && bytes == "old picture") continue;
        const auto header = EmfFileHeader(Cwd() + L"\\" + name);
        ASSERT_TRUE(header.has_value()) << Utf8(name);
        EXPECT_EQ(header->nBytes, bytes.size()) << Utf8(name);
        ++newFiles;
    }
    EXPECT_LE(temporary, 1);
    EXPECT_GE(newFiles, 300 - 6);
    EXPECT_FALSE(FileExists(out_ / L"codes.report.tsv"));
}

// A list that is missing or not text: the error box naming it, nothing
// written.
TEST_F(BatchTest, BadListWritesNothing) {
    WriteFileBytes(out_ / L"binary.csv", std::string("4901234567894\r\n\0\0\x01\x02", 19));
    struct Case {
        std::wstring list;
        std::string message;
    };
    const Case cases[] = {
        {out_ / L"missing.csv", ListOpenMessage(Utf8(out_ / L"missing.csv"))},
        {out_ / L"binary.csv", ListNotTextMessage(Utf8(out_ / L"binary.csv"))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        Process run(L"/j13 /bt" + c.list, Cwd());
        const HWND box = run.WaitForMessageBox();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(MessageBoxText(box), Wide(ErrorBoxText(c.message)));
        PressOk(box);
        EXPECT_EQ(run.WaitExit(), 1u);
        EXPECT_TRUE(FilesIn(Cwd()).empty());
        EXPECT_EQ(FilesIn(out_.Path()).size(), 1u);  // the binary list alone
    }
}

// However a batch is stopped, the window then offers its exit button
// enabled, focused and the default, and a key or a click closes it with
// exit status 1; every line has its report row, made or cancelled.
enum class StopBy { MouseOnStop, EscKey, AltF4, CloseMessage, EndOfSession };
enum class CloseBy { EscKey, EnterKey, MouseOnExit };

struct StopRow {
    int row;
    StopBy stop;
    CloseBy close;
};

class StopPath : public E2eTest, public ::testing::WithParamInterface<StopRow> {};

// The answer to WM_QUERYENDSESSION, as a log-off asks it; -1 when the
// window did not answer.
LRESULT AskEndSession(HWND window) {
    DWORD_PTR answer = 0;
    if (!::SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG,
                               5000, &answer))
        return -1;
    return static_cast<LRESULT>(answer);
}

int CountRows(const std::string& report, std::string_view status) {
    int count = 0;
    std::string cell(1, '\t');
    cell.append(status).push_back('\t');
    for (std::size_t at = report.find(cell); at != std::string::npos;
         at = report.find(cell, at + 1))
        ++count;
    return count;
}

TEST_P(StopPath, LeavesTheExitButtonToCloseTheWindow) {
    const StopRow& row = GetParam();
    constexpr int kLines = 3000;
    WriteFileBytes(out_ / L"codes.csv", PlainList(kLines));
    Process run(L"/j13 /bt..\\codes.csv " + DrOption(Cwd()), Cwd());
    const HWND window = WaitPastLine100(run);
    ASSERT_NE(window, nullptr);
    EXPECT_NE(FindChild(window, L"Static", L"バーコードを作成しています…"), nullptr);
    switch (row.stop) {
        case StopBy::MouseOnStop:
            MouseClick(FindButton(window, L"中止"));
            break;
        case StopBy::EscKey:
            PressKey(VK_ESCAPE);
            break;
        case StopBy::AltF4:
            PressKey(VK_F4, VK_MENU);
            break;
        case StopBy::CloseMessage:
            ::PostMessageW(window, WM_CLOSE, 0, 0);
            break;
        case StopBy::EndOfSession:
            EXPECT_EQ(AskEndSession(window), FALSE);  // held off until the report is written
            break;
    }
    ASSERT_TRUE(WaitFor([&] { return FindButton(window, L"終了(&X)") != nullptr; }));
    const HWND exit = FindButton(window, L"終了(&X)");
    EXPECT_TRUE(::IsWindowEnabled(exit));
    EXPECT_TRUE(WaitFor([&] { return FocusOf(window) == exit; }));
    EXPECT_EQ(::GetWindowLongW(exit, GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    if (row.stop == StopBy::EndOfSession) {
        EXPECT_TRUE(FileExists(out_ / L"codes.report.tsv"));
        EXPECT_EQ(AskEndSession(window), TRUE);  // nothing left to finish
    }
    switch (row.close) {
        case CloseBy::EscKey:
            PressKey(VK_ESCAPE);
            break;
        case CloseBy::EnterKey:
            PressKey(VK_RETURN);
            break;
        case CloseBy::MouseOnExit:
            MouseClick(exit);
            break;
    }
    EXPECT_EQ(run.WaitExit(), 1u);

    const int made = static_cast<int>(FilesIn(Cwd()).size());
    EXPECT_GT(made, 0);
    EXPECT_LT(made, kLines);
    const std::string report = ReadFileBytes(out_ / L"codes.report.tsv");
    EXPECT_EQ(CountRows(report, "ok"), made);
    EXPECT_EQ(CountRows(report, "cancelled"), kLines - made);
}

const StopRow kStopRows[] = {
    {1, StopBy::MouseOnStop, CloseBy::EscKey},       {2, StopBy::EscKey, CloseBy::EnterKey},
    {3, StopBy::CloseMessage, CloseBy::MouseOnExit}, {4, StopBy::EndOfSession, CloseBy::EscKey},
    {5, StopBy::AltF4, CloseBy::EnterKey},
};

INSTANTIATE_TEST_SUITE_P(, StopPath, ::testing::ValuesIn(kStopRows),
                         [](const auto& info) { return "row" + std::to_string(info.param.row); });

}  // namespace
}  // namespace merrowin::e2e
