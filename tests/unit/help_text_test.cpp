// The help text against the program it explains: every option the parser
// acts on and every switch is listed, and the list rows line up.
#include "usage/help_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/switches.h"
#include "common/errors.h"
#include "model/options.h"
#include "settings/load_settings.h"

namespace merrowin {
namespace {

// Every field of the job, written out so two jobs compare. The bindings
// name each field once: a field added to BarcodeJob or BookCode stops this
// from compiling until it is written out here too.
std::string Snapshot(const BarcodeJob& job) {
    const auto& [kind, digits, checkDigit, topMargin, bottomMargin, innerMargin, leftMargin,
                 rightMargin, copyRate, barHeight, gap, frameWidth, fontSize, moduleWidth,
                 dotsPerInch, barReduction, extendedGuards, prefixedText, noText, bearerFrame,
                 bearerBarsOnly, saveFile, fileNameGiven, noClipboard, drChk, outlinedText,
                 fileName, format, inputDigits, dataValue, saveDr, cartonIndicator, addOn, book,
                 bookCCode, bookPrice, bookParts, slipCompany, slipStampThreshold] = job;
    const auto& [isbn, priceCode, isbnLine, priceLine] = bookParts;
    std::ostringstream out;
    out << int(kind) << '|' << digits << '|' << int(checkDigit) << '|' << int(topMargin) << '|'
        << int(bottomMargin) << '|' << int(innerMargin) << '|' << int(leftMargin) << '|'
        << int(rightMargin) << '|' << copyRate << '|' << barHeight << '|' << int(gap) << '|'
        << int(frameWidth) << '|' << int(fontSize) << '|' << moduleWidth << '|' << dotsPerInch
        << '|' << barReduction << '|' << extendedGuards << prefixedText << noText << bearerFrame
        << bearerBarsOnly << saveFile << fileNameGiven << noClipboard << drChk << outlinedText
        << '|' << fileName << '|' << int(format) << '|' << inputDigits << '|' << dataValue << '|'
        << saveDr << '|' << int(cartonIndicator) << '|' << addOn << '|' << book << '|' << bookCCode
        << '|' << bookPrice << '|' << isbn << '|' << priceCode << '|' << isbnLine << '|'
        << priceLine << '|' << slipCompany << '|' << slipStampThreshold;
    return out.str();
}

// A job as a run has it before the options: a switch, stored sizes, "fl"
// already given (so that "nc" shows), and a stored folder.
BarcodeJob ProbeJob(std::string_view switchArg) {
    BarcodeJob job;
    ApplySwitch(switchArg, job);
    ApplyOption(*ParseOption("/fl"), job);
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
                        ApplyOption(*ParseOption(std::string("/").append(key).append(value)), job);
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
    // The snapshot sees every field, so the probe finds every key the
    // parser acts on, and the help lists no key that does nothing; "bt"
    // leaves the job alone and is read by the batch (app/batch.cpp).
    std::set<std::string> known = KeysTheParserKnows();
    known.insert("bt");
    EXPECT_EQ(known, listed);
}

TEST(HelpText, ListsEverySwitchOnce) {
    std::set<std::string> listed;
    for (const HelpEntry& entry : HelpSwitches()) {
        BarcodeJob job;
        EXPECT_TRUE(ApplySwitch(entry.term, job)) << entry.term;
        listed.insert(std::string(entry.term));
    }
    const std::set<std::string> expected{"/j13",  "/j13b", "/j13t", "/j8",   "/j8b",
                                         "/j8f",  "/i14",  "/i14f", "/i14h", "/i16",
                                         "/i16f", "/i16h", "/bk",   "/cv"};
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
    {1, "Merrowin\u3000Version 0.34"},
    {2, "  /j13        JAN-13。ガードバーを長くし、数字をバーの下に分けて書きます"},
    {3, "  /cdDIGITS   データ (必須)。JAN-13 は 12 桁、JAN-8 は 7 桁、ITF-14 は 13 桁、"},
    {4, "              余分な文字は無視します: JAN-13 を 13 桁で書いても 13 桁目は"},
    {5, "  /nc         /fl か /fm の後に書くと、ファイルだけに出力し、"},
    {6,
     "  /bhNN       バーの高さ (モジュール)。GS1 の標準は JAN-13 で 22.85 mm、0.33 mm の\n"
     "              モジュールで 69.24 (/bh69 で 22.77 mm)、JAN-8 で 18.23 mm (55.24)"},
    {7, "              値: 2 桁。1 桁以下は 10、3 桁以上は 100。範囲 0～100"},
    {8, "  0   シンボルを作成しました。/bt では、リストのすべての行のファイルを"},
    {9, "  設定の保存先 (レジストリ): HKEY_CURRENT_USER\\Software\\Korvane\\Merrowin"},
    {10,
     "    start \"\" /wait \"C:\\Tools\\Merrowin\\merrowin.exe\" /j13 /cd490123456789 /fl "
     "/drC:\\Labels"},
    {11, "    Const MERROWIN_EXE As String = \"C:\\Tools\\Merrowin\\merrowin.exe\""},
    {12, "  merrowin /?            このヘルプを開きます (/h、-?、-h も同じ)"},
    {13, "  バーの下の数字は「OCRB」という名前のフォントで描きます。このフォントが"},
    {14, "  オプションは無視します (エラーにはなりません)。"},
    {15, "              設定画面で指定したフォルダをこの実行に限り使いません"},
    {16, "      if not exist \"C:\\Labels\" mkdir \"C:\\Labels\""},
    {17, "    フォルダがないときは、エラーにならずに現在のフォルダに保存します"},
    {18, "              値: 1～2 桁。1 桁の 1 は 2、15 を超えると 15、"},
    {19, "              JAN は 11 未満が 11、ITF は 20 を超えると 20、"},
    {20, "              値: 0.01 mm 単位の整数。範囲 10～200 (0.10～2.00 mm)。"},
    {21, "  /btLIST     商品リスト LIST の 1 行ごとに 1 つの図をファイルに作ります"},
    {22, "              全行成功で終了コード 0、それ以外は 1。下の「商品リストから"},
    {23, "■ 商品リストから一括作成 (/bt)"},
    {24, "  入力すると開きます。Esc キーで閉じます。Windows 10 より前の Windows"},
    {25, "  /idN        ITF-14 (/i14、/i14f、/i14h) で、JAN から集合包装用商品コードを"},
    {26, "  merrowin /i14f /id1 /cd4901234567894 /fl /mw100"},
    {27, "    JAN-13   491、予備 1 桁 (0)、雑誌コード 5 桁、号数 2 桁、年号 1 桁、"},
    {28, "■ 書籍JANコード (/bk)"},
    {29, "  /ccNNNN     書籍JANコード (/bk) の Cコード 4 桁 (必須。C は付けません)"},
};

INSTANTIATE_TEST_SUITE_P(, HelpTextLine, testing::ValuesIn(kHelpLineRows),
                         [](const auto& info) { return "row" + std::to_string(info.param.row); });

// The help shows the product-list examples of README.txt's Japanese part
// as they are there: the list, the batch file, the report, the Word field
// and the Excel macro. The end-to-end check runs README.txt's.
struct ReadmeExampleRow {
    int row;
    const char* first;  // the block's first line
    const char* holds;  // text the block must hold, to tell it from others
};

class ReadmeExample : public testing::TestWithParam<ReadmeExampleRow> {};

// The block of lines indented by four blanks or more in the Japanese part
// of README.txt that begins with `first` and holds `holds`; empty if none.
std::string ReadmeBlock(const ReadmeExampleRow& row) {
    std::string path = MERROWIN_README_PATH;
    path.replace(path.rfind("README.md"), 9, "docs/README-windows.txt");
    std::ifstream readme(path);
    std::string block;
    for (std::string line; std::getline(readme, line) && !line.starts_with("-----");) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.starts_with("    ")) {
            block.append(line).append("\n");
            continue;
        }
        if (block.starts_with(row.first) && block.find(row.holds) != std::string::npos)
            return block;
        block.clear();
    }
    return {};
}

TEST_P(ReadmeExample, IsInTheHelp) {
    const std::string block = ReadmeBlock(GetParam());
    ASSERT_FALSE(block.empty()) << "not in README.txt: " << GetParam().first;
    EXPECT_NE(std::string("\n").append(HelpText()).find("\n" + block), std::string::npos) << block;
}

const ReadmeExampleRow kReadmeExampleRows[] = {
    {1, "    JANコード,商品名\n", ""},
    {2, "    @echo off\n", "/bt"},
    {3, "    行  状態", ""},
    {4, "     (MERGEFIELD", "INCLUDEPICTURE"},
    {5, "    Sub PlaceBarcodes()", ""},
};

INSTANTIATE_TEST_SUITE_P(, ReadmeExample, testing::ValuesIn(kReadmeExampleRows),
                         [](const auto& info) { return "row" + std::to_string(info.param.row); });

// The lines of a text from the line "■ title" to the next such line or
// `end`, without CRs.
std::vector<std::string> SectionLines(std::istream& in, std::string_view title,
                                      std::string_view end = "\x01") {
    std::vector<std::string> lines;
    bool inside = false;
    for (std::string line; std::getline(in, line) && !line.starts_with(end);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.starts_with("\xEF\xBB\xBF")) line.erase(0, 3);
        if (line.starts_with("■ ")) inside = line == std::string("■ ").append(title);
        if (inside) lines.push_back(line);
    }
    return lines;
}

// README.txt's Japanese part repeats sections of the help word for word:
// every paragraph of the help's section stands in the README's section as
// the same run of lines, and the README may add paragraphs of its own. A
// sentence is changed in help.txt and copied; this says where it differs.
struct ReadmeSectionRow {
    int row;
    const char* help;    // the section's title in help.txt
    const char* readme;  // and in README.txt
};

class ReadmeSection : public testing::TestWithParam<ReadmeSectionRow> {};

TEST_P(ReadmeSection, RepeatsTheHelpWordForWord) {
    std::istringstream help{std::string(HelpSource())};
    const std::vector<std::string> want = SectionLines(help, GetParam().help);
    ASSERT_FALSE(want.empty()) << "not in help.txt: " << GetParam().help;
    std::string path = MERROWIN_README_PATH;
    path.replace(path.rfind("README.md"), 9, "docs/README-windows.txt");
    std::ifstream readme(path);
    const std::vector<std::string> have = SectionLines(readme, GetParam().readme, "-----");
    ASSERT_FALSE(have.empty()) << "not in README.txt: " << GetParam().readme;
    // Each paragraph of the help, after the title line.
    for (auto first = want.begin() + 1; first != want.end();) {
        const auto last = std::find(first, want.end(), std::string());
        if (first != last) {
            EXPECT_NE(std::search(have.begin(), have.end(), first, last), have.end())
                << "README.txt's section does not repeat:\n"
                << *first << "\n...";
        }
        first = last == want.end() ? last : last + 1;
    }
}

const ReadmeSectionRow kReadmeSectionRows[] = {
    {1, "出力先", "出力先 (クリップボードと保存先のフォルダ)"},
    {2, "終了コード", "終了コード"},
    {3, "設定", "設定の保存先と、すべてを削除するには"},
    {4, "数字のフォント", "数字のフォント (OCR-B)"},
    {5, "このヘルプ", "ヘルプ"},
    {6, "集合包装用商品コード・雑誌コード・ベアラーバー",
     "集合包装用商品コード・雑誌コード・ベアラーバー"},
    {7, "書籍JANコード (/bk)", "書籍JANコード (/bk)"},
    {8, "印刷", "印刷 (/dp、/bw、/ol)"},
    {9, "印刷会社・Web 用のファイル (/fm)", "印刷会社・Web 用のファイル (/fm)"},
    {10, "書式", "書式"},
    {11, "例", "例"},
    {12, "商品リストから一括作成 (/bt)", "商品リストから一括作成 (/bt)"},
    {13, "コンビニ収納用バーコード (/cv)", "コンビニ収納用バーコード (/cv)"},
};

INSTANTIATE_TEST_SUITE_P(, ReadmeSection, testing::ValuesIn(kReadmeSectionRows),
                         [](const auto& info) { return "row" + std::to_string(info.param.row); });

// No example carries a comment on its command line: cmd would pass the
// words after "rem" to the program.
TEST(HelpText, CommentsStandOnTheirOwnLines) {
    std::istringstream lines(HelpText());
    for (std::string line; std::getline(lines, line);) {
        if (line.find("merrowin") == std::string::npos) continue;
        EXPECT_EQ(line.find(" rem "), std::string::npos) << line;
    }
}

// The range the help states is what the parser does: every value of up to
// five digits lands inside it, and both ends are reached.
struct RangeRow {
    int row;
    const char* key;
    const char* switchArg;
    Range want;
};

class OptionRange : public testing::TestWithParam<RangeRow> {};

TEST_P(OptionRange, IsWhatTheParserGives) {
    const RangeRow& row = GetParam();
    const NumericOption* option = nullptr;
    for (const NumericOption& candidate : kNumericOptions)
        if (candidate.key == row.key) option = &candidate;
    ASSERT_NE(option, nullptr);
    BarcodeJob start;
    ApplySwitch(row.switchArg, start);
    LoadBuiltInDefaults(start);
    EXPECT_EQ(CommandLineRange(*option, start.Kind), row.want);

    Range seen{INT32_MAX, INT32_MIN};
    // No value leaves an option that keeps its field as it was (for /dp:
    // no dot grid): that is no number the option gives.
    std::vector<std::string> values;
    if (option->byLength[0].kind != Take::Unchanged) values.emplace_back();
    for (int digits = 1, end = 10; digits <= 3; ++digits, end *= 10)
        for (int n = 0; n < end; ++n) {
            std::string value = std::to_string(n);
            values.push_back(std::string(static_cast<std::size_t>(digits) - value.size(), '0') +
                             value);
        }
    for (const char* value : {"0000", "2540", "4000", "9999", "99999"}) values.emplace_back(value);
    for (const std::string& value : values) {
        BarcodeJob job = start;
        // An option read as written refuses what is outside its range.
        try {
            ApplyOption(*ParseOption("/" + std::string(row.key) + value), job);
        } catch (const MerrowinError&) {
            EXPECT_NE(ExactOptionOf(option->field), nullptr) << value;
            continue;
        }
        const std::int32_t got = JobField(job, option->field);
        seen.minimum = std::min(seen.minimum, got);
        seen.maximum = std::max(seen.maximum, got);
    }
    EXPECT_EQ(seen, row.want);
}

// clang-format off
const RangeRow kRangeRows[] = {
    {1,  "bh", "/j13", {0, 100}},
    {2,  "tm", "/j13", {0, 20}},
    {3,  "bm", "/i14", {0, 20}},
    {4,  "lm", "/j13", {11, 30}},
    {5,  "lm", "/i14", {0, 20}},
    {6,  "rm", "/j8",  {7, 30}},
    {7,  "rm", "/i16", {0, 20}},
    {8,  "im", "/i14", {0, 100}},
    {9,  "gp", "/j13", {0, 20}},
    {10, "fw", "/i14", {0, 15}},
    {11, "fs", "/j13", {0, 28}},
    {12, "cr", "/j13", {0, 500}},
    {13, "mw", "/j13", {10, 200}},
    {14, "dp", "/j13", {72, 4000}},
    {15, "bw", "/i14", {0, 999}},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(, OptionRange, testing::ValuesIn(kRangeRows),
                         [](const auto& info) { return "row" + std::to_string(info.param.row); });

// Every numeric option's help row ends with its value line from the table.
TEST(HelpText, SizeOptionsCarryTheTablesValueLine) {
    const std::vector<HelpEntry> entries = HelpOptions();
    for (const NumericOption& option : kNumericOptions) {
        SCOPED_TRACE(option.key);
        auto entry = std::find_if(entries.begin(), entries.end(), [&](const HelpEntry& e) {
            return e.term.substr(1, 2) == option.key;
        });
        ASSERT_NE(entry, entries.end());
        std::string text = entry->text;
        std::erase(text, '\n');
        EXPECT_TRUE(text.ends_with(ValueRule(option))) << text;
    }
}

// The README's option table states the same ranges as the table.
TEST(HelpText, ReadmeOptionTableAgrees) {
    std::ifstream readme(MERROWIN_README_PATH);
    ASSERT_TRUE(readme) << MERROWIN_README_PATH;
    std::set<std::string> checked;
    for (std::string line; std::getline(readme, line);) {
        if (!line.starts_with("| `")) continue;
        // | `tmN` `bmN` | meaning | value |
        const std::size_t second = line.find('|', 1);
        const std::size_t last = line.rfind('|');
        const std::size_t third = line.rfind('|', last - 1);
        const std::string terms = line.substr(1, second - 1);
        std::string value = line.substr(third + 1, last - third - 1);
        const std::size_t first = value.find_first_not_of(' ');
        value = first == std::string::npos
                    ? std::string()
                    : value.substr(first, value.find_last_not_of(' ') - first + 1);
        for (const NumericOption& option : kNumericOptions) {
            if (terms.find("`" + std::string(option.key) + "N") == std::string::npos) continue;
            EXPECT_EQ(value, RangeText(option)) << line;
            checked.insert(std::string(option.key));
        }
    }
    EXPECT_EQ(checked.size(), kNumericOptions.size());
}

}  // namespace
}  // namespace merrowin
