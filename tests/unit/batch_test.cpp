// The batch driver against a fake platform and port: a list in, the files
// saved in order, the report row by row and the summary out.
#include "app/batch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "common/errors.h"
#include "common/text.h"
#include "settings/load_settings.h"
#include "tests/unit/fake_platform.h"
#include "tests/unit/list_bytes.h"

namespace merrowin {
namespace {

TEST(BatchReport, NamedAfterTheList) {
    EXPECT_EQ(ReportPath("codes.csv"), "codes.report.tsv");
    EXPECT_EQ(ReportPath("C:\\list.d\\codes"), "C:\\list.d\\codes.report.tsv");
    EXPECT_EQ(ReportPath("C:\\list\\a.b.txt"), "C:\\list\\a.b.report.tsv");
}

// The system's upper-case table for the scripts the rows use, as ranges of
// lower-case letters and the distance to their capitals: enough to stand
// for the file system's folding in the core's tests.
struct FoldRange {
    char32_t first, last;
    char32_t down;
};
constexpr FoldRange kFoldRanges[] = {
    {U'a', U'z', 0x20},            // ASCII
    {U'\u00E0', U'\u00F6', 0x20},  // Latin-1 à to ö
    {U'\u00F8', U'\u00FE', 0x20},  // ø to þ
    {U'\u03B1', U'\u03C1', 0x20},  // Greek α to ρ
    {U'\u03C3', U'\u03C9', 0x20},  // σ to ω
    {U'\u0430', U'\u044F', 0x20},  // Cyrillic а to я
    {U'\u0450', U'\u045F', 0x50},  // ѐ to џ
    {U'\uFF41', U'\uFF5A', 0x20},  // full-width ａ to ｚ
};

std::string FakeFold(std::string_view name) {
    std::string out;
    for (const char16_t unit : Utf16FromUtf8(name)) {
        char32_t c = unit;
        for (const FoldRange& range : kFoldRanges)
            if (c >= range.first && c <= range.last) c -= range.down;
        AppendUtf8(c, out);
    }
    return out;
}

// The port of a batch: lists in memory, a folder of files with identities
// (one may have a second, short name), the report kept when committed, a
// stop asked for after a given data line.
class FakeBatchPort final : public BatchPort {
public:
    std::unique_ptr<ByteSource> OpenList(const std::string& path) override {
        if (path != "C:\\Lists\\codes.csv") return nullptr;
        return std::make_unique<ChunkSource>(list, 4096);
    }
    unsigned SystemCodePage() override { return codePage; }
    std::optional<std::string> Decode(unsigned page, std::string_view bytes) override {
        return FakeCodePage(page, bytes);
    }
    std::string FoldName(std::string_view name) override { return FakeFold(name); }
    std::string AbsolutePath(const std::string& path) override {
        return path.size() > 1 && path[1] == ':' ? path : "C:\\Cwd\\" + path;
    }
    std::unique_ptr<ReplacingFile> CreateReplacing(const std::string& path) override {
        struct File final : ReplacingFile {
            explicit File(FakeBatchPort& port) : port(port) {}
            void Write(std::string_view bytes) override { text += bytes; }
            bool Commit() override {
                if (port.reportHeld) return false;
                port.report = text;
                return true;
            }
            bool CommitAs(const std::string& path) override {
                if (port.files.count(FakeFold(path))) return false;
                port.report = text;
                port.reportPath = path;
                return true;
            }
            FakeBatchPort& port;
            std::string text;
        };
        if (reportRefused) throw MerrowinError(FileCreateMessage(path));
        reportPath = path;
        return std::make_unique<File>(*this);
    }
    std::optional<FileIdentity> SavePicture(const std::string& path,
                                            const std::vector<std::uint8_t>& bytes,
                                            const ReplaceQuestion& mayReplace) override {
        saves.push_back(path);
        if (const auto other = meanwhile.find(saves.size()); other != meanwhile.end())
            other->second(*this);
        if (path == refusedPath) throw MerrowinError(FileCreateMessage(path));
        const std::string key = FileKey(path);
        if (const auto existing = files.find(key);
            existing != files.end() && !mayReplace(existing->second))
            return std::nullopt;
        lastBytes = bytes;
        return files[key] = FileIdentity{7, ++fileIndex};
    }
    std::optional<FileIdentity> IdentityOf(const std::string& path) override {
        const auto file = files.find(FileKey(path));
        if (file == files.end()) return std::nullopt;
        return file->second;
    }
    bool Progress(std::size_t done, std::size_t total) override {
        progress = std::to_string(done) + " / " + std::to_string(total);
        if (total == 0) return !stopWhileReading;  // the list read through
        return stopAfter == 0 || done < stopAfter;
    }

    std::string list;
    unsigned codePage = 932;
    std::size_t stopAfter = 0;      // 中止 at this data line
    bool stopWhileReading = false;  // 中止 before the first line
    bool reportRefused = false;
    bool reportHeld = false;                        // another program has the old report open
    std::string refusedPath;                        // this one picture cannot be created
    std::map<std::string, FileIdentity> files;      // by folded path
    std::map<std::string, std::string> shortNames;  // a second name of a file
    // What another program does to the folder before the n-th save.
    std::map<std::size_t, std::function<void(FakeBatchPort&)>> meanwhile;
    std::uint64_t fileIndex = 0;
    std::vector<std::string> saves;
    std::vector<std::uint8_t> lastBytes;
    std::string progress;
    std::string reportPath;
    std::string report;

private:
    std::string FileKey(const std::string& path) const {
        const auto alias = shortNames.find(path);
        return FakeFold(alias == shortNames.end() ? path : alias->second);
    }
};

std::string ReportHead(std::string_view encoding) {
    return "\xEF\xBB\xBF行\t状態\tデータ\t" + ReportTitleCell(encoding) + "\r\n";
}
const std::string kListArgument = "/btC:\\Lists\\codes.csv";

// Every kind of line, the files saved in order and the report row by row.
TEST(BatchRun, FilesAndReport) {
    FakePlatform platform;
    FakeBatchPort port;
    port.refusedPath = "C:\\Work\\locked.emf";
    port.list =
        "JAN,品名\r\n4901234567894,first\r\n\r\n4901234567890,typo\r\n4901234567894,FIRST\r\n"
        "4901234,short\r\n4901234567894,locked\r\n4901234567894\r\n=1+1,formula\r\n"
        "-12,minus\r\n4901234567894,@label\r\n";
    const BatchOutcome outcome = RunBatch(
        ParseCommandLine({"/j13", kListArgument, "/drC:\\Work", "/flignored", "/cd111111111111"}),
        LoadBuiltInDefaults, platform, port);
    EXPECT_EQ(platform.calls, std::vector<std::string>{"folder? C:\\Work"});
    EXPECT_EQ(port.saves,
              (std::vector<std::string>{"C:\\Work\\first.emf", "C:\\Work\\locked.emf",
                                        "C:\\Work\\4901234567894.emf", "C:\\Work\\@label.emf"}));
    EXPECT_EQ(port.reportPath, "C:\\Lists\\codes.report.tsv");
    EXPECT_EQ(
        port.report,
        ReportHead("UTF-8") +
            "1\theader\tJAN\t\r\n"
            "2\tok\t4901234567894\tC:\\Work\\first.emf\r\n"
            "4\terror\t4901234567890\tチェックデジットが違います (正しくは 4)\r\n"
            "5\terror\t4901234567894\tファイル名「FIRST」は 2 行目と同じです\r\n"
            "6\terror\t4901234\tデータが 7 桁です (12 桁、またはチェックデジット付きの 13 桁)\r\n"
            "7\terror\t4901234567894\tファイル C:\\Work\\locked.emf を作成できません\r\n"
            "8\tok\t4901234567894\tC:\\Work\\4901234567894.emf\r\n"
            // Cells Excel would calculate show as text.
            "9\terror\t'=1+1\tデータに数字でない文字「=」があります\r\n"
            "10\terror\t'-12\tデータに数字でない文字「-」があります\r\n"
            "11\tok\t4901234567894\tC:\\Work\\@label.emf\r\n");
    EXPECT_EQ(port.progress, "9 / 9");  // data lines only
    EXPECT_EQ(outcome.state, BatchOutcome::State::Finished);
    EXPECT_EQ(outcome.status, "9 件中 3 件を作成しました。エラー 6 件");
    EXPECT_EQ(outcome.reportPath, "C:\\Lists\\codes.report.tsv");
    EXPECT_EQ(outcome.ExitCode(), 1);
}

// Each file holds what a single run with the same options saves; all good
// lines end the process with 0, the report written all the same.
TEST(BatchRun, SameBytesAsASingleRun) {
    FakePlatform single;
    RunGeneration(ParseCommandLine({"/i14f", "/cd1490123456789", "/fl", "/nc", "/cr80", "/bh40"}),
                  LoadBuiltInDefaults, single);
    FakePlatform platform;
    FakeBatchPort port;
    port.list = "14901234567891\n";
    const BatchOutcome outcome =
        RunBatch(ParseCommandLine({"/i14f", kListArgument, "/cr80", "/bh40"}), LoadBuiltInDefaults,
                 platform, port);
    EXPECT_EQ(port.saves, std::vector<std::string>{"D:\\Docs\\14901234567891.emf"});
    EXPECT_FALSE(port.lastBytes.empty());
    EXPECT_EQ(port.lastBytes, single.fileBytes);
    EXPECT_EQ(outcome.state, BatchOutcome::State::AllMade);
    EXPECT_EQ(outcome.ExitCode(), 0);
    EXPECT_EQ(port.report,
              ReportHead("Shift-JIS") + "1\tok\t14901234567891\tD:\\Docs\\14901234567891.emf\r\n");
}

// Names Windows takes for one file: folded by the system's table, and a
// file this batch made reached under another name (its 8.3 short name) is
// never replaced. Either way the second line is an error naming the first.
// A file ID another program's doing freed and the file system gave to the
// file under the second name is no file of this run: that line is made.
enum class Meanwhile {
    Nothing,
    FirstReplaced,  // saved over by rename: line 1's name is a new file
    FirstDeleted,
};
struct FoldRow {
    int row;
    const char* first;
    const char* second;
    const char* shortName;  // the first file's second name, or nullptr
    Meanwhile other;        // before the second line, the second name getting line 1's old ID
    std::size_t files;      // in the folder at the end
    const char* refusal;    // the second line's error, or "" when made
};

// clang-format off
const FoldRow kFoldRows[] = {
    /* 0*/ {0, "ａ1", "Ａ1", nullptr, Meanwhile::Nothing, 1, "ファイル名「Ａ1」は 1 行目と同じです"},
    /* 1*/ {1, "é", "É", nullptr, Meanwhile::Nothing, 1, "ファイル名「É」は 1 行目と同じです"},
    /* 2*/ {2, "Ж", "ж", nullptr, Meanwhile::Nothing, 1, "ファイル名「ж」は 1 行目と同じです"},
    /* 3*/ {3, "label", "LaBeL", nullptr, Meanwhile::Nothing, 1,
            "ファイル名「LaBeL」は 1 行目と同じです"},
    /* 4*/ {4, "a", "á", nullptr, Meanwhile::Nothing, 2, ""},
    /* 5*/ {5, "ｓ", "s", nullptr, Meanwhile::Nothing, 2, ""},
    /* 6*/ {6, "longname-abcdefgh", "LONG~400", "C:\\Work\\LONG~400.emf", Meanwhile::Nothing, 1,
            "ファイル名「LONG~400」は 1 行目の「longname-abcdefgh」と同じファイルを指します "
            "(Windows の短い名前などの別名)。別の名前にしてください"},
    /* 7*/ {7, "n1", "n197", nullptr, Meanwhile::FirstReplaced, 2, ""},
    /* 8*/ {8, "n1", "n197", nullptr, Meanwhile::FirstDeleted, 1, ""},
};
// clang-format on

class BatchNames : public testing::TestWithParam<FoldRow> {};

TEST_P(BatchNames, OneFileOneLine) {
    const FoldRow& row = GetParam();
    FakePlatform platform;
    FakeBatchPort port;
    const std::string firstPath = "C:\\Work\\" + std::string(row.first) + ".emf";
    const std::string secondPath = "C:\\Work\\" + std::string(row.second) + ".emf";
    if (row.shortName) port.shortNames[row.shortName] = firstPath;
    port.meanwhile[2] = [&](FakeBatchPort& folder) {
        const FileIdentity lineOnes = folder.files[FakeFold(firstPath)];
        if (row.other == Meanwhile::FirstReplaced) folder.files[FakeFold(firstPath)] = {7, 900};
        if (row.other == Meanwhile::FirstDeleted) folder.files.erase(FakeFold(firstPath));
        if (row.other != Meanwhile::Nothing) folder.files[FakeFold(secondPath)] = lineOnes;
    };
    port.list =
        "\xEF\xBB\xBF"
        "4901234567894," +
        std::string(row.first) + "\n4901234567894," + row.second + "\n";
    RunBatch(ParseCommandLine({"/j13", kListArgument, "/drC:\\Work"}), LoadBuiltInDefaults,
             platform, port);
    const bool refused = *row.refusal != '\0';
    const std::string second = "2\t" + std::string(refused ? "error" : "ok") + "\t4901234567894\t" +
                               (refused ? std::string(row.refusal) : secondPath);
    EXPECT_EQ(port.report, ReportHead("UTF-8 (BOM)") + "1\tok\t4901234567894\t" + firstPath +
                               "\r\n" + second + "\r\n");
    EXPECT_EQ(port.files.size(), row.files);
    EXPECT_EQ(port.fileIndex, refused ? 1u : 2u);  // line 1's file never replaced
}

INSTANTIATE_TEST_SUITE_P(, BatchNames, testing::ValuesIn(kFoldRows),
                         [](const auto& info) { return "row" + std::to_string(info.param.row); });

// 中止 pressed: the lines not reached are marked cancelled, the files made
// before it stay, and the exit status is 1.
struct StopRow {
    int row;
    std::size_t stopAfter;  // 中止 at this data line
    bool whileReading;      // 中止 while the list is read through
    int saved;
    const char* reportRows;
    const char* status;
};

// clang-format off
const StopRow kStopRows[] = {
    // After the second line; line 3 is blank and has no row, the header
    // keeps its own.
    /* 0*/ {0, 2, false, 2,
            "1\theader\tJAN\t\r\n"
            "2\tok\t4901234567894\tD:\\Docs\\a.emf\r\n"
            "3\tok\t4901234567894\tD:\\Docs\\b.emf\r\n"
            "5\tcancelled\t4901234567894\t\r\n"
            "6\tcancelled\tbad\t\r\n",
            "中止しました。4 件中 2 件を作成、0 件はエラー、2 件は未処理です。"},
    // Before the first line: nothing is made.
    /* 1*/ {1, 0, true, 0,
            "1\theader\tJAN\t\r\n"
            "2\tcancelled\t4901234567894\t\r\n"
            "3\tcancelled\t4901234567894\t\r\n"
            "5\tcancelled\t4901234567894\t\r\n"
            "6\tcancelled\tbad\t\r\n",
            "中止しました。4 件中 0 件を作成、0 件はエラー、4 件は未処理です。"},
};
// clang-format on

class BatchStop : public testing::TestWithParam<StopRow> {};

TEST_P(BatchStop, LinesNotReachedAreCancelled) {
    const StopRow& row = GetParam();
    FakePlatform platform;
    FakeBatchPort port;
    port.stopAfter = row.stopAfter;
    port.stopWhileReading = row.whileReading;
    port.list = "JAN\n490123456789,a\n490123456789,b\n\n490123456789,c\nbad,d\n";
    const BatchOutcome outcome = RunBatch(ParseCommandLine({"/j13", kListArgument, "/dr"}),
                                          LoadBuiltInDefaults, platform, port);
    EXPECT_EQ(port.saves.size(), static_cast<std::size_t>(row.saved));
    EXPECT_EQ(port.report, ReportHead("Shift-JIS") + row.reportRows);
    EXPECT_TRUE(outcome.cancelled);
    EXPECT_EQ(outcome.status, row.status);
    EXPECT_EQ(outcome.ExitCode(), 1);
}

INSTANTIATE_TEST_SUITE_P(, BatchStop, testing::ValuesIn(kStopRows),
                         [](const auto& info) { return "row" + std::to_string(info.param.row); });

// A report that cannot be written: the files stay, the error box says so
// and the exit status is 1.
TEST(BatchRun, ReportRefused) {
    FakePlatform platform;
    FakeBatchPort port;
    port.reportRefused = true;
    port.list = "490123456789\n";
    const BatchOutcome outcome = RunBatch(ParseCommandLine({"/j13", kListArgument, "/dr"}),
                                          LoadBuiltInDefaults, platform, port);
    EXPECT_EQ(port.saves.back(), "D:\\Docs\\4901234567894.emf");
    EXPECT_EQ(outcome.state, BatchOutcome::State::Finished);
    EXPECT_EQ(outcome.error, "ファイル C:\\Lists\\codes.report.tsv を作成できません");
    EXPECT_EQ(outcome.reportPath, "");  // the old report is not this run's
    EXPECT_EQ(outcome.status, "1 件中 1 件を作成しました。エラー 0 件");
    EXPECT_EQ(outcome.ExitCode(), 1);
}

// A report another program holds open goes beside it under the first free
// name, which the window shows, and the error box says why.
TEST(BatchRun, ReportHeldGetsAFreeName) {
    FakePlatform platform;
    FakeBatchPort port;
    port.reportHeld = true;
    port.files[FakeFold("C:\\Lists\\codes.report (2).tsv")] = FileIdentity{7, 100};
    port.list = "490123456789\n";
    const BatchOutcome outcome = RunBatch(ParseCommandLine({"/j13", kListArgument, "/dr"}),
                                          LoadBuiltInDefaults, platform, port);
    EXPECT_EQ(port.reportPath, "C:\\Lists\\codes.report (3).tsv");
    EXPECT_EQ(outcome.reportPath, "C:\\Lists\\codes.report (3).tsv");
    EXPECT_EQ(port.report,
              ReportHead("Shift-JIS") + "1\tok\t4901234567894\tD:\\Docs\\4901234567894.emf\r\n");
    EXPECT_EQ(outcome.error,
              "レポート C:\\Lists\\codes.report.tsv はほかのプログラムが使用中のため、"
              "C:\\Lists\\codes.report (3).tsv に保存しました");
    EXPECT_EQ(outcome.state, BatchOutcome::State::Finished);
    EXPECT_EQ(outcome.ExitCode(), 1);
}

// A list that is missing, not text, or without a data line, or a batch
// without a list: nothing is written, not even the report.
TEST(BatchRun, BadListWritesNothing) {
    struct Row {
        int row;
        std::string listArgument;
        std::string list;
        BatchOutcome::State state;
        std::string message;
    };
    const Row rows[] = {
        {0, "/btC:\\Lists\\gone.csv", "", BatchOutcome::State::Stopped,
         "リスト C:\\Lists\\gone.csv を読み込めません"},
        {1, kListArgument, std::string("49012\0", 6), BatchOutcome::State::Stopped,
         "リスト C:\\Lists\\codes.csv はテキストファイルではありません"},
        {2, "/bt", "490123456789\n", BatchOutcome::State::CommandError,
         "コマンドが正しくありません。"},
        {3, kListArgument, "", BatchOutcome::State::CommandError,
         "リストにデータの行がありません。"},
        {4, kListArgument, "\r\n  \r\n,,\r\n", BatchOutcome::State::CommandError,
         "リストにデータの行がありません。"},
        {5, kListArgument, "JAN(13桁),商品名\r\n\r\n", BatchOutcome::State::CommandError,
         "リストにデータの行がありません。"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE("row " + std::to_string(row.row));
        FakePlatform platform;
        FakeBatchPort port;
        port.list = row.list;
        const BatchOutcome outcome = RunBatch(ParseCommandLine({"/j13", row.listArgument}),
                                              LoadBuiltInDefaults, platform, port);
        EXPECT_EQ(outcome.state, row.state);
        EXPECT_EQ(row.state == BatchOutcome::State::Stopped ? outcome.error : outcome.status,
                  row.message);
        EXPECT_EQ(outcome.ExitCode(), 1);
        EXPECT_TRUE(platform.calls.empty());
        EXPECT_TRUE(port.saves.empty());
        EXPECT_TRUE(port.reportPath.empty());
    }
    EXPECT_TRUE(IsBatchRequest(ParseCommandLine({"/j13", "/BTcodes.csv"})));
    EXPECT_FALSE(IsBatchRequest(ParseCommandLine({"/bt", "/cd490123456789"})));
}

// With id every line holds a JAN-13 and makes the carton code of it: the
// same bytes as a single run, named by the 14 digits or the list's name; a
// JAN with a wrong check digit is that line's error naming the right one,
// and a JAN one digit short among full ones lost its leading zero when a 0
// in front makes it a valid JAN-13; else it is the 12 digits of one.
TEST(BatchRun, CartonCodesFromAListOfJans) {
    FakePlatform single;
    RunGeneration(ParseCommandLine({"/i14h", "/id1", "/cd4901234567894", "/fl", "/nc"}),
                  LoadBuiltInDefaults, single);
    FakePlatform platform;
    FakeBatchPort port;
    port.list =
        "4901234567894\n4901234567894,case\n4901234567890\n14901234567891\n490123456783\n"
        "490123456789,short\n";
    const BatchOutcome outcome = RunBatch(ParseCommandLine({"/i14h", kListArgument, "/id1"}),
                                          LoadBuiltInDefaults, platform, port);
    EXPECT_EQ(port.saves, (std::vector<std::string>{"D:\\Docs\\14901234567891.emf",
                                                    "D:\\Docs\\case.emf", "D:\\Docs\\short.emf"}));
    EXPECT_EQ(port.lastBytes, single.fileBytes);
    EXPECT_EQ(
        port.report,
        ReportHead("Shift-JIS") +
            "1\tok\t14901234567891\tD:\\Docs\\14901234567891.emf\r\n"
            "2\tok\t14901234567891\tD:\\Docs\\case.emf\r\n"
            "3\terror\t4901234567890\tチェックデジットが違います (正しくは 4)\r\n"
            "4\terror\t14901234567891\tデータが 14 桁です (12 "
            "桁、またはチェックデジット付きの 13 桁)\r\n"
            "5\terror\t490123456783\t桁数がほかの行と違います。先頭の 0 が消えていませんか\r\n"
            "6\tok\t14901234567891\tD:\\Docs\\short.emf\r\n");
    EXPECT_EQ(outcome.status, "6 件中 3 件を作成しました。エラー 3 件");
}

}  // namespace
}  // namespace merrowin
