#include "app/batch.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <unordered_map>

#include "app/save_path.h"
#include "app/switches.h"
#include "common/errors.h"
#include "common/text.h"
#include "model/symbology.h"

namespace merrowin {
namespace {

// UTF-8 with a byte order mark, so that Excel opens it as UTF-8.
constexpr std::string_view kReportStart =
    "\xEF\xBB\xBF"
    "行\t状態\tデータ\tファイルまたはエラー\r\n";
constexpr std::size_t kReportChunk = 1 << 16;
constexpr std::size_t kNotStopped = std::numeric_limits<std::size_t>::max();

// The options a batch takes from its own way of working: the list names
// the files and holds the data, and the clipboard is left alone.
bool IsImpliedOption(std::string_view key) {
    return key == "bt" || key == "fl" || key == "cd" || key == "nc";
}

// The first line of the list that made each file name. Names are kept as
// 64-bit hashes of their case-folded form (Windows does not tell "ABC"
// from "abc"), so a million lines need a few megabytes; two names that
// merely hash alike would be reported as the same, never overwritten.
class NameBook {
public:
    // The line that first gave `name`; `line` itself when it is the first.
    std::size_t FirstLine(std::string_view name, std::size_t line) {
        return first_.try_emplace(Key(name), static_cast<std::uint32_t>(line)).first->second;
    }
    std::size_t Lookup(std::string_view name) const {
        const auto found = first_.find(Key(name));
        return found == first_.end() ? 0 : found->second;
    }

private:
    static std::uint64_t Key(std::string_view name) {
        std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
        for (const char c : AsciiLower(name)) {
            hash ^= static_cast<unsigned char>(c);
            hash *= 1099511628211ull;
        }
        return hash;
    }

    std::unordered_map<std::uint64_t, std::uint32_t> first_;
};

// A report cell: tabs and line breaks would start another cell or row.
std::string Cell(std::string_view text) {
    std::string out(text);
    std::replace_if(
        out.begin(), out.end(), [](char c) { return c == '\t' || c == '\r' || c == '\n'; }, ' ');
    return out;
}

void AddRow(std::string& report, std::size_t line, std::string_view status, std::string_view data,
            std::string_view text) {
    report += std::to_string(line);
    report += '\t';
    report += status;
    report += '\t';
    report += Cell(data);
    report += '\t';
    report += Cell(text);
    report += "\r\n";
}

// The list, read in chunks that keep the window answering: reading a long
// list through before the first file and again for the report takes a
// while. Between chunks the progress stands at `done` of `total`.
class AnsweringSource final : public ByteSource {
public:
    AnsweringSource(std::unique_ptr<ByteSource> source, BatchPort& port, std::size_t done,
                    std::size_t total)
        : source_(std::move(source)), port_(port), done_(done), total_(total) {}
    std::size_t Read(std::uint8_t* buffer, std::size_t size) override {
        if (!port_.Progress(done_, total_)) stopAsked_ = true;
        return source_->Read(buffer, size);
    }
    // Whether the user asked to stop while the list was read.
    bool StopAsked() const { return stopAsked_; }

private:
    std::unique_ptr<ByteSource> source_;
    BatchPort& port_;
    std::size_t done_;
    std::size_t total_;
    bool stopAsked_ = false;
};

std::unique_ptr<ByteSource> OpenOrRaise(BatchPort& port, const std::string& path) {
    std::unique_ptr<ByteSource> source = port.OpenList(path);
    if (!source) throw MerrowinError(ListOpenMessage(path));
    return source;
}

}  // namespace

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
    using State = BatchOutcome::State;
    BatchOutcome outcome;
    try {
        BarcodeJob job;
        std::string listPath;
        std::vector<CommandOption> options;
        for (const CommandOption& option : command.options) {
            if (option.key == "bt") listPath = option.value;
            if (!IsImpliedOption(option.key)) options.push_back(option);
        }
        if (!ApplySwitch(command.symbolSwitch, job) || listPath.empty()) {
            outcome.state = State::CommandError;
            outcome.status = kCommandErrorText;
            return outcome;
        }
        RunCommandLine(options, job, loadSettings);
        job.SaveFile = true;
        job.NoClipboard = true;
        job.FileNameGiven = true;
        const SymbologyDescriptor& symbology = *Describe(job.Kind);

        // Read through once before anything is written: a file that is not
        // text stops here, and the count gives the progress its end.
        const AnsiDecoder decodeAnsi = [&port](std::string_view bytes) {
            return port.DecodeAnsi(bytes);
        };
        AnsweringSource surveyed(OpenOrRaise(port, listPath), port, 0, 0);
        const ListSurvey survey = SurveyList(surveyed, decodeAnsi);
        if (survey.encoding == ListEncoding::NotText)
            throw MerrowinError(ListNotTextMessage(listPath));

        // The folder a single run would use, found once for every file.
        const FolderQueries folders{
            [&platform](const std::string& folder) { return platform.DirectoryExists(folder); },
            [&platform] { return platform.PersonalFolder(); }};
        std::string folder = job.SaveDr;
        ResolveSavePath(folder, "", folders);
        folder = port.AbsolutePath(folder);
        if (!folder.empty() && folder.back() != '\\') folder += '\\';
        const auto pathOf = [&folder](const std::string& name) { return folder + name + ".emf"; };

        const ScreenFigures screen = platform.Screen();
        const auto measure = [&platform](const FontSpec& font, auto text) {
            return platform.CharacterAdvances(font, text);
        };
        NameBook names;
        std::vector<std::uint32_t> failedLines;  // the file could not be saved
        // The first line not reached; a stop asked for while the list was
        // read through leaves every line unmade.
        std::size_t stoppedAt = surveyed.StopAsked() ? 1 : kNotStopped;
        if (stoppedAt == kNotStopped) {
            const std::unique_ptr<ByteSource> source = OpenOrRaise(port, listPath);
            ListReader reader(*source, survey.encoding, decodeAnsi, job.Kind, job.CartonIndicator);
            ListLine line;
            while (reader.Next(line)) {
                if (line.kind == ListLine::Kind::Good &&
                    names.FirstLine(line.name, line.number) == line.number) {
                    job.Digits =
                        std::string(symbology.zeroFill) + line.data.substr(0, symbology.dataDigits);
                    // Every symbol of a batch has the same size: a picture
                    // the sizes cannot make fails at the first one, before
                    // anything was written.
                    const std::vector<std::uint8_t> metafile = MakeMetafile(job, screen, measure);
                    if (metafile.empty()) {
                        outcome.state = State::CommandError;
                        outcome.status = kCommandErrorText;
                        return outcome;
                    }
                    try {
                        platform.SaveFile(pathOf(line.name), metafile);
                    } catch (const MerrowinError&) {
                        failedLines.push_back(static_cast<std::uint32_t>(line.number));
                    }
                }
                if (!port.Progress(line.number, survey.lines)) {
                    stoppedAt = line.number + 1;
                    break;
                }
            }
        }

        // The report, read back from the list line by line: what each line
        // gave is known again from the names and the failed saves, so the
        // memory does not grow with the report.
        outcome.state = State::Finished;
        outcome.cancelled = stoppedAt != kNotStopped && stoppedAt <= survey.lines;
        const std::string reportPath = ReportPath(listPath);
        outcome.reportPath = port.AbsolutePath(reportPath);
        {
            // A report the disk refuses is dropped; the lines are still
            // counted for the summary.
            std::unique_ptr<ReplacingFile> report;
            const auto keep = [&](const auto& step) {
                if (!report) return;
                try {
                    step();
                } catch (const MerrowinError& error) {
                    outcome.error = error.what();
                    report.reset();
                }
            };
            try {
                report = port.CreateReplacing(reportPath);
            } catch (const MerrowinError& error) {
                outcome.error = error.what();
            }
            std::string rows(kReportStart);
            AnsweringSource source(OpenOrRaise(port, listPath), port, survey.lines, survey.lines);
            ListReader reader(source, survey.encoding, decodeAnsi, job.Kind, job.CartonIndicator);
            ListLine line;
            auto failed = failedLines.begin();
            while (reader.Next(line)) {
                using Kind = ListLine::Kind;
                if (line.kind == Kind::Blank) continue;
                if (line.kind != Kind::Header) ++outcome.symbols;
                if (line.number >= stoppedAt) {
                    AddRow(rows, line.number, "cancelled", line.data, "");
                } else if (line.kind == Kind::Header) {
                    AddRow(rows, line.number, "header", line.data, "");
                } else if (line.kind == Kind::Error) {
                    ++outcome.errors;
                    AddRow(rows, line.number, "error", line.data, line.error);
                } else if (const std::size_t first = names.Lookup(line.name);
                           first != line.number) {
                    ++outcome.errors;
                    AddRow(rows, line.number, "error", line.data,
                           first == 0 ? FileCreateMessage(pathOf(line.name))
                                      : DuplicateNameMessage(line.name, first));
                } else if (failed != failedLines.end() && *failed == line.number) {
                    ++failed;
                    ++outcome.errors;
                    AddRow(rows, line.number, "error", line.data,
                           FileCreateMessage(pathOf(line.name)));
                } else {
                    ++outcome.made;
                    AddRow(rows, line.number, "ok", line.data, pathOf(line.name));
                }
                if (rows.size() >= kReportChunk) {
                    keep([&] { report->Write(rows); });
                    rows.clear();
                }
            }
            keep([&] {
                report->Write(rows);
                report->Commit();
            });
        }
        outcome.status = BatchSummary(outcome.symbols, outcome.made, outcome.errors);
        if (outcome.cancelled)
            outcome.status += std::string("  ") + std::string(kBatchCancelledText);
        if (outcome.made == outcome.symbols && outcome.symbols > 0 && !outcome.cancelled &&
            outcome.error.empty())
            outcome.state = State::AllMade;
    } catch (const MerrowinError& error) {
        outcome.state = State::Stopped;
        outcome.error = error.what();
    }
    return outcome;
}

}  // namespace merrowin
