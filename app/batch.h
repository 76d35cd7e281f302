// Batch generation: "merrowin SWITCH /btLIST [OPTION ...]" makes one .emf
// per line of a product list, with the bytes a single run with the same
// options would save, and writes a report beside the list.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/command_line.h"
#include "app/list/reader.h"
#include "app/run.h"

namespace merrowin {

// A file that replaces the file of its name only when committed; dropped
// (the old file untouched) when destroyed before.
class ReplacingFile {
public:
    virtual ~ReplacingFile() = default;
    // Raises FileCreateMessage(path) when the disk refuses.
    virtual void Write(std::string_view bytes) = 0;
    // Replaces the file of its name; false when another program holds that
    // file open (Excel opens a report without sharing), the new file then
    // kept for CommitAs. Raises FileCreateMessage(path).
    virtual bool Commit() = 0;
    // Puts the file under `path` instead, where no file of that name
    // exists yet; false when one does. Raises FileCreateMessage(path).
    virtual bool CommitAs(const std::string& path) = 0;
};

// Which file a name leads to: two names of one file (case, the 8.3 short
// name) have one identity.
struct FileIdentity {
    std::uint32_t volume = 0;
    std::uint64_t index = 0;
    bool operator==(const FileIdentity&) const = default;
};

// Whether a line's picture may replace the existing file of that identity.
using ReplaceQuestion = std::function<bool(const FileIdentity& existing)>;

// What a batch needs of the platform beyond a single run's Platform.
class BatchPort {
public:
    virtual ~BatchPort() = default;
    // The list's bytes; nullptr when it does not exist or cannot be opened.
    virtual std::unique_ptr<ByteSource> OpenList(const std::string& path) = 0;
    // The system's ANSI code page.
    virtual unsigned SystemCodePage() = 0;
    // Text in `codePage` as UTF-8; nothing when not valid there.
    virtual std::optional<std::string> Decode(unsigned codePage, std::string_view bytes) = 0;
    // A file name upper-cased as the file system compares names: names
    // that fold alike name one file.
    virtual std::string FoldName(std::string_view name) = 0;
    // The absolute form of a path ("" is the current folder).
    virtual std::string AbsolutePath(const std::string& path) = 0;
    // Starts the file that replaces `path`; raises FileCreateMessage(path),
    // also for a read-only file, which is kept.
    virtual std::unique_ptr<ReplacingFile> CreateReplacing(const std::string& path) = 0;
    // Saves a picture as Platform::SaveFile does. An existing file is
    // replaced only when `mayReplace` agrees given its identity; nothing
    // is saved otherwise and the answer is nothing. The identity of the
    // file saved; raises FileCreateMessage(path).
    virtual std::optional<FileIdentity> SavePicture(const std::string& path,
                                                    const std::vector<std::uint8_t>& bytes,
                                                    const ReplaceQuestion& mayReplace) = 0;
    // The identity of the file `path` leads to now; nothing when there is
    // none (or it cannot be opened).
    virtual std::optional<FileIdentity> IdentityOf(const std::string& path) = 0;
    // Called after every data line: `done` of `total` data lines. The port
    // shows it a few times a second and keeps the window answering; false
    // once the user asked to stop (the batch stops before the next file).
    virtual bool Progress(std::size_t done, std::size_t total) = 0;
};

// How a batch ended, and what the window then shows.
struct BatchOutcome {
    enum class State {
        AllMade,       // every line made its file: the process ends at once
        Finished,      // errors or cancelled: the summary and the exit button
        CommandError,  // nothing was made: the status line (the command's error,
                       // or a list without data lines) and the exit button
        Stopped,       // the error box; nothing was written
    };
    State state = State::Stopped;
    std::string status;       // the status line: the summary, or the command's error
    std::string reportPath;   // Finished: the report's full path
    std::string error;        // the error box: why it stopped, or that the report failed
    std::size_t symbols = 0;  // data lines, good or not
    std::size_t made = 0;
    std::size_t errors = 0;
    std::size_t notReached = 0;  // data lines after a stop
    bool cancelled = false;

    int ExitCode() const { return state == State::AllMade ? 0 : 1; }
    // Nothing made: the command's error in the status line.
    static BatchOutcome CommandError();
};

// Whether a command line asks for a batch: an option with the key "bt".
bool IsBatchRequest(const CommandLine& command);

// The report beside the list, named after it: the list's extension
// replaced by ".report.tsv" ("codes.csv" -> "codes.report.tsv").
std::string ReportPath(std::string_view listPath);

// The whole batch: the switch and options as for one symbol ("fl", "cd"
// and "nc" are implied or ignored), then the list line by line, then the
// report.
BatchOutcome RunBatch(const CommandLine& command, const SettingsLoader& loadSettings,
                      Platform& platform, BatchPort& port);

// Batch generation (/bt): the list, its report and the closing summary.
// Batch generation (/bt): the list, its lines and the closing summary.
std::string ListOpenMessage(std::string_view path);  // リスト %s を読み込めません
std::string ListNotTextMessage(
    std::string_view path);  // リスト %s はテキストファイルではありません
std::string DuplicateNameMessage(std::string_view name, std::size_t firstLine);
std::string BatchSummary(std::size_t symbols, std::size_t made, std::size_t errors);
std::string ReportPathText(std::string_view path);  // レポート: %s
// The summary of a batch stopped by 中止, Esc, closing or log-off: N data
// lines, M made, E errors, K not reached.
std::string BatchStoppedSummary(std::size_t symbols, std::size_t made, std::size_t errors,
                                std::size_t notReached);
inline constexpr std::string_view kNoDataLinesText = "リストにデータの行がありません。";
// The batch window's status while it works (a single run shows kMakingText).
inline constexpr std::string_view kBatchProgressText = "バーコードを作成しています…";
// The report's first row names the encoding the list was read in.
std::string ReportTitleCell(std::string_view encoding);
// A report held by another program, written under a free name beside it.
std::string ReportHeldMessage(std::string_view heldPath, std::string_view writtenPath);

}  // namespace merrowin
