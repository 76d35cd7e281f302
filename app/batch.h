// Batch generation: "merrowin SWITCH /btLIST [OPTION ...]" makes one .emf
// per line of a product list, with the bytes a single run with the same
// options would save, and writes a report beside the list.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/command_line.h"
#include "app/product_list.h"
#include "app/run.h"

namespace merrowin {

// A file that replaces the file of its name only when committed; dropped
// (the old file untouched) when destroyed before.
class ReplacingFile {
public:
    virtual ~ReplacingFile() = default;
    // Raises FileCreateMessage(path) when the disk refuses.
    virtual void Write(std::string_view bytes) = 0;
    virtual void Commit() = 0;
};

// What a batch needs of the platform beyond a single run's Platform.
class BatchPort {
public:
    virtual ~BatchPort() = default;
    // The list's bytes; nullptr when it does not exist or cannot be opened.
    virtual std::unique_ptr<ByteSource> OpenList(const std::string& path) = 0;
    // Text in the ANSI code page as UTF-8; nothing when not valid there.
    virtual std::optional<std::string> DecodeAnsi(std::string_view bytes) = 0;
    // The absolute form of a path ("" is the current folder).
    virtual std::string AbsolutePath(const std::string& path) = 0;
    // Starts the file that replaces `path`; raises FileCreateMessage(path).
    virtual std::unique_ptr<ReplacingFile> CreateReplacing(const std::string& path) = 0;
    // Called after every line: `done` of `total` lines. The port shows it a
    // few times a second and keeps the window answering; false once the
    // user asked to stop (the batch stops before the next file).
    virtual bool Progress(std::size_t done, std::size_t total) = 0;
};

// How a batch ended, and what the window then shows.
struct BatchOutcome {
    enum class State {
        AllMade,       // every line made its file: the process ends at once
        Finished,      // errors or cancelled: the summary and the exit button
        CommandError,  // nothing was made: the status line and the exit button
        Stopped,       // the error box; nothing was written
    };
    State state = State::Stopped;
    std::string status;       // the status line: the summary, or the command's error
    std::string reportPath;   // Finished: the report's full path
    std::string error;        // the error box: why it stopped, or that the report failed
    std::size_t symbols = 0;  // data lines, good or not
    std::size_t made = 0;
    std::size_t errors = 0;
    bool cancelled = false;

    int ExitCode() const { return state == State::AllMade ? 0 : 1; }
    // Nothing made: the command's error in the status line.
    static BatchOutcome CommandError();
};

// Whether a command line asks for a batch: an option with the key "bt".
bool IsBatchRequest(const std::vector<std::string>& arguments);

// The report beside the list, named after it: the list's extension
// replaced by ".report.tsv" ("codes.csv" -> "codes.report.tsv").
std::string ReportPath(std::string_view listPath);

// The whole batch: the switch and options as for one symbol ("fl", "cd"
// and "nc" are implied or ignored), then the list line by line, then the
// report. `arguments` holds at least the switch.
BatchOutcome RunBatch(const std::vector<std::string>& arguments, const SettingsLoader& loadSettings,
                      Platform& platform, BatchPort& port);

}  // namespace merrowin
