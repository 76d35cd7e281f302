// The batch driver against a fake platform and port: a list in, the files
// saved in order, the report row by row and the summary out.
#include "app/batch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "common/errors.h"
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

// The port of a batch: lists in memory, the report kept when committed, a
// stop asked for after a given line.
class FakeBatchPort final : public BatchPort {
public:
    std::unique_ptr<ByteSource> OpenList(const std::string& path) override {
        if (path != "C:\\Lists\\codes.csv") return nullptr;
        return std::make_unique<ChunkSource>(list, 4096);
    }
    std::optional<std::string> DecodeAnsi(std::string_view bytes) override {
        return FakeShiftJis(bytes);
    }
    std::string AbsolutePath(const std::string& path) override {
        return path.size() > 1 && path[1] == ':' ? path : "C:\\Cwd\\" + path;
    }
    std::unique_ptr<ReplacingFile> CreateReplacing(const std::string& path) override {
        struct File final : ReplacingFile {
            explicit File(FakeBatchPort& port) : port(port) {}
            void Write(std::string_view bytes) override { text += bytes; }
            void Commit() override { port.report = text; }
            FakeBatchPort& port;
            std::string text;
        };
        if (reportRefused) throw MerrowinError(FileCreateMessage(path));
        reportPath = path;
        return std::make_unique<File>(*this);
    }
    bool Progress(std::size_t done, std::size_t total) override {
        progress = std::to_string(done) + " / " + std::to_string(total);
        if (total == 0) return !stopWhileReading;  // the list read through
        return stopAfter == 0 || done < stopAfter;
    }

    std::string list;
    std::size_t stopAfter = 0;      // 中止 at this line
    bool stopWhileReading = false;  // 中止 before the first line
    bool reportRefused = false;
    std::string progress;
    std::string reportPath;
    std::string report;
};

constexpr char kReportHead[] = "\xEF\xBB\xBF行\t状態\tデータ\tファイルまたはエラー\r\n";
const std::string kListArgument = "/btC:\\Lists\\codes.csv";

// Every kind of line, the files saved in order and the report row by row.
TEST(BatchRun, FilesAndReport) {
    FakePlatform platform;
    platform.refusedPath = "C:\\Work\\locked.emf";
    FakeBatchPort port;
    port.list =
        "JAN,品名\r\n490123456789,first\r\n\r\n4901234567890,typo\r\n4901234567894,FIRST\r\n"
        "4901234,short\r\n490123456789,locked\r\n4901234567894\r\n";
    const BatchOutcome outcome =
        RunBatch({"/j13", kListArgument, "/drC:\\Work", "/flignored", "/cd111111111111"},
                 LoadBuiltInDefaults, platform, port);
    EXPECT_EQ(platform.calls,
              (std::vector<std::string>{"folder? C:\\Work", "save C:\\Work\\first.emf",
                                        "save C:\\Work\\locked.emf",
                                        "save C:\\Work\\4901234567894.emf"}));
    EXPECT_EQ(port.reportPath, "C:\\Lists\\codes.report.tsv");
    EXPECT_EQ(
        port.report,
        std::string(kReportHead) +
            "1\theader\tJAN\t\r\n"
            "2\tok\t4901234567894\tC:\\Work\\first.emf\r\n"
            "4\terror\t4901234567890\tチェックデジットが違います (正しくは 4)\r\n"
            "5\terror\t4901234567894\tファイル名「FIRST」は 2 行目と同じです\r\n"
            "6\terror\t4901234\tデータが 7 桁です (12 桁、またはチェックデジット付きの 13 桁)\r\n"
            "7\terror\t4901234567894\tファイル C:\\Work\\locked.emf を作成できません\r\n"
            "8\tok\t4901234567894\tC:\\Work\\4901234567894.emf\r\n");
    EXPECT_EQ(port.progress, "8 / 8");
    EXPECT_EQ(outcome.state, BatchOutcome::State::Finished);
    EXPECT_EQ(outcome.status, "6 件中 2 件を作成しました。エラー 4 件");
    EXPECT_EQ(outcome.reportPath, "C:\\Lists\\codes.report.tsv");
    EXPECT_EQ(outcome.ExitCode(), 1);
}

// Each file holds what a single run with the same options saves; all good
// lines end the process with 0, the report written all the same.
TEST(BatchRun, SameBytesAsASingleRun) {
    FakePlatform single;
    RunGeneration({"/i14f", "/cd1490123456789", "/fl", "/nc", "/cr80", "/bh40"},
                  LoadBuiltInDefaults, single);
    FakePlatform platform;
    FakeBatchPort port;
    port.list = "14901234567891\n";
    const BatchOutcome outcome =
        RunBatch({"/i14f", kListArgument, "/cr80", "/bh40"}, LoadBuiltInDefaults, platform, port);
    EXPECT_EQ(platform.calls.back(), "save D:\\Docs\\14901234567891.emf");
    EXPECT_FALSE(platform.fileBytes.empty());
    EXPECT_EQ(platform.fileBytes, single.fileBytes);
    EXPECT_EQ(outcome.state, BatchOutcome::State::AllMade);
    EXPECT_EQ(outcome.ExitCode(), 0);
    EXPECT_EQ(port.report,
              std::string(kReportHead) + "1\tok\t14901234567891\tD:\\Docs\\14901234567891.emf\r\n");
}

// 中止 pressed: the lines not reached are marked cancelled, the files made
// before it stay, and the exit status is 1.
struct StopRow {
    int row;
    std::size_t stopAfter;  // 中止 at this line
    bool whileReading;      // 中止 while the list is read through
    int saved;
    const char* reportRows;
    const char* status;
};

// clang-format off
const StopRow kStopRows[] = {
    // After the second line; line 3 is blank and has no row.
    /* 0*/ {0, 2, false, 2,
            "1\tok\t4901234567894\tD:\\Docs\\a.emf\r\n"
            "2\tok\t4901234567894\tD:\\Docs\\b.emf\r\n"
            "4\tcancelled\t4901234567894\t\r\n"
            "5\tcancelled\tbad\t\r\n",
            "4 件中 2 件を作成しました。エラー 0 件  中止しました。"},
    // Before the first line: nothing is made.
    /* 1*/ {1, 0, true, 0,
            "1\tcancelled\t4901234567894\t\r\n"
            "2\tcancelled\t4901234567894\t\r\n"
            "4\tcancelled\t4901234567894\t\r\n"
            "5\tcancelled\tbad\t\r\n",
            "4 件中 0 件を作成しました。エラー 0 件  中止しました。"},
};
// clang-format on

class BatchStop : public testing::TestWithParam<StopRow> {};

TEST_P(BatchStop, LinesNotReachedAreCancelled) {
    const StopRow& row = GetParam();
    FakePlatform platform;
    FakeBatchPort port;
    port.stopAfter = row.stopAfter;
    port.stopWhileReading = row.whileReading;
    port.list = "490123456789,a\n490123456789,b\n\n490123456789,c\nbad,d\n";
    const BatchOutcome outcome =
        RunBatch({"/j13", kListArgument, "/dr"}, LoadBuiltInDefaults, platform, port);
    EXPECT_EQ(std::count_if(platform.calls.begin(), platform.calls.end(),
                            [](const std::string& call) { return call.starts_with("save"); }),
              row.saved);
    EXPECT_EQ(port.report, std::string(kReportHead) + row.reportRows);
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
    const BatchOutcome outcome =
        RunBatch({"/j13", kListArgument, "/dr"}, LoadBuiltInDefaults, platform, port);
    EXPECT_EQ(platform.calls.back(), "save D:\\Docs\\4901234567894.emf");
    EXPECT_EQ(outcome.state, BatchOutcome::State::Finished);
    EXPECT_EQ(outcome.error, "ファイル C:\\Lists\\codes.report.tsv を作成できません");
    EXPECT_EQ(outcome.status, "1 件中 1 件を作成しました。エラー 0 件");
    EXPECT_EQ(outcome.ExitCode(), 1);
}

// A list that is missing or not text, or a batch without a list: nothing
// is written, not even the report.
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
    };
    for (const Row& row : rows) {
        SCOPED_TRACE("row " + std::to_string(row.row));
        FakePlatform platform;
        FakeBatchPort port;
        port.list = row.list;
        const BatchOutcome outcome =
            RunBatch({"/j13", row.listArgument}, LoadBuiltInDefaults, platform, port);
        EXPECT_EQ(outcome.state, row.state);
        EXPECT_EQ(row.state == BatchOutcome::State::Stopped ? outcome.error : outcome.status,
                  row.message);
        EXPECT_TRUE(platform.calls.empty());
        EXPECT_TRUE(port.reportPath.empty());
    }
    EXPECT_TRUE(IsBatchRequest({"/j13", "/BTcodes.csv"}));
    EXPECT_FALSE(IsBatchRequest({"/bt", "/cd490123456789"}));
}

}  // namespace
}  // namespace merrowin
