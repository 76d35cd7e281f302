#include "app/batch.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>
#include <utility>

#include "app/save_path.h"
#include "app/switches.h"
#include "common/errors.h"
#include "common/text.h"
#include "model/options.h"
#include "model/symbology.h"

namespace merrowin {
namespace {

// UTF-8 with a byte order mark, so that Excel opens it as UTF-8.
constexpr std::string_view kReportBom = "\xEF\xBB\xBF";
constexpr std::size_t kReportChunk = 1 << 16;
// How far "codes.report (2).tsv", "(3)", ... are tried beside a held report.
constexpr int kMaxReportNumber = 999;

// The options a batch takes from its own way of working: the list names
// the files and holds the data, and the clipboard is left alone.
bool IsImpliedOption(std::string_view key) {
    const TextOption* option = TextOptionOf(key);
    return option && option->impliedInList;
}

std::uint64_t Fnv1a(std::string_view bytes, std::uint64_t hash = 14695981039346656037ull) {
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    return hash;
}

// The first line of the list that made each file name. Names are kept as
// 64-bit hashes of their form folded as the file system folds them, so a
// million lines need a few megabytes; two names that merely hash alike
// would be reported as the same, never overwritten.
class NameBook {
public:
    // The line that first gave `foldedName`; `line` itself when it is the first.
    std::size_t FirstLine(std::string_view foldedName, std::size_t line) {
        return first_.try_emplace(Fnv1a(foldedName), static_cast<std::uint32_t>(line))
            .first->second;
    }

private:
    std::unordered_map<std::uint64_t, std::uint32_t> first_;
};

// A line whose name Windows leads to a file an earlier line made under
// another name (its 8.3 short name, or one folded alike).
std::string SameFileMessage(std::string_view name, std::size_t firstLine,
                            std::string_view firstName) {
    return "ファイル名「" + std::string(name) + "」は " + std::to_string(firstLine) + " 行目の「" +
           std::string(firstName) +
           "」と同じファイルを指します (Windows の短い名前などの別名)。別の名前にしてください";
}

struct IdentityHash {
    std::size_t operator()(const FileIdentity& file) const {
        return static_cast<std::size_t>(file.index * 1099511628211ull ^ file.volume);
    }
};

// A report cell: tabs and line breaks would start another cell or row, and
// a cell Excel would take for a formula (= + - @ first) gets an apostrophe
// before it, Excel's own mark of text: a name or data such as "=1+1" or
// "-12" shows as written and is never calculated. The apostrophe stays
// visible in the cell, so nobody takes the cell for the list's own text.
std::string Cell(std::string_view text) {
    std::string out;
    if (!text.empty() && std::string_view("=+-@").find(text.front()) != std::string_view::npos)
        out += '\'';
    out += text;
    std::replace_if(
        out.begin(), out.end(), [](char c) { return c == '\t' || c == '\r' || c == '\n'; }, ' ');
    return out;
}

// "codes.report.tsv" -> "codes.report (2).tsv".
std::string NumberedReportPath(std::string_view reportPath, int number) {
    const std::string_view stem = reportPath.substr(0, reportPath.size() - 4);  // less ".tsv"
    return std::string(stem) + " (" + std::to_string(number) + ").tsv";
}

// The report, a row at a time as the lines are made, into the file that
// replaces the old report once committed. A report the disk refuses is
// dropped, its error kept for the error box; the lines are counted all the
// same for the summary, and the window names no report.
class Report {
public:
    Report(BatchPort& port, std::string path, std::string_view encoding, BatchOutcome& outcome)
        : port_(port), path_(std::move(path)), outcome_(outcome) {
        outcome_.reportPath = port_.AbsolutePath(path_);
        Keep([&] { file_ = port_.CreateReplacing(path_); });
        rows_ = kReportBom;
        rows_ += "行\t状態\tデータ\t" + ReportTitleCell(encoding) + "\r\n";
    }
    void Add(std::size_t line, std::string_view status, std::string_view data,
             std::string_view text) {
        rows_ += std::to_string(line);
        rows_ += '\t';
        rows_ += status;
        rows_ += '\t';
        rows_ += Cell(data);
        rows_ += '\t';
        rows_ += Cell(text);
        rows_ += "\r\n";
        if (rows_.size() >= kReportChunk) Flush();
    }
    // Puts the report in place of the old one, or beside it under the
    // first free name when another program holds the old one.
    void Commit() {
        Flush();
        Keep([&] {
            if (!file_ || file_->Commit()) return;
            for (int number = 2; number <= kMaxReportNumber; ++number) {
                const std::string free = NumberedReportPath(path_, number);
                if (!file_->CommitAs(free)) continue;
                const std::string held =
                    std::exchange(outcome_.reportPath, port_.AbsolutePath(free));
                outcome_.error = ReportHeldMessage(held, outcome_.reportPath);
                return;
            }
            throw MerrowinError(FileCreateMessage(path_));
        });
    }

private:
    void Flush() {
        Keep([&] {
            if (file_) file_->Write(rows_);
        });
        rows_.clear();
    }
    template <typename Step>
    void Keep(const Step& step) {
        try {
            step();
        } catch (const MerrowinError& failure) {
            // The window then shows no report: the one there is not this run's.
            outcome_.error = failure.what();
            outcome_.reportPath.clear();
            file_.reset();
        }
    }

    BatchPort& port_;
    std::string path_;
    BatchOutcome& outcome_;
    std::unique_ptr<ReplacingFile> file_;
    std::string rows_;
};

// The list, read in chunks that keep the window answering: reading a long
// list through before the first file takes a while. Between chunks the
// progress stands at 0 of 0.
class AnsweringSource final : public ByteSource {
public:
    AnsweringSource(std::unique_ptr<ByteSource> source, BatchPort& port)
        : source_(std::move(source)), port_(port) {}
    std::size_t Read(std::uint8_t* buffer, std::size_t size) override {
        if (!port_.Progress(0, 0)) stopAsked_ = true;
        return source_->Read(buffer, size);
    }
    // Whether the user asked to stop while the list was read.
    bool StopAsked() const { return stopAsked_; }

private:
    std::unique_ptr<ByteSource> source_;
    BatchPort& port_;
    bool stopAsked_ = false;
};

std::unique_ptr<ByteSource> OpenOrRaise(BatchPort& port, const std::string& path) {
    std::unique_ptr<ByteSource> source = port.OpenList(path);
    if (!source) throw MerrowinError(ListOpenMessage(path));
    return source;
}

// What a batch is asked to do: the job of its switch and options, and the
// list.
struct BatchCommand {
    BarcodeJob job;
    std::string listPath;
};

// Reads the switch and the options as for one symbol ("fl", "cd" and "nc"
// are implied or ignored) and the list's path; nothing when the command
// names no switch or no list.
std::optional<BatchCommand> ReadBatchCommand(const CommandLine& line,
                                             const SettingsLoader& loadSettings) {
    BatchCommand command;
    std::vector<CommandOption> options;
    for (const CommandOption& option : line.options) {
        if (option.key == "bt") command.listPath = option.value;
        if (!IsImpliedOption(option.key)) options.push_back(option);
    }
    if (!ApplySwitch(line.symbolSwitch, command.job) || command.listPath.empty())
        return std::nullopt;
    RunCommandLine(options, command.job, loadSettings);
    command.job.SaveFile = true;
    command.job.NoClipboard = true;
    command.job.FileNameGiven = true;
    return command;
}

// Makes the file of each good line: the same bytes a single run with the
// same options saves, into the folder a single run would use.
class FileMaker {
public:
    FileMaker(const BarcodeJob& job, Platform& platform, BatchPort& port)
        : job_(job),
          port_(port),
          screen_(platform.Screen()),
          measure_(MeasurerOf(platform)),
          madeAt_(FileTimeOf(platform)) {
        folder_ = job_.SaveDr;
        ResolveSavePath(folder_, "", FoldersOf(platform), job_.Format);
        folder_ = port.AbsolutePath(folder_);
        if (!folder_.empty() && folder_.back() != '\\') folder_ += '\\';
    }

    std::string PathOf(std::string_view name) const {
        return folder_ + std::string(name) + std::string(InfoOf(job_.Format).extension);
    }

    // The picture of a good line's data; empty when the sizes make none.
    // Every symbol of a batch has the same size, so that shows at the first.
    std::vector<std::uint8_t> Picture(const ListLine& line) {
        FillJob(line.field, job_);
        job_.BookParts = line.book;
        return MakeFile(job_, screen_, measure_, madeAt_);
    }

    // Saves a line's picture; the report's error text when it cannot, or
    // when an earlier line gave a name of the same file: the same name as
    // Windows compares names, or another name of a file this batch made
    // (its 8.3 short name), which is never replaced.
    std::optional<std::string> Save(const ListLine& line,
                                    const std::vector<std::uint8_t>& picture) {
        const std::size_t first = names_.FirstLine(port_.FoldName(line.name), line.number);
        if (first != line.number) return DuplicateNameMessage(line.name, first);
        std::optional<MadeFile> earlier;
        const auto mayReplace = [&](const FileIdentity& existing) {
            earlier = StillMade(existing);
            return !earlier;
        };
        try {
            const std::optional<FileIdentity> saved =
                port_.SavePicture(PathOf(line.name), picture, mayReplace);
            if (!saved) return SameFileMessage(line.name, earlier->line, earlier->name);
            // The new file holds its identity now: whatever line had it before
            // lost its file to another program.
            made_.insert_or_assign(*saved,
                                   MadeFile{static_cast<std::uint32_t>(line.number), line.name});
        } catch (const MerrowinError& failure) {
            return failure.what();
        }
        return std::nullopt;
    }

private:
    struct MadeFile {
        std::uint32_t line;
        std::string name;
    };

    // The earlier line whose file `existing` still is; nothing when no line
    // of this run made it. A file ID names one file only while that file
    // lives: "File IDs are not guaranteed to be unique over time, because
    // file systems are free to reuse them" (BY_HANDLE_FILE_INFORMATION,
    // Win32 documentation; a 64-bit or 128-bit file ID "SHOULD be unique to
    // the volume and stable until the file is deleted", [MS-FSCC] 2.1.9 and
    // 2.1.10, FILE_ID_INFO's identifier). Another program that deletes a
    // file this run made, or replaces it (a save by rename gives the name a
    // new file), frees its ID for the next new file: NTFS reuses the MFT
    // record, Wine's Unix file systems the inode. So the remembered line's
    // own name is asked again: only when it still leads to `existing` are
    // the two names one file now (case, an 8.3 name, a hard link), whatever
    // was written into it since; a last-write time or size could tell no
    // more. Otherwise the identity is stale and forgotten. Asked only when
    // an identity matches, so a batch into a busy folder opens no more
    // files than before.
    std::optional<MadeFile> StillMade(const FileIdentity& existing) {
        const auto found = made_.find(existing);
        if (found == made_.end()) return std::nullopt;
        if (port_.IdentityOf(PathOf(found->second.name)) == existing) return found->second;
        made_.erase(found);
        return std::nullopt;
    }

    BarcodeJob job_;
    BatchPort& port_;
    ScreenFigures screen_;
    TextMeasurer measure_;
    std::int64_t madeAt_;  // every file of the list is dated alike
    std::string folder_;
    NameBook names_;
    std::unordered_map<FileIdentity, MadeFile, IdentityHash> made_;  // the line of each file
};

// The summary and the window's state once every line has its report row.
void Summarize(BatchOutcome& outcome) {
    outcome.status =
        outcome.cancelled
            ? BatchStoppedSummary(outcome.symbols, outcome.made, outcome.errors, outcome.notReached)
            : BatchSummary(outcome.symbols, outcome.made, outcome.errors);
    if (outcome.made == outcome.symbols && outcome.symbols > 0 && !outcome.cancelled &&
        outcome.error.empty())
        outcome.state = BatchOutcome::State::AllMade;
}

// One line's report row, and its file for a good line reached before a
// stop; false when the sizes make no picture (nothing is written then).
bool MakeAndReport(const ListLine& line, bool stopped, FileMaker& maker, Report& report,
                   BatchOutcome& outcome) {
    using Kind = ListLine::Kind;
    if (line.kind == Kind::Header) {
        report.Add(line.number, "header", line.data, "");
        return true;
    }
    ++outcome.symbols;
    if (stopped) {
        outcome.cancelled = true;
        ++outcome.notReached;
        report.Add(line.number, "cancelled", line.data, "");
    } else if (line.kind == Kind::Error) {
        ++outcome.errors;
        report.Add(line.number, "error", line.data, line.error);
    } else {
        const std::vector<std::uint8_t> picture = maker.Picture(line);
        if (picture.empty()) return false;
        if (const std::optional<std::string> error = maker.Save(line, picture)) {
            ++outcome.errors;
            report.Add(line.number, "error", line.data, *error);
        } else {
            ++outcome.made;
            report.Add(line.number, "ok", line.data, maker.PathOf(line.name));
        }
    }
    return true;
}

// The list surveyed, then read once: each line's file and report row as it
// comes, the report committed at the end.
BatchOutcome MakeBatch(const BatchCommand& command, Platform& platform, BatchPort& port) {
    const CodePageDecoder decode = [&port](unsigned codePage, std::string_view bytes) {
        return port.Decode(codePage, bytes);
    };
    AnsweringSource surveyed(OpenOrRaise(port, command.listPath), port);
    const ListTerms terms = ListTermsOf(command.job);
    const ListSurvey survey = SurveyList(surveyed, port.SystemCodePage(), decode, terms);
    if (survey.encoding == ListEncoding::NotText)
        throw MerrowinError(ListNotTextMessage(command.listPath));
    if (survey.dataLines == 0) {
        BatchOutcome empty = BatchOutcome::CommandError();
        empty.status = kNoDataLinesText;
        return empty;
    }

    BatchOutcome outcome;
    outcome.state = BatchOutcome::State::Finished;
    FileMaker maker(command.job, platform, port);
    Report report(port, ReportPath(command.listPath),
                  EncodingName(survey.encoding, survey.codePage), outcome);
    // A stop asked for while the list was surveyed leaves every line unmade.
    bool stopped = surveyed.StopAsked();
    const std::unique_ptr<ByteSource> source = OpenOrRaise(port, command.listPath);
    ListReader reader(*source, survey, decode, terms);
    for (ListLine line; reader.Next(line);) {
        if (line.kind == ListLine::Kind::Blank) continue;
        if (!MakeAndReport(line, stopped, maker, report, outcome))
            return BatchOutcome::CommandError();
        if (line.kind != ListLine::Kind::Header && !stopped &&
            !port.Progress(outcome.symbols, survey.dataLines))
            stopped = true;
    }
    report.Commit();
    Summarize(outcome);
    return outcome;
}

}  // namespace

BatchOutcome BatchOutcome::CommandError() {
    BatchOutcome outcome;
    outcome.state = State::CommandError;
    outcome.status = kCommandErrorText;
    return outcome;
}

bool IsBatchRequest(const CommandLine& command) {
    return OptionGiven(command, "bt");
}

std::string ReportPath(std::string_view listPath) {
    const std::size_t slash = listPath.find_last_of("\\/");
    const std::size_t dot = listPath.rfind('.');
    const bool hasExtension =
        dot != std::string_view::npos && (slash == std::string_view::npos || dot > slash + 1);
    std::string path(hasExtension ? listPath.substr(0, dot) : listPath);
    path += ".report.tsv";
    return path;
}

BatchOutcome RunBatch(const CommandLine& command, const SettingsLoader& loadSettings,
                      Platform& platform, BatchPort& port) {
    try {
        const std::optional<BatchCommand> batch = ReadBatchCommand(command, loadSettings);
        if (!batch) return BatchOutcome::CommandError();
        return MakeBatch(*batch, platform, port);
    } catch (const MerrowinError& error) {
        BatchOutcome outcome;
        outcome.state = BatchOutcome::State::Stopped;
        outcome.error = error.what();
        return outcome;
    }
}

std::string ListOpenMessage(std::string_view path) {
    return FillMessage("リスト %s を読み込めません", path);
}
std::string ListNotTextMessage(std::string_view path) {
    return FillMessage("リスト %s はテキストファイルではありません", path);
}
std::string DuplicateNameMessage(std::string_view name, std::size_t firstLine) {
    return FillMessage("ファイル名「%s」は ", name) + std::to_string(firstLine) + " 行目と同じです";
}
std::string BatchSummary(std::size_t symbols, std::size_t made, std::size_t errors) {
    return std::to_string(symbols) + " 件中 " + std::to_string(made) +
           " 件を作成しました。エラー " + std::to_string(errors) + " 件";
}
std::string BatchStoppedSummary(std::size_t symbols, std::size_t made, std::size_t errors,
                                std::size_t notReached) {
    return "中止しました。" + std::to_string(symbols) + " 件中 " + std::to_string(made) +
           " 件を作成、" + std::to_string(errors) + " 件はエラー、" + std::to_string(notReached) +
           " 件は未処理です。";
}
std::string ReportTitleCell(std::string_view encoding) {
    return FillMessage("ファイルまたはエラー (リストの文字コード: %s)", encoding);
}
std::string ReportHeldMessage(std::string_view heldPath, std::string_view writtenPath) {
    return "レポート " + std::string(heldPath) + " はほかのプログラムが使用中のため、" +
           std::string(writtenPath) + " に保存しました";
}
std::string ReportPathText(std::string_view path) {
    return FillMessage("レポート: %s", path);
}

}  // namespace merrowin
