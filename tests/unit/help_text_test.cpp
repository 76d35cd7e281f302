// The help text against the program it explains: every option the parser
// acts on and every switch is listed, and the list rows line up.
#include "usage/help_text.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>

#include "app/command_line.h"
#include "app/symbology.h"
#include "common/errors.h"

namespace merrowin {
namespace {

// Everything an option could change, written out so two jobs compare.
std::string Snapshot(const BarcodeJob& job) {
    std::ostringstream out;
    out << int(job.Kind) << '|' << job.Digits << '|' << int(job.TopMargin) << '|'
        << int(job.BottomMargin) << '|' << int(job.InnerMargin) << '|' << int(job.LeftMargin) << '|'
        << int(job.RightMargin) << '|' << job.CopyRate << '|' << job.BarHeight << '|'
        << int(job.Gap) << '|' << int(job.FrameWidth) << '|' << int(job.FontSize) << '|'
        << job.ExtendedGuards << job.PrefixedText << job.NoText << job.BearerFrame << job.SaveFile
        << job.FileNameGiven << job.NoClipboard << job.DrChk << '|' << job.FileName << '|'
        << job.InputDigits << '|' << job.SaveDr << '|' << job.Pattern;
    return out.str();
}

// A job as a run has it before the options: a switch, stored sizes, "fl"
// already given (so that "nc" shows), and a stored folder.
BarcodeJob ProbeJob(std::string_view switchArg) {
    BarcodeJob job;
    ApplySwitch(switchArg, job);
    ApplyOption("/fl", job);
    job.BarHeight = 61;
    job.TopMargin = job.BottomMargin = 4;
    job.LeftMargin = job.RightMargin = 12;
    job.InnerMargin = 11;
    job.Gap = job.FrameWidth = 3;
    job.FontSize = 17;
    job.CopyRate = 99;
    job.SaveDr = "C:\\Labels";
    return job;
}

// The keys the option parser acts on, found by trying every two-letter key
// with values of every length class on a JAN and an ITF job: a key it knows
// changes the job or, for a value that is not a number, raises the error.
std::set<std::string> KeysTheParserKnows() {
    const std::string alphabet = "abcdefghijklmnopqrstuvwxyz0123456789?";
    std::set<std::string> keys;
    for (char first : alphabet)
        for (char second : alphabet) {
            const std::string key{first, second};
            for (const char* switchArg : {"/j13b", "/i14f"})
                for (const char* value :
                     {"", "5", "47", "123", "4901234567894", "x", "xy", "xyz"}) {
                    BarcodeJob job = ProbeJob(switchArg);
                    const std::string before = Snapshot(job);
                    try {
                        ApplyOption(std::string("/").append(key).append(value), job);
                    } catch (const MerrowinError&) {
                        keys.insert(key);  // it read the value: a key it knows
                    }
                    if (Snapshot(job) != before) keys.insert(key);
                }
        }
    return keys;
}

TEST(HelpText, ListsEveryOptionTheParserKnows) {
    std::set<std::string> listed;
    for (const HelpEntry& entry : HelpOptions())
        listed.insert(std::string(entry.term.substr(1, 2)));
    const std::set<std::string> known = KeysTheParserKnows();
    // The probe itself must see the fifteen keys of the command line.
    EXPECT_GE(known.size(), 15u);
    for (const std::string& key : known)
        EXPECT_EQ(listed.count(key), 1u) << "not in the help: " << key;
}

TEST(HelpText, ListsEverySwitchOnce) {
    std::set<std::string> listed;
    for (const HelpEntry& entry : HelpSwitches()) {
        BarcodeJob job;
        EXPECT_TRUE(ApplySwitch(entry.term, job)) << entry.term;
        listed.insert(std::string(entry.term));
    }
    const std::set<std::string> expected{"/j13", "/j13b", "/j13t", "/j8",  "/j8b",
                                         "/j8f", "/i14",  "/i14f", "/i16", "/i16f"};
    EXPECT_EQ(listed, expected);
}

// Lines of the help that must be there, written out in full: list rows
// with the text in column 15 and continuation lines under it, and the
// sections a user looks for.
struct HelpLineRow {
    int row;
    const char* line;
};

class HelpTextLine : public testing::TestWithParam<HelpLineRow> {};

TEST_P(HelpTextLine, IsInTheHelp) {
    const std::string text = std::string("\n").append(HelpText());
    const std::string line = std::string("\n").append(GetParam().line).append("\n");
    EXPECT_NE(text.find(line), std::string::npos) << GetParam().line;
}

const HelpLineRow kHelpLineRows[] = {
    {1, "Merrowin\u3000Version 0.31"},
    {2, "  /j13        JAN-13。ガードバーを長くし、数字をバーの下に分けて書きます"},
    {3, "  /cdDIGITS   データ (必須)。JAN-13 は 12 桁、JAN-8 は 7 桁、ITF-14 は 13 桁、"},
    {4, "              ITF-16 は 15 桁。チェックデジットは自動で付きます。余分な文字は"},
    {5, "  /nc         /fl の後に書くと、ファイルだけに出力し、クリップボードは"},
    {6, "  /bhNN       バーの高さ (モジュール)"},
    {7, "              値: 2 桁。1 桁以下は 10、3 桁以上は 100。範囲 10～100"},
    {8, "  0   シンボルを作成しました。"},
    {9, "  保存場所: HKEY_CURRENT_USER\\Software\\Korvane\\Merrowin"},
    {10, "    start \"\" /wait merrowin.exe /j13 /cd490123456789 /fl /drC:\\Labels"},
    {11, "    Set wsh = CreateObject(\"WScript.Shell\")"},
    {12, "  merrowin /?            このヘルプを開きます (/h、-?、-h も同じ)"},
    {13, "  バーの下の数字は「OCRB」という名前のフォントで描きます。このフォントが"},
    {14, "  /btLIST     一覧ファイル LIST の 1 行ごとに 1 つの図を作ります (一括作成)。"},
    {15, "              書きます。全行成功で終了コード 0、それ以外は 1"},
};

INSTANTIATE_TEST_SUITE_P(, HelpTextLine, testing::ValuesIn(kHelpLineRows),
                         [](const auto& info) { return "row" + std::to_string(info.param.row); });

}  // namespace
}  // namespace merrowin
